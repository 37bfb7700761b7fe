#pragma once
// Bytes read as UTF-8 without ever changing them. A valid sequence is one
// character; every other byte 0x80-0xFF stands alone as an invalid byte. The
// caret steps over units: an invalid byte, or a character with the marks
// that join it (at most kMaxJoined; a mark with nothing to join stands
// alone). Positions stay byte offsets: these routines say where units begin
// and end, looking at a few bytes around a position, never at the whole text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace verno::utf8 {

inline constexpr int kMaxJoined = 30;
// The most bytes a unit can span: a character and its joined marks.
inline constexpr int kMaxUnitBytes = 4 * (kMaxJoined + 1);
inline constexpr std::string_view kBom = "\xEF\xBB\xBF";
inline constexpr char32_t kBomChar = 0xFEFF;

// The valid sequence at s (n >= 1 bytes there): its length, 1 to 4, with
// its code point in cp; 0 when s[0] begins none (overlong forms, surrogates,
// code points past U+10FFFF, stray or truncated bytes).
int decode(const unsigned char *s, size_t n, char32_t &cp);
// cp's bytes (nothing for a surrogate or a value past U+10FFFF).
std::string encode(char32_t cp);

// Marks, the zero width joiner and emoji modifiers: they join the character before.
bool joinsPrevious(char32_t cp);
// Letters of every script, digits, marks and connectors such as "_".
bool isWordChar(char32_t cp);
// A printable character that is no mark, blank or byte-order mark: marks
// after it join it.
inline bool carriesMarks(char32_t cp) {
    return cp > 0x20 && cp != 0x7F && !(cp >= 0x80 && cp < 0xA0) && cp != 0xFEFF && !joinsPrevious(cp);
}

// What a file holds: only ASCII, valid UTF-8 with a multi-byte sequence, or
// anything else. One pass, eight bytes at a time through ASCII.
enum class Kind { Ascii, Utf8, Other };
Kind classify(const char *data, size_t n);
inline bool startsWithBom(std::string_view s) {
    return s.substr(0, 3) == kBom;
}

// The unit starting at s (n >= 1 bytes to the end of its line): its length;
// first is its first character, or 0xFFFFFFFF for an invalid byte.
inline constexpr char32_t kInvalidByte = 0xFFFFFFFF;
size_t unitLength(const unsigned char *s, size_t n, char32_t &first);

// Byte access for the routines below: a string, or a text store through an
// adapter with the same two members.
struct StringBytes {
    std::string_view s;
    size_t size() const { return s.size(); }
    unsigned char operator[](size_t i) const { return static_cast<unsigned char>(s[i]); }
};

namespace detail {

template <typename Bytes> int decodeAt(const Bytes &b, size_t i, char32_t &cp) {
    unsigned char buf[4];
    const size_t n = std::min<size_t>(4, b.size() - i);
    for (size_t k = 0; k < n; ++k)
        buf[k] = b[i + k];
    return decode(buf, n, cp);
}

// Start of the character ending just before p (p > 0), or npos when the
// byte before p belongs to no valid sequence.
template <typename Bytes> size_t characterBefore(const Bytes &b, size_t p, char32_t &cp) {
    for (size_t q = p; q-- > 0 && p - q <= 4;) {
        if ((b[q] & 0xC0) == 0x80)
            continue;
        return decodeAt(b, q, cp) == int(p - q) ? q : std::string_view::npos;
    }
    return std::string_view::npos;
}

} // namespace detail

// Whether a unit begins at p (the text's two ends count).
template <typename Bytes> bool isUnitStart(const Bytes &b, size_t p) {
    if (p == 0 || p >= b.size())
        return true;
    if ((b[p] & 0xC0) == 0x80) {
        // Inside a valid sequence that began up to three bytes back?
        for (size_t q = p; q-- > 0 && p - q <= 3;) {
            if ((b[q] & 0xC0) == 0x80)
                continue;
            char32_t cp;
            if (detail::decodeAt(b, q, cp) > int(p - q))
                return false;
            break;
        }
    }
    char32_t cp;
    if (detail::decodeAt(b, p, cp) == 0 || !joinsPrevious(cp))
        return true;
    // A mark joins the character it follows, past at most kMaxJoined - 1 others.
    size_t q = p;
    for (int joined = 1; joined <= kMaxJoined; ++joined) {
        q = detail::characterBefore(b, q, cp);
        if (q == std::string_view::npos)
            return true;
        if (!joinsPrevious(cp))
            return !carriesMarks(cp);
    }
    return true;
}

// The start of the unit holding p (p itself when a unit begins there).
template <typename Bytes> size_t unitStart(const Bytes &b, size_t p) {
    p = std::min(p, b.size());
    // Out of a sequence first: at most three bytes back.
    for (int k = 0; k < 3 && p > 0 && !isUnitStart(b, p) && (b[p] & 0xC0) == 0x80; ++k)
        --p;
    if (isUnitStart(b, p))
        return p;
    // A joined mark: back over the characters to the one it joins.
    char32_t cp;
    for (size_t q = p; q > 0;) {
        q = detail::characterBefore(b, q, cp);
        if (q == std::string_view::npos)
            break;
        if (isUnitStart(b, q))
            return q;
    }
    return p;
}

// Where the unit holding p ends (p when a unit begins there).
template <typename Bytes> size_t unitEndAfter(const Bytes &b, size_t p) {
    if (isUnitStart(b, p))
        return p;
    size_t q = unitStart(b, p);
    unsigned char buf[kMaxUnitBytes];
    const size_t n = std::min<size_t>(kMaxUnitBytes, b.size() - q);
    for (size_t k = 0; k < n; ++k)
        buf[k] = b[q + k];
    char32_t first;
    return q + unitLength(buf, n, first);
}

// The next and the previous unit start from a unit start p.
template <typename Bytes> size_t nextUnit(const Bytes &b, size_t p) {
    if (p >= b.size())
        return b.size();
    return unitEndAfter(b, p + 1);
}

template <typename Bytes> size_t previousUnit(const Bytes &b, size_t p) {
    return p == 0 ? 0 : unitStart(b, p - 1);
}

// The unit at s[i]: its length, and whether it is a word character.
size_t wordUnitAt(std::string_view s, size_t i, bool &word);

// Units in s; and how many bytes the first count units of s take.
size_t countUnits(std::string_view s);
size_t headUnits(std::string_view s, size_t count);

} // namespace verno::utf8
