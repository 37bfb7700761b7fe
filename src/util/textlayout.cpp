#include "util/textlayout.h"
#include "util/linebreaks.h"
#include "util/parallel.h"
#include "util/charwidths.h"
#include "util/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace verno {

namespace {

constexpr int kSpan = 4096;     // bytes between x checkpoints of a long line
constexpr size_t kCacheSize = 32; // long lines whose wraps or checkpoints are kept

bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// Whether n bytes without a tab fit the width whatever they are.
bool fitsAtAGlance(size_t n, const ByteWidths &w, double width) { return double(n) * double(w.widest) <= width; }

// The epsilon absorbs rounding, so a position on a stop goes to the next one.
double nextTabStop(double x, double tab) { return (std::floor(x / tab + 1e-4) + 1) * tab; }

using Step = TextLayout::Step;

// A unit past ASCII, or ASCII followed by a mark.
Step utf8Step(const unsigned char *s, size_t n, double x, const ByteWidths &w)
{
    char32_t first;
    const size_t length = utf8::unitLength(s, n, first);
    if (first == utf8::kInvalidByte)
        return {1, x + w.invalid[s[0] - 0x80]};
    char32_t cp;
    if (utf8::decode(s, n, cp) == int(length)) {
        if (cp < 0x80)
            return {1, x + w.advance[cp]};
        // The byte-order mark takes no room: it is kept, not shown.
        if (cp == utf8::kBomChar)
            return {int(length), x};
        return {int(length), x + (w.chars ? w.chars->of(cp) : w.widest)};
    }
    const std::string_view unit(reinterpret_cast<const char *>(s), length);
    return {int(length), x + (w.chars ? w.chars->ofUnit(unit) : w.widest)};
}

// Every measure of text goes through here.
template <bool Utf8> inline Step stepAt(const unsigned char *s, size_t n, double x, const ByteWidths &w)
{
    const unsigned char c = s[0];
    // Marks begin with 0xCC or above: a byte below that after ASCII ends its unit.
    if (!Utf8 || (c < 0x80 && (n == 1 || s[1] < 0xCC)))
        return {1, c == '\t' ? nextTabStop(x, w.tab) : x + w.advance[c]};
    return utf8Step(s, n, x, w);
}

// Room after a run's end for the unit that straddles it.
int slack(const ByteWidths &w) { return w.utf8 ? utf8::kMaxUnitBytes : 0; }

template <bool Utf8>
int wrapLine(const unsigned char *s, int n, const ByteWidths &w, double width, std::vector<int> *breaks)
{
    int lines = 1;
    int lineStart = 0;
    int lastBreak = 0; // a break is allowed here: just after a blank
    double x = 0;
    for (int i = 0; i < n;) {
        const unsigned char c = s[i];
        if (isBlank(c)) {
            // Blanks hang past the edge; the break comes after them.
            x = c == '\t' ? nextTabStop(x, w.tab) : x + w.advance[c];
            lastBreak = ++i;
            continue;
        }
        // A single byte is its own advance: the hot loop of wrapping such texts.
        int length = 1;
        double a = w.advance[c];
        if constexpr (Utf8) {
            const Step unit = stepAt<true>(s + i, size_t(n - i), x, w);
            a = unit.next - x;
            length = unit.length;
        }
        while (x + a > width && i > lineStart) {
            // After the last blank; a word wider than the line breaks inside.
            const int brk = lastBreak > lineStart ? lastBreak : i;
            x = 0;
            for (int j = brk; j < i;) {
                if constexpr (Utf8) {
                    const Step before = stepAt<true>(s + j, size_t(n - j), x, w);
                    x = before.next;
                    j += before.length;
                } else {
                    x += w.advance[s[j++]]; // no blank here, so no tab
                }
            }
            lineStart = brk;
            ++lines;
            if (breaks)
                breaks->push_back(brk);
        }
        x += a;
        i += length;
    }
    return lines;
}

bool hasHighByte(const unsigned char *s, size_t n)
{
    return std::any_of(s, s + n, [](unsigned char c) { return c >= 0x80; });
}

} // namespace

