#include "util/utf8.h"
#include "util/parallel.h"
#include "util/unicodetables.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <cstring>
#include <memory>
#include <vector>

namespace verno::utf8 {

namespace {

// The basic plane as bits, built once; the rest by a search of the ranges.
class CodePointSet {
public:
    explicit CodePointSet(std::span<const unicode::Range> ranges) : ranges_(ranges) {
        for (const unicode::Range &r : ranges)
            for (char32_t c = r.first; c <= r.last && c < 0x10000; ++c)
                bmp_.set(c);
    }
    bool contains(char32_t cp) const {
        if (cp < 0x10000)
            return bmp_.test(cp);
        const auto it =
            std::upper_bound(ranges_.begin(), ranges_.end(), cp,
                             [](char32_t c, const unicode::Range &r) { return c < r.first; });
        return it != ranges_.begin() && cp <= std::prev(it)->last;
    }

private:
    std::span<const unicode::Range> ranges_;
    std::bitset<0x10000> bmp_;
};

const CodePointSet &joining() {
    static const auto set = std::make_unique<CodePointSet>(unicode::joiningRanges());
    return *set;
}

const CodePointSet &wordChars() {
    static const auto set = std::make_unique<CodePointSet>(unicode::wordRanges());
    return *set;
}

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

int decode(const unsigned char *s, size_t n, char32_t &cp) {
    const unsigned char c = s[0];
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if (c < 0xC2 || c > 0xF4)
        return 0;
    if (c < 0xE0) {
        if (n < 2 || !continuation(s[1]))
            return 0;
        cp = char32_t(c & 0x1F) << 6 | (s[1] & 0x3F);
        return 2;
    }
    // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
    const unsigned char lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    const unsigned char hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    if (n < 2 || s[1] < lo || s[1] > hi)
        return 0;
    if (c < 0xF0) {
        if (n < 3 || !continuation(s[2]))
            return 0;
        cp = char32_t(c & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | (s[2] & 0x3F);
        return 3;
    }
    if (n < 4 || !continuation(s[2]) || !continuation(s[3]))
        return 0;
    cp = char32_t(c & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 | char32_t(s[2] & 0x3F) << 6 |
         (s[3] & 0x3F);
    return 4;
}

std::string encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        if (cp >= 0xD800 && cp < 0xE000)
            return {};
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
    return out;
}

bool joinsPrevious(char32_t cp) {
    return cp >= 0x300 && joining().contains(cp);
}

bool isWordChar(char32_t cp) {
    if (cp < 0x80)
        return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') ||
               cp == '_';
    return wordChars().contains(cp);
}

namespace {

Kind classifyPart(const unsigned char *s, size_t n) {
    bool multi = false;
    size_t i = 0;
    while (i < n) {
        if (n - i >= 8) {
            uint64_t word;
            std::memcpy(&word, s + i, 8);
            const uint64_t high = word & 0x8080808080808080ull;
            if (high == 0) {
                i += 8;
                continue;
            }
            // Straight to the first byte past ASCII (the bytes are read little-end first).
            if constexpr (std::endian::native == std::endian::little)
                i += size_t(std::countr_zero(high) / 8);
        }
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        // A run of characters past ASCII, the two-byte ones (most scripts) inline.
        do {
            const unsigned char c = s[i];
            if (c >= 0xC2 && c < 0xE0 && i + 1 < n && continuation(s[i + 1])) {
                i += 2;
                continue;
            }
            char32_t cp;
            const int length = decode(s + i, n - i, cp);
            if (length == 0)
                return Kind::Other;
            i += size_t(length);
        } while (i < n && s[i] >= 0x80);
        multi = true;
    }
    return multi ? Kind::Utf8 : Kind::Ascii;
}

} // namespace

Kind classify(const char *data, size_t n) {
    const auto *s = reinterpret_cast<const unsigned char *>(data);
    const int parts = bulkParts(n);
    if (parts <= 1)
        return classifyPart(s, n);
    // Parts split before a byte that starts a character, so no valid
    // sequence is cut; more than three continuation bytes are invalid anyway.
    std::vector<size_t> bounds(size_t(parts) + 1, n);
    bounds[0] = 0;
    for (int k = 1; k < parts; ++k) {
        size_t b = std::max(bounds[size_t(k) - 1], n / size_t(parts) * size_t(k));
        for (int back = 0; back < 3 && b > bounds[size_t(k) - 1] && (s[b] & 0xC0) == 0x80; ++back)
            --b;
        bounds[size_t(k)] = b;
    }
    std::vector<Kind> kinds(static_cast<size_t>(parts), Kind::Ascii);
    runParts(parts, [&](int k) {
        kinds[size_t(k)] = classifyPart(s + bounds[size_t(k)], bounds[size_t(k) + 1] - bounds[size_t(k)]);
    });
    if (std::find(kinds.begin(), kinds.end(), Kind::Other) != kinds.end())
        return Kind::Other;
    return std::find(kinds.begin(), kinds.end(), Kind::Utf8) != kinds.end() ? Kind::Utf8 : Kind::Ascii;
}

size_t unitLength(const unsigned char *s, size_t n, char32_t &first) {
    int length = decode(s, n, first);
    if (length == 0) {
        first = kInvalidByte;
        return 1;
    }
    if (!carriesMarks(first))
        return size_t(length);
    size_t end = size_t(length);
    for (int joined = 0; joined < kMaxJoined && end < n && s[end] >= 0xCC; ++joined) {
        char32_t cp;
        length = decode(s + end, n - end, cp);
        if (length == 0 || !joinsPrevious(cp))
            break;
        end += size_t(length);
    }
    return end;
}

size_t wordUnitAt(std::string_view s, size_t i, bool &word)
{
    char32_t first;
    const size_t length = unitLength(reinterpret_cast<const unsigned char *>(s.data()) + i, s.size() - i, first);
    word = first != kInvalidByte && isWordChar(first);
    return length;
}

size_t countUnits(std::string_view s) {
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    size_t units = 0;
    for (size_t i = 0; i < s.size(); ++units) {
        char32_t first;
        i += p[i] < 0x80 && (i + 1 == s.size() || p[i + 1] < 0xCC)
                 ? 1
                 : unitLength(p + i, s.size() - i, first);
    }
    return units;
}

size_t headUnits(std::string_view s, size_t count) {
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    size_t i = 0;
    for (size_t units = 0; units < count && i < s.size(); ++units) {
        char32_t first;
        i += unitLength(p + i, s.size() - i, first);
    }
    return i;
}

} // namespace verno::utf8
