#include "commands/stringsubst.h"
#include "util/textutil.h"

#include <filesystem>
#include <optional>
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
    // Only "/" separates here: colon and backslash are ordinary name characters.
    const size_t sep = fullPath_.rfind('/');
    if (sep == std::string::npos) {
        name_ = fullPath_;
    } else {
        dir_ = fullPath_.substr(0, sep + 1);
        name_ = fullPath_.substr(sep + 1);
    }
}

std::optional<std::string> T_StringSubst::expand(char c) const
{
    switch (c) {
    case 'f': return fullPath_;
    case 'N': return name_;
    case 'n': return ShortBefore(shortCut(name_), ".");
    case 'e': return ShortAfter(shortCut(name_), ".");
    case 'P': return dir_;
    case 'p': return ShortAfter(shortCut(dir_), ":");
    case 'x': return ShortBefore(shortCut(fullPath_), ":") + ":";
    default: return std::nullopt;
    }
}

CommandPieces T_StringSubst::Pieces(const std::string &tmpl) const
{
    CommandPieces out;
    const auto text = [&out](const std::string &s) {
        if (out.empty() || out.back().value)
            out.push_back({s, false});
        else
            out.back().text += s;
    };
    bool ampersand = false;
    for (const char c : tmpl) {
        if (ampersand) {
            ampersand = false;
            if (auto v = expand(c))
                out.push_back({std::move(*v), true});
            else // "&&" and any unknown pair are the template's own text
                text(c == '&' ? std::string("&") : std::string("&") + c);
        } else if (c == '&') {
            ampersand = true;
        } else {
            text(std::string(1, c));
        }
    }
    return out;
}

std::string T_StringSubst::Substitute(const std::string &tmpl) const
{
    std::string out;
    for (const CommandPiece &p : Pieces(tmpl))
        out += p.text;
    return out;
}

} // namespace verno