void TextLayout::setWidths(const ByteWidths &widths)
{
    const bool utf8 = widths_.utf8;
    widths_ = widths;
    widths_.utf8 = utf8;
    rebuild();
}

void TextLayout::setUtf8(bool on)
{
    if (on == widths_.utf8)
        return;
    widths_.utf8 = on;
    rebuild();
}

TextLayout::Step TextLayout::step(const unsigned char *s, size_t n, double x) const
{
    return widths_.utf8 ? stepAt<true>(s, n, x, widths_) : stepAt<false>(s, n, x, widths_);
}

void TextLayout::setWrapWidth(double width)
{
    width = std::max(0.0, width);
    if (width == wrapWidth_)
        return;
    wrapWidth_ = width;
    rebuild();
}

double TextLayout::tabEnd(double x) const { return nextTabStop(x, widths_.tab); }

int TextLayout::wrap(std::string_view line, const ByteWidths &w, double width, std::vector<int> *breaks)
{
    const auto *s = reinterpret_cast<const unsigned char *>(line.data());
    const int n = int(line.size());
    // Most lines fit at a glance: no tab, and even the widest bytes would fit
    // (a UTF-8 line only when it is ASCII: other characters are measured).
    if (fitsAtAGlance(size_t(n), w, width) && (n == 0 || !std::memchr(s, '\t', size_t(n)))
        && (!w.utf8 || !hasHighByte(s, size_t(n))))
        return 1;
    return w.utf8 ? wrapLine<true>(s, n, w, width, breaks) : wrapLine<false>(s, n, w, width, breaks);
}

int TextLayout::countRun(std::string_view run, bool last, const ByteWidths &w, double width)
{
    // Lines of printable ASCII need only their lengths, and the widest of
    // those characters, unless they are long; others are measured.
    const RunShape shape = runShape(run.data(), run.size());
    float plainWidest = 0;
    for (int c = ' '; c <= '~'; ++c)
        plainWidest = std::max(plainWidest, w.advance[size_t(c)]);
    if (shape.plain && double(shape.longest) * double(plainWidest) <= width)
        return int(shape.lineFeeds) + (last ? 1 : 0);
    const bool tabs = !shape.plain && std::memchr(run.data(), '\t', run.size()) != nullptr;
    ByteWidths glance = w;
    if (shape.plain)
        glance.widest = plainWidest;
    int lines = 0;
    size_t start = 0;
    for (;;) {
        const char *lf = findLineFeed(run.data() + start, run.size() - start);
        if (!lf && !last)
            return lines; // nothing follows the run's last break
        const size_t end = lf ? size_t(lf - run.data()) - 1 : run.size(); // before the CR
        lines += !tabs && !w.utf8 && fitsAtAGlance(end - start, glance, width) ? 1 : wrap(run.substr(start, end - start), w, width, nullptr);
        if (!lf)
            return lines;
        start = end + 2;
    }
}

int TextLayout::countLine(int line) const
{
    const int start = text_.lineStart(line);
    const int length = text_.lineEnd(line) - start;
    // Long lines keep their wraps from this one pass.
    if (length >= kSpan)
        return int(breaksOf(line).size()) + 1;
    return wrap(text_.view(start, length, scratch_), widths_, wrapWidth_, nullptr);
}

int TextLayout::countChunk(int c) const
{
    const int start = text_.chunkStart(c);
    const int end = text_.chunkEnd(c);
    if (end - start < kSpan)
        return countRun(text_.view(start, end - start, scratch_), c + 1 == text_.chunkCount(), widths_, wrapWidth_);
    int lines = 0;
    const int first = text_.chunkFirstLine(c);
    for (int line = first; line < first + text_.chunkLineCount(c); ++line)
        lines += countLine(line);
    return lines;
}

