#include "util/textlayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace verno {

namespace {

constexpr int kSpan = 4096;     // bytes between x checkpoints of a long line
constexpr size_t kCacheSize = 32; // long lines whose wraps or checkpoints are kept

bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// The epsilon absorbs rounding, so a position on a stop goes to the next one.
double nextTabStop(double x, double tab) { return (std::floor(x / tab + 1e-4) + 1) * tab; }

} // namespace

void TextLayout::setWidths(const ByteWidths &widths)
{
    widths_ = widths;
    rebuild();
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
    // Most lines fit at a glance: no tab, and even the widest bytes would fit.
    if (n * double(w.widest) <= width && (n == 0 || !std::memchr(s, '\t', size_t(n))))
        return 1;
    int lines = 1;
    int lineStart = 0;
    int lastBreak = 0; // a break is allowed here: just after a blank
    double x = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned char c = s[i];
        if (isBlank(c)) {
            // Blanks hang past the edge; the break comes after them.
            x = c == '\t' ? nextTabStop(x, w.tab) : x + w.advance[c];
            lastBreak = i + 1;
            continue;
        }
        const double a = w.advance[c];
        while (x + a > width && i > lineStart) {
            // After the last blank; a word wider than the line breaks inside.
            const int brk = lastBreak > lineStart ? lastBreak : i;
            x = 0;
            for (int j = brk; j < i; ++j)
                x += w.advance[s[j]];
            lineStart = brk;
            ++lines;
            if (breaks)
                breaks->push_back(brk);
        }
        x += a;
    }
    return lines;
}

int TextLayout::countLine(int line) const
{
    const int start = text_.lineStart(line);
    return wrap(text_.view(start, text_.lineEnd(line) - start, scratch_), widths_, wrapWidth_, nullptr);
}

void TextLayout::rebuild()
{
    dropCaches();
    if (!wrapping()) {
        display_.reset(0);
        return;
    }
    const int lines = text_.lineCount();
    display_.reset(countLine(0));
    for (int line = 1; line < lines; ++line)
        display_.extend(countLine(line));
}

void TextLayout::linesReplaced(int first, int removed, int added)
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
    if (!wrapping())
        return;
    const int oldCount = display_.start(first + removed) - display_.start(first);
    display_.remove(first + 1, removed - 1);
    const int base = display_.start(first);
    int sum = 0;
    for (int i = 0; i < added; ++i) {
        if (i > 0)
            display_.insert(first + i, base + sum);
        // Long lines keep their wraps from this one pass.
        const int line = first + i;
        sum += text_.lineEnd(line) - text_.lineStart(line) < kSpan ? countLine(line)
                                                                   : int(breaksOf(line).size()) + 1;
    }
    display_.grow(first + added - 1, sum - oldCount);
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

const std::vector<double> &TextLayout::checkpointsOf(int line) const
{
    bool found = false;
    Checkpoints &slot = slotFor(checkpoints_, line, found);
    if (found)
        return slot.x;
    slot.x.clear();
    const int start = text_.lineStart(line);
    const int end = text_.lineEnd(line);
    double x = 0;
    for (int p = start; p < end; p += kSpan) {
        slot.x.push_back(x);
        x = advanceRun(p, std::min(end, p + kSpan), x);
    }
    return slot.x;
}

int TextLayout::lineOf(int pos) const
{
    pos = std::clamp(pos, 0, text_.length());
    const int line = text_.lineOf(pos);
    if (!wrapping())
        return line;
    const std::vector<int> &b = breaksOf(line);
    const int offset = pos - text_.lineStart(line);
    return display_.start(line) + int(std::upper_bound(b.begin(), b.end(), offset) - b.begin());
}

int TextLayout::lineStart(int n) const
{
    if (!wrapping())
        return text_.lineStart(n);
    const int line = display_.rangeOf(n);
    const int k = n - display_.start(line);
    return text_.lineStart(line) + (k == 0 ? 0 : breaksOf(line)[size_t(k - 1)]);
}

int TextLayout::lineEnd(int n) const
{
    if (!wrapping())
        return text_.lineEnd(n);
    const int line = display_.rangeOf(n);
    const int k = n - display_.start(line);
    const std::vector<int> &b = breaksOf(line);
    return size_t(k) < b.size() ? text_.lineStart(line) + b[size_t(k)] : text_.lineEnd(line);
}

double TextLayout::advanceRun(int from, int to, double x) const
{
    const std::string_view bytes = text_.view(from, to - from, scratch_);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        x = c == '\t' ? nextTabStop(x, widths_.tab) : x + widths_.advance[c];
    }
    return x;
}

double TextLayout::xOf(int pos) const { return xOf(pos, lineOf(pos)); }

double TextLayout::xOf(int pos, int n) const
{
    const int start = lineStart(n);
    pos = std::clamp(pos, start, lineEnd(n));
    if (!wrapping() && pos - start > kSpan) {
        const std::vector<double> &cp = checkpointsOf(n);
        const int k = (pos - start) / kSpan;
        return advanceRun(start + k * kSpan, pos, cp[size_t(k)]);
    }
    return advanceRun(start, pos, 0);
}

int TextLayout::positionAt(int n, double x) const
{
    int p = lineStart(n);
    const int end = lineEnd(n);
    double cx = 0;
    if (!wrapping() && end - p > kSpan) {
        const std::vector<double> &cp = checkpointsOf(n);
        const auto k = std::max<ptrdiff_t>(0, std::upper_bound(cp.begin(), cp.end(), x) - cp.begin() - 1);
        p += int(k) * kSpan;
        cx = cp[size_t(k)];
    }
    for (; p < end; ++p) {
        const unsigned char c = text_.at(p);
        const double next = c == '\t' ? nextTabStop(cx, widths_.tab) : cx + widths_.advance[c];
        if (x < (cx + next) / 2)
            return p;
        cx = next;
    }
    return end;
}

} // namespace verno
