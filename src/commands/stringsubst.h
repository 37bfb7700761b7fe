#pragma once
// Turns a command template into the command line for one file: "&" and a
// letter stand for parts of the file's name. Plain C++, no Qt.
#include "util/commandsplit.h"

#include <optional>
#include <string>

namespace verno {

class T_StringSubst {
public:
    // The name is made absolute against the current directory; "" stays "".
    explicit T_StringSubst(const std::string &fileName);

    const std::string &FullPath() const { return fullPath_; }
    // One left-to-right pass; expansions are never scanned again.
    std::string Substitute(const std::string &tmpl) const;
    // The same pass, keeping the template's own text apart from what the
    // placeholders put in, so a command is split or quoted by the former only.
    CommandPieces Pieces(const std::string &tmpl) const;

private:
    std::optional<std::string> expand(char c) const; // nothing: not a placeholder

    std::string fullPath_;
    std::string dir_;  // up to and including the last "/"
    std::string name_; // after it
};

} // namespace verno
