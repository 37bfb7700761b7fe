#include "util/bytesearch.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace verno {

namespace {

inline unsigned char fold(unsigned char c, bool on) { return on && c >= 'a' && c <= 'z' ? c - 32 : c; }

bool matchesAt(const char *p, std::string_view needle, bool folding)
{
    if (!folding)
        return std::memcmp(p, needle.data(), needle.size()) == 0;
    for (size_t k = 0; k < needle.size(); ++k) {
        if (fold(static_cast<unsigned char>(p[k]), true) != fold(static_cast<unsigned char>(needle[k]), true))
            return false;
    }
    return true;
}

// The two forms a byte of the needle matches: itself and its other case.
struct Forms {
    unsigned char a, b;
};

Forms formsOf(char c, bool folding)
{
    const auto u = fold(static_cast<unsigned char>(c), folding);
    return {u, folding && u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + 32) : u};
}

#if defined(__SSE2__)
// Bit k set where p[k] may start an occurrence: its first byte matches, and
// the byte where its last one falls matches that one.
inline unsigned candidates(const char *p, size_t last, Forms f, Forms l)
{
    const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + last));
    const __m128i h = _mm_or_si128(_mm_cmpeq_epi8(head, _mm_set1_epi8(char(f.a))),
                                   _mm_cmpeq_epi8(head, _mm_set1_epi8(char(f.b))));
    const __m128i t = _mm_or_si128(_mm_cmpeq_epi8(tail, _mm_set1_epi8(char(l.a))),
                                   _mm_cmpeq_epi8(tail, _mm_set1_epi8(char(l.b))));
    return unsigned(_mm_movemask_epi8(_mm_and_si128(h, t)));
}
#endif

bool startsHere(const char *p, std::string_view needle, bool folding, Forms f)
{
    const auto c = static_cast<unsigned char>(*p);
    return (c == f.a || c == f.b) && matchesAt(p, needle, folding);
}

} // namespace

long findBytes(const char *p, size_t n, std::string_view needle, bool folding)
{
    const size_t m = needle.size();
    if (m == 0 || m > n)
        return m == 0 ? 0 : -1;
    const Forms f = formsOf(needle.front(), folding);
    const size_t starts = n - m + 1; // places an occurrence may begin
    size_t i = 0;
#if defined(__SSE2__)
    const Forms l = formsOf(needle.back(), folding);
    for (; i + 16 <= starts; i += 16) {
        for (unsigned bits = candidates(p + i, m - 1, f, l); bits != 0; bits &= bits - 1) {
            const size_t at = i + size_t(__builtin_ctz(bits));
            if (matchesAt(p + at, needle, folding))
                return long(at);
        }
    }
#endif
    for (; i < starts; ++i) {
        if (startsHere(p + i, needle, folding, f))
            return long(i);
    }
    return -1;
}

long findBytesBackward(const char *p, size_t n, std::string_view needle, bool folding)
{
    const size_t m = needle.size();
    if (m == 0 || m > n)
        return m == 0 ? long(n) : -1;
    const Forms f = formsOf(needle.front(), folding);
    size_t starts = n - m + 1;
#if defined(__SSE2__)
    const Forms l = formsOf(needle.back(), folding);
    for (; starts >= 16; starts -= 16) {
        const size_t i = starts - 16;
        for (unsigned bits = candidates(p + i, m - 1, f, l); bits != 0;) {
            const int top = 31 - __builtin_clz(bits);
            if (matchesAt(p + i + size_t(top), needle, folding))
                return long(i) + top;
            bits &= ~(1u << top);
        }
    }
#endif
    while (starts-- > 0) {
        if (startsHere(p + starts, needle, folding, f))
            return long(starts);
    }
    return -1;
}

} // namespace verno
