#include "util/linebreaks.h"
#include "util/parallel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace verno {

namespace {

// Bit k set where p[k] is a CR or an LF, for the 32 bytes at p.
inline uint32_t breakMask(const char *p)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16));
    const auto low = uint32_t(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(a, cr), _mm_cmpeq_epi8(a, lf))));
    const auto high = uint32_t(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, lf))));
    return low | high << 16;
#else
    uint32_t m = 0;
    for (int k = 0; k < 32; ++k)
        m |= uint32_t(p[k] == '\r' || p[k] == '\n') << k;
    return m;
#endif
}

} // namespace

size_t countLineFeeds(const char *p, size_t n)
{
    size_t count = 0;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    while (n - i >= 16) {
        // Each byte lane counts up to 255 blocks before the sum is taken.
        __m128i lanes = _mm_setzero_si128();
        const size_t blocks = std::min<size_t>((n - i) / 16, 255);
        for (size_t b = 0; b < blocks; ++b, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(v, lf));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += size_t(_mm_cvtsi128_si32(sums)) + size_t(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; i < n; ++i)
        count += p[i] == '\n';
    return count;
}

RunShape runShape(const char *p, size_t n)
{
    RunShape shape;
    size_t lineStart = 0;
    const auto lineFeedAt = [&](size_t i) {
        ++shape.lineFeeds;
        shape.longest = std::max(shape.longest, i - lineStart);
        lineStart = i + 1;
    };
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    __m128i odd = _mm_setzero_si128(); // bytes below blank or above tilde, breaks aside
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const __m128i lfs = _mm_cmpeq_epi8(v, lf);
        const __m128i breaks = _mm_or_si128(lfs, _mm_cmpeq_epi8(v, cr));
        // Signed: bytes from 128 on are below blank too.
        const __m128i low = _mm_andnot_si128(breaks, _mm_cmplt_epi8(v, _mm_set1_epi8(' ')));
        odd = _mm_or_si128(odd, _mm_or_si128(low, _mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F))));
        for (auto m = unsigned(_mm_movemask_epi8(lfs)); m != 0; m &= m - 1)
            lineFeedAt(i + size_t(__builtin_ctz(m)));
    }
    shape.plain = _mm_movemask_epi8(odd) == 0;
#endif
    for (; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if (c == '\n')
            lineFeedAt(i);
        else if ((c < ' ' && c != '\r') || c > '~')
            shape.plain = false;
    }
    shape.longest = std::max(shape.longest, n - lineStart);
    return shape;
}

const char *findLineFeed(const char *p, size_t n)
{
    return n == 0 ? nullptr : static_cast<const char *>(std::memchr(p, '\n', n)); // p may be null then
}

// --- scanning ------------------------------------------------------------------

BreakScan::BreakScan(const char *text, size_t n, size_t chunk, int parts) : size_(n), chunk_(std::max<size_t>(chunk, 1))
{
    const size_t count = std::clamp<size_t>(size_t(std::max(parts, 1)), 1, std::max<size_t>(n, 1));
    parts_.resize(count);
    for (size_t k = 0; k < count; ++k) {
        parts_[k].from = n * k / count;
        parts_[k].to = n * (k + 1) / count;
    }
    runParts(int(count), [&](int k) { scanPart(text, parts_[size_t(k)]); });

    // Parts in order: line lengths run on across part ends, positions move
    // by the lone breaks before them.
    long long open = 0; // length so far of the line that runs into the part
    for (Part &p : parts_) {
        p.loneBefore = extra_;
        for (const Mark &m : p.marks) {
            chunkStarts_.push_back(m.pos + extra_ + m.lone);
            chunkBreaks_.push_back(breaks_ + m.breaks);
        }
        if (p.hasBreak) {
            longest_ = std::max({longest_, size_t(open + p.head), p.longest});
            open = (long long)p.tail;
        } else {
            open += (long long)(p.to - p.from);
        }
        breaks_ += p.breaks;
        extra_ += p.lone;
        loneCr_ += p.loneCr;
    }
    longest_ = std::max(longest_, size_t(open));
}