void TextLayout::rebuild()
{
    dropCaches();
    memo_ = {};
    if (!wrapping()) {
        display_.reset(0);
        return;
    }
    // Every chunk on its own, on all cores for a large text.
    const int chunks = text_.chunkCount();
    std::vector<int> bounds(static_cast<size_t>(chunks) + 1);
    for (int c = 0; c <= chunks; ++c)
        bounds[size_t(c)] = text_.chunkStart(c);
    std::vector<int> counts(static_cast<size_t>(chunks));
    // Characters past ASCII are measured once into a shared table: one thread.
    const int parts = widths_.utf8 ? 1 : bulkParts(size_t(text_.length()));
    runParts(parts, [&](int k) {
        std::string scratch;
        for (int c = chunks * k / parts; c < chunks * (k + 1) / parts; ++c) {
            const int start = bounds[size_t(c)];
            const std::string_view run = text_.view(start, bounds[size_t(c) + 1] - start, scratch);
            counts[size_t(c)] = countRun(run, c + 1 == chunks, widths_, wrapWidth_);
        }
    });
    display_.reset(counts[0]);
    display_.reserve(chunks);
    for (int c = 1; c < chunks; ++c)
        display_.extend(counts[size_t(c)]);
}

void TextLayout::linesReplaced(int first, int removed, int added, const ChunkChange &chunks)
{
    // Lines after the change keep what is known of them, under their new numbers.
    const auto shift = [&](int &line) {
        if (line >= first + removed)
            line += added - removed;
        else if (line >= first)
            line = -1;
    };
    for (Breaks &b : breaks_)
        shift(b.line);
    for (Checkpoints &c : checkpoints_)
        shift(c.line);
    memo_ = {};
    if (!wrapping() || chunks.empty())
        return;
    const int c0 = chunks.first;
    const int oldCount = display_.start(c0 + chunks.removed) - display_.start(c0);
    display_.remove(c0 + 1, chunks.removed - 1);
    const int base = display_.start(c0);
    int sum = 0;
    for (int i = 0; i < chunks.added; ++i) {
        if (i > 0)
            display_.insert(c0 + i, base + sum);
        sum += countChunk(c0 + i);
    }
    display_.grow(c0 + chunks.added - 1, sum - oldCount);
}

// From the chunk's first line, or from the last walk when that is on the way.
TextLayout::Walk TextLayout::walkTo(int line) const
{
    const int c = text_.chunkOfLine(line);
    Walk w{text_.chunkFirstLine(c), display_.start(c)};
    if (memo_.line >= w.line && memo_.line <= line)
        w = memo_;
    for (; w.line < line; ++w.line)
        w.display += countLine(w.line);
    return memo_ = w;
}

TextLayout::Walk TextLayout::walkToDisplay(int n) const
{
    const int c = display_.rangeOf(n);
    Walk w{text_.chunkFirstLine(c), display_.start(c)};
    const int end = w.line + text_.chunkLineCount(c);
    if (memo_.line >= w.line && memo_.line < end && memo_.display <= n)
        w = memo_;
    for (; w.line + 1 < end; ++w.line) {
        const int count = countLine(w.line);
        if (n < w.display + count)
            break;
        w.display += count;
    }
    return memo_ = w;
}

void TextLayout::dropCaches() const
{
    for (Breaks &b : breaks_)
        b.line = -1;
    for (Checkpoints &c : checkpoints_)
        c.line = -1;
}

template <typename Entry> Entry &TextLayout::slotFor(std::vector<Entry> &cache, int line, bool &found) const
{
    ++useClock_;
    Entry *oldest = nullptr;
    for (Entry &e : cache) {
        if (e.line == line) {
            e.used = useClock_;
            found = true;
            return e;
        }
        if (!oldest || e.used < oldest->used)
            oldest = &e;
    }
    found = false;
    if (cache.size() < kCacheSize || !oldest)
        oldest = &cache.emplace_back();
    oldest->line = line;
    oldest->used = useClock_;
    return *oldest;
}

const std::vector<int> &TextLayout::breaksOf(int line) const
{
    const int start = text_.lineStart(line);
    const int length = text_.lineEnd(line) - start;
    // Short lines wrap faster than a cache lookup pays for.
    if (length < kSpan) {
        shortBreaks_.clear();
        wrap(text_.view(start, length, scratch_), widths_, wrapWidth_, &shortBreaks_);
        return shortBreaks_;
    }
    bool found = false;
    Breaks &slot = slotFor(breaks_, line, found);
    if (!found) {
        slot.offsets.clear();
        wrap(text_.view(start, length, scratch_), widths_, wrapWidth_, &slot.offsets);
    }
    return slot.offsets;
}

