#pragma once
// Splits a command line into words the way a POSIX shell quotes them, without
// running a shell: no variables, globs, redirections or command separators.
#include <optional>
#include <string>
#include <vector>

namespace verno {

// A command as the user wrote it, with values (parts of a file name) put in
// where the placeholders stood. Only the user's own text is syntax.
struct CommandPiece {
    std::string text;
    bool value = false; // put in, never read as quotes or blanks
};
using CommandPieces = std::vector<CommandPiece>;

// Blanks separate words; '...' keeps everything literally; "..." keeps all but
// \" \\ \$ \` which lose their backslash; a backslash outside quotes keeps the
// next character. A value always lies inside one word, and one standing alone
// makes a word even when it is empty. Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitCommandWords(const CommandPieces &pieces);

// The same for a line with no values in it.
std::optional<std::vector<std::string>> SplitCommandLine(const std::string &line);

// Code for `sh -c code sh value...`: the user's text as written, each value
// replaced by a reference to its positional parameter ("${1}", "${2}", ...)
// quoted for the place it stands in. A value never becomes code; it is one
// argument wherever the user's own quoting would keep the text in one.
struct ShellScript {
    std::string code;
    std::vector<std::string> values; // $1, $2, ...
};
ShellScript ShellScriptWithValues(const CommandPieces &pieces);

} // namespace verno