void BreakScan::scanPart(const char *t, Part &s) const
{
    const size_t n = size_;
    size_t lineStart = s.from;
    size_t lastMark = s.from;
    // A break from start to end (inclusive); lone when it is not CR LF.
    const auto onBreak = [&](size_t start, size_t end, bool lone) {
        if (!s.hasBreak) {
            s.hasBreak = true;
            s.head = (long long)start - (long long)s.from; // -1: its CR ended the part before
        } else {
            s.longest = std::max(s.longest, start - lineStart);
        }
        ++s.breaks;
        s.lone += lone;
        lineStart = end + 1;
        if (lineStart - lastMark >= chunk_ && lineStart < n) {
            s.marks.push_back({lineStart, s.breaks, s.lone});
            lastMark = lineStart;
        }
    };
    const auto at = [&](size_t i) {
        if (t[i] == '\n') {
            const bool lone = i == 0 || t[i - 1] != '\r';
            onBreak(lone ? i : i - 1, i, lone);
        } else if (i + 1 >= n || t[i + 1] != '\n') {
            ++s.loneCr;
            onBreak(i, i, true); // a CR that is not the first half of CR LF
        }
    };
    size_t i = s.from;
    for (; i + 32 <= s.to; i += 32) {
        for (uint32_t m = breakMask(t + i); m != 0; m &= m - 1)
            at(i + size_t(__builtin_ctz(m)));
    }
    for (; i < s.to; ++i) {
        if (t[i] == '\n' || t[i] == '\r')
            at(i);
    }
    s.tail = s.to - lineStart;
}

// --- normalising -----------------------------------------------------------------

void BreakScan::normalise(char *text) const
{
    if (extra_ == 0)
        return;
    // The bytes of a part that the parts before it grow over are set aside
    // first; when that is much, one pass from the end needs nothing aside.
    size_t aside = 0;
    for (const Part &p : parts_)
        aside += std::min(p.to - p.from, p.loneBefore);
    if (parts_.size() == 1 || aside > size_ / 8) {
        Part whole;
        whole.to = size_;
        whole.lone = extra_;
        expandPart(text, whole, {}, 0, 0);
        return;
    }
    const size_t count = parts_.size();
    std::vector<std::vector<char>> heads(count);
    std::vector<char> before(count), after(count);
    for (size_t k = 0; k < count; ++k) {
        const Part &p = parts_[k];
        const size_t keep = std::min(p.to - p.from, p.loneBefore);
        heads[k].assign(text + p.from, text + p.from + keep);
        before[k] = p.from > 0 ? text[p.from - 1] : 0;
        after[k] = p.to < size_ ? text[p.to] : 0;
    }
    runParts(int(count), [&](int k) {
        const auto i = size_t(k);
        expandPart(text, parts_[i], heads[i], before[i], after[i]);
    });
}

// Backwards from the part's end to where its output ends: the writing never
// overtakes the reading. head holds the part's first bytes as they were;
// before and after are the bytes around the part (0 at the text's ends).
void BreakScan::expandPart(char *text, const Part &part, const std::vector<char> &head, char before, char after)
{
    const size_t from = part.from;
    const size_t kept = from + head.size();
    const auto raw = [&](size_t i) { return i < kept ? head[i - from] : text[i]; };
    size_t i = part.to;
    size_t j = part.to + part.loneBefore + part.lone;
    char next = after;
    while (i > from) {
#if defined(__SSE2__)
        if (i >= kept + 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i - 16));
            const __m128i hits =
                _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
            const auto mask = unsigned(_mm_movemask_epi8(hits));
            if (mask == 0) { // sixteen bytes without a break move as one
                i -= 16;
                j -= 16;
                _mm_storeu_si128(reinterpret_cast<__m128i *>(text + j), v);
                next = char(_mm_cvtsi128_si32(v));
                continue;
            }
            // The bytes after the last break in them move as one run.
            const size_t run = size_t(__builtin_clz(mask)) - 16;
            if (run > 0) {
                i -= run;
                j -= run;
                next = text[i];
                for (size_t k = run; k-- > 0;)
                    text[j + k] = text[i + k];
            }
        }
#endif
        --i;
        const char c = raw(i);
        if (c == '\n') {
            text[--j] = '\n';
            if ((i > from ? raw(i - 1) : before) != '\r')
                text[--j] = '\r';
        } else if (c == '\r') {
            if (next != '\n')
                text[--j] = '\n';
            text[--j] = '\r';
        } else {
            text[--j] = c;
        }
        next = c;
    }
}

} // namespace verno