const std::vector<TextLayout::Checkpoint> &TextLayout::checkpointsOf(int line) const
{
    bool found = false;
    Checkpoints &slot = slotFor(checkpoints_, line, found);
    if (found)
        return slot.at;
    slot.at.clear();
    const int start = text_.lineStart(line);
    const int end = text_.lineEnd(line);
    double x = 0;
    for (int p = start; p < end;) {
        slot.at.push_back({p - start, x});
        x = advanceRun(p, std::min(end, p + kSpan), x, &p);
    }
    return slot.at;
}

int TextLayout::lineOf(int pos) const
{
    pos = std::clamp(pos, 0, text_.length());
    const int line = text_.lineOf(pos);
    if (!wrapping())
        return line;
    const int first = walkTo(line).display;
    const std::vector<int> &b = breaksOf(line);
    const int offset = pos - text_.lineStart(line);
    return first + int(std::upper_bound(b.begin(), b.end(), offset) - b.begin());
}

int TextLayout::lineStart(int n) const
{
    if (!wrapping())
        return text_.lineStart(n);
    const Walk w = walkToDisplay(n);
    const int k = n - w.display;
    return text_.lineStart(w.line) + (k == 0 ? 0 : breaksOf(w.line)[size_t(k - 1)]);
}

int TextLayout::lineEnd(int n) const
{
    if (!wrapping())
        return text_.lineEnd(n);
    const Walk w = walkToDisplay(n);
    const int k = n - w.display;
    const std::vector<int> &b = breaksOf(w.line);
    return size_t(k) < b.size() ? text_.lineStart(w.line) + b[size_t(k)] : text_.lineEnd(w.line);
}

double TextLayout::advanceRun(int from, int to, double x, int *end) const
{
    const int room = std::min(text_.length(), to + slack(widths_));
    const std::string_view bytes = text_.view(from, room - from, scratch_);
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    const size_t stop = size_t(std::max(0, to - from));
    if (widths_.utf8) {
        while (i < stop) {
            const Step unit = stepAt<true>(s + i, n - i, x, widths_);
            x = unit.next;
            i += size_t(unit.length);
        }
    } else {
        for (; i < stop; ++i)
            x = stepAt<false>(s + i, n - i, x, widths_).next;
    }
    if (end)
        *end = from + int(i);
    return x;
}

double TextLayout::xOf(int pos) const { return xOf(pos, lineOf(pos)); }

double TextLayout::xOf(int pos, int n) const
{
    const int start = lineStart(n);
    pos = std::clamp(pos, start, lineEnd(n));
    if (!wrapping() && pos - start > kSpan) {
        const std::vector<Checkpoint> &cp = checkpointsOf(n);
        const auto k = std::upper_bound(cp.begin(), cp.end(), pos - start,
                                        [](int offset, const Checkpoint &c) { return offset < c.offset; });
        const Checkpoint &at = *std::prev(k);
        return advanceRun(start + at.offset, pos, at.x);
    }
    return advanceRun(start, pos, 0);
}

int TextLayout::positionAt(int n, double x) const
{
    int p = lineStart(n);
    int end = lineEnd(n);
    double cx = 0;
    if (!wrapping() && end - p > kSpan) {
        const std::vector<Checkpoint> &cp = checkpointsOf(n);
        const auto k = std::max<ptrdiff_t>(
            1, std::upper_bound(cp.begin(), cp.end(), x, [](double v, const Checkpoint &c) { return v < c.x; })
                   - cp.begin());
        if (size_t(k) < cp.size())
            end = p + cp[size_t(k)].offset; // x lies before the next checkpoint
        p += cp[size_t(k - 1)].offset;
        cx = cp[size_t(k - 1)].x;
    }
    const std::string_view bytes = text_.view(p, end - p, scratch_);
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        const Step unit = step(s + i, bytes.size() - i, cx);
        if (x < (cx + unit.next) / 2)
            return p + int(i);
        cx = unit.next;
        i += size_t(unit.length);
    }
    return end;
}

} // namespace verno
