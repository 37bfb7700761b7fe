#include "util/textutil.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace verno {

namespace {

constexpr std::array<CharClass, 256> makeClassTable()
{
    std::array<CharClass, 256> t{};
    for (int c = 0; c < 256; ++c) {
        if (c >= 128)
            t[c] = CharClass::Other;
        else if (c < 32 || c == 127)
            t[c] = CharClass::Control;
        else if (c >= '0' && c <= '9')
            t[c] = CharClass::Digit;
        else if (c >= 'a' && c <= 'z')
            t[c] = CharClass::Lower;
        else if (c >= 'A' && c <= 'Z')
            t[c] = CharClass::Upper;
        else
            t[c] = CharClass::BlankPunct;
    }
    return t;
}

constexpr std::array<CharClass, 256> kClassTable = makeClassTable();

// The part of s a short-text routine works on.
std::string_view shortView(const std::string &s)
{
    return std::string_view(s).substr(0, kShortMax);
}

// Start position (1-based, below 1 counts as 1) as a 0-based index.
std::size_t startIndex(int start)
{
    return static_cast<std::size_t>(std::max(start, 1) - 1);
}

std::size_t countOf(int count)
{
    return static_cast<std::size_t>(std::max(count, 0));
}

unsigned char foldCase1252(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

} // namespace

CharClass CharClassOf(unsigned char c) { return kClassTable[c]; }

bool IsLetterOrDigit(unsigned char c) { return CharClassOf(c) > CharClass::BlankPunct; }

bool IsPrintable(unsigned char c) { return CharClassOf(c) > CharClass::Control; }

bool IsWordChar(unsigned char c) { return IsLetterOrDigit(c) || c == '_'; }

bool IsWordCharAt(const std::string &text, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < text.size() &&
           IsWordChar(static_cast<unsigned char>(text[i]));
}

char InvertCaseChar(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c + 32);
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 32);
    return c;
}

char UpperCaseChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

char LowerCaseChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool SameTextIgnoreCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldCase1252(static_cast<unsigned char>(x)) ==
                      foldCase1252(static_cast<unsigned char>(y));
           });
}

int ShortLength(const std::string &s) { return static_cast<int>(shortView(s).size()); }

int ShortPos(const std::string &s, const std::string &sub)
{
    const std::string_view v = shortView(s);
    if (v.empty() || sub.empty())
        return 0;
    const std::size_t p = v.find(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int ShortLastPos(const std::string &s, const std::string &sub)
{
    // The greatest start of an occurrence; occurrences may overlap.
    const std::string_view v = shortView(s);
    if (v.empty() || sub.empty())
        return 0;
    const std::size_t p = v.rfind(sub);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string ShortCopy(const std::string &s, int start, int count)
{
    const std::string_view v = shortView(s);
    const std::size_t from = startIndex(start);
    if (from >= v.size())
        return {};
    return std::string(v.substr(from, countOf(count)));
}

std::string ShortHead(const std::string &s, int n) { return ShortCopy(s, 1, n); }

std::string ShortDelete(const std::string &s, int start, int count)
{
    std::string r(shortView(s));
    const std::size_t from = startIndex(start);
    if (from < r.size())
        r.erase(from, countOf(count));
    return r;
}

std::string ShortTruncate(const std::string &s, int n) { return ShortHead(s, n); }

std::string ShortUpper(const std::string &s)
{
    std::string r(shortView(s));
    std::transform(r.begin(), r.end(), r.begin(), UpperCaseChar);
    return r;
}

std::string ShortFromZeroText(const char *p)
{
    std::string r;
    if (!p)
        return r;
    // Never read past the terminator, nor further than a short text holds.
    while (r.size() < static_cast<std::size_t>(kShortMax) && p[r.size()] != '\0')
        r.push_back(p[r.size()]);
    return r;
}

std::string ShortAfter(const std::string &s, const std::string &sep)
{
    const int p = ShortPos(s, sep);
    return p == 0 ? std::string() : ShortCopy(s, p + static_cast<int>(sep.size()), kShortMax);
}

std::string ShortBefore(const std::string &s, const std::string &sep)
{
    const int p = ShortPos(s, sep);
    return p == 0 ? std::string(shortView(s)) : ShortHead(s, p - 1);
}

std::string TextBefore(const std::string &s, const std::string &sep)
{
    const std::size_t p = sep.empty() ? std::string::npos : s.find(sep);
    return p == std::string::npos ? s : s.substr(0, p);
}

std::string TextAfter(const std::string &s, const std::string &sep)
{
    const std::size_t p = sep.empty() ? std::string::npos : s.find(sep);
    return p == std::string::npos ? std::string() : s.substr(p + sep.size());
}

bool HasWildcard(const std::string &s) { return s.find_first_of("*?") != std::string::npos; }

std::string ReframeName(const std::string &s, bool marked)
{
    const char open = marked ? '[' : ' ';
    const char close = marked ? ']' : ' ';
    const std::string inner = s.size() < 2 ? std::string() : s.substr(1, s.size() - 2);
    return open + inner + close;
}

int IntMax(int a, int b) { return a > b ? a : b; }

int IntMin(int a, int b) { return a < b ? a : b; }

} // namespace verno
