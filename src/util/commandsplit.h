#pragma once
// Splits a command line into words the way a POSIX shell quotes them, without
// running a shell: no variables, globs, redirections or command separators.
#include <optional>
#include <string>
#include <vector>

namespace verno {

// Blanks separate words; '...' keeps everything literally; "..." keeps all but
// \" \\ \$ \` which lose their backslash; a backslash outside quotes keeps the
// next character. Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitCommandLine(const std::string &line);

} // namespace verno
