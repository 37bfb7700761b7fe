#pragma once
// Turns a command template into the command line for one file: "&" and a
// letter stand for parts of the file's name. Plain C++, no Qt.
#include <string>

namespace verno {

class T_StringSubst {
public:
    // The name is made absolute against the current directory; "" stays "".
    explicit T_StringSubst(const std::string &fileName);

    const std::string &FullPath() const { return fullPath_; }
    // One left-to-right pass; expansions are never scanned again.
    std::string Substitute(const std::string &tmpl) const;

private:
    std::string expand(char c) const;

    std::string fullPath_;
    std::string dir_;  // up to and including the last separator
    std::string name_; // after it
};

} // namespace verno
