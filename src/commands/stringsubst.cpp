#include "commands/stringsubst.h"
#include "util/textutil.h"

#include <filesystem>
#include <system_error>

namespace verno {

namespace {

// The short-text cut, never inside a UTF-8 sequence.
std::string shortCut(const std::string &s)
{
    if (s.size() <= size_t(kShortMax))
        return s;
    size_t n = kShortMax;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return s.substr(0, n);
}

std::string absoluteName(const std::string &name)
{
    if (name.empty())
        return {};
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(name, ec);
    return ec ? name : full.lexically_normal().string();
}

} // namespace

T_StringSubst::T_StringSubst(const std::string &fileName) : fullPath_(absoluteName(fileName))
{
    // Backslash and colon as well as this platform's "/".
    const size_t sep = fullPath_.find_last_of("\\:/");
    if (sep == std::string::npos) {
        name_ = fullPath_;
    } else {
        dir_ = fullPath_.substr(0, sep + 1);
        name_ = fullPath_.substr(sep + 1);
    }
}

std::string T_StringSubst::expand(char c) const
{
    switch (c) {
    case 'f': return fullPath_;
    case 'N': return name_;
    case 'n': return ShortBefore(shortCut(name_), ".");
    case 'e': return ShortAfter(shortCut(name_), ".");
    case 'P': return dir_;
    case 'p': return ShortAfter(shortCut(dir_), ":");
    case 'x': return ShortBefore(shortCut(fullPath_), ":") + ":";
    case '&': return "&";
    default: return std::string("&") + c;
    }
}

std::string T_StringSubst::Substitute(const std::string &tmpl) const
{
    std::string out;
    bool ampersand = false;
    for (const char c : tmpl) {
        if (ampersand) {
            ampersand = false;
            out += expand(c);
        } else if (c == '&') {
            ampersand = true;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace verno
