#include "print/pagelayout.h"
#include "editor/editcontrol.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace verno {

PrintRange wholeTextRange(const EditControl &memo)
{
    PrintRange r;
    r.EndLine = memo.LineCount() - 1;
    // A UTF-8 line of 255 characters may hold up to four times as many bytes.
    r.EndCol = memo.Utf8() ? INT_MAX : 255;
    return r;
}

PrintRange selectionRange(const EditControl &memo, int copies)
{
    const int start = memo.SelectionStart();
    const int end = start + memo.SelectionLength();
    PrintRange r;
    r.StartLine = memo.LineOf(start);
    r.StartCol = start - memo.LineStart(r.StartLine);
    r.EndLine = memo.LineOf(end);
    r.EndCol = end - memo.LineStart(r.EndLine);
    r.Copies = copies;
    return r;
}

std::string printedLine(std::string text, int index, const PrintRange &range, int leftMargin, bool utf8)
{
    if (utf8) {
        text.resize(utf8::headUnits(text, kShortMax));
        if (index == range.EndLine && range.EndCol < int(text.size()))
            text.resize(size_t(std::max(0, range.EndCol)));
        if (index == range.StartLine)
            text.erase(0, std::min(text.size(), size_t(std::max(0, range.StartCol))));
        if (index == 0 && range.StartCol < 3 && utf8::startsWithBom(text))
            text.erase(0, 3);
    } else {
        text = ShortHead(text, kShortMax);
        if (index == range.EndLine)
            text = ShortTruncate(text, range.EndCol);
        if (index == range.StartLine)
            text = ShortDelete(text, 1, range.StartCol);
    }
    if (!text.empty())
        text.insert(0, std::size_t(std::max(0, leftMargin)), ' ');
    return text + "\r\n";
}

// --- layout ------------------------------------------------------------------

PageLayout::PageLayout(PrintDevice &device, bool utf8)
    : device_(device), utf8_(utf8), width_(device.PageWidth()), height_(device.PageHeight()),
      charHeight_(device.CharHeight()), tabWidth_(std::max(1, 8 * device.AverageCharWidth()))
{
}

void PageLayout::write(std::string_view chars)
{
    for (const char c : chars) {
        switch (c) {
        case '\t': flushRun(); tab(); break;
        case '\r': flushRun(); break;
        case '\n': flushRun(); newLine(); break;
        case '\f': flushRun(); newPage(); break;
        default: run_ += c;
        }
    }
}

void PageLayout::startAtPageTop()
{
    flushRun();
    if (!pageBreakPending_)
        newPage();
}

void PageLayout::flushRun()
{
    std::string_view rest = run_;
    while (!rest.empty()) {
        const int room = width_ - x_;
        if (device_.Extent(rest).width <= room) {
            draw(rest);
            break;
        }
        std::size_t n = longestFit(rest, room);
        // A character wider than the whole page goes on a line of its own.
        if (n == 0 && x_ == 0) {
            char32_t first;
            n = utf8_ ? utf8::unitLength(reinterpret_cast<const unsigned char *>(rest.data()), rest.size(), first) : 1;
        }
        draw(rest.substr(0, n));
        newLine();
        rest.remove_prefix(n);
    }
    run_.clear();
}

std::size_t PageLayout::longestFit(std::string_view run, int room)
{
    // Where a beginning of the run may end: after any byte, or after a
    // character with its marks.
    std::vector<std::size_t> ends;
    if (utf8_) {
        const auto *s = reinterpret_cast<const unsigned char *>(run.data());
        for (std::size_t i = 0; i < run.size();) {
            char32_t first;
            i += utf8::unitLength(s + i, run.size() - i, first);
            ends.push_back(i);
        }
    }
    const auto end = [&](std::size_t k) { return k == 0 ? 0 : utf8_ ? ends[k - 1] : k; };
    // Widths grow with length: the longest beginning that fits, by bisection.
    std::size_t lo = 0, hi = utf8_ ? ends.size() : run.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (device_.Extent(run.substr(0, end(mid))).width <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    return end(lo);
}

void PageLayout::draw(std::string_view run)
{
    if (run.empty())
        return;
    if (pageBreakPending_) {
        device_.NewPage();
        pageBreakPending_ = false;
    }
    const TextExtent e = device_.Extent(run);
    device_.DrawText(x_, y_, run);
    x_ += e.width;
    if (e.height > h_)
        h_ = e.height + 2;
}

void PageLayout::tab()
{
    const int t = tabWidth_;
    x_ = x_ + t - ((x_ + t + 1) % t) + 1;
    if (x_ > width_)
        newLine();
}

void PageLayout::newLine()
{
    x_ = 0;
    y_ += h_ > 0 ? h_ : charHeight_;
    if (y_ > height_ - 2 * h_)
        newPage();
    h_ = 0;
}

void PageLayout::newPage()
{
    // A break after a break leaves the page between them empty.
    if (pageBreakPending_)
        device_.NewPage();
    pageBreakPending_ = true;
    x_ = 0;
    y_ = 0;
}

// --- the job -----------------------------------------------------------------

void printRange(PrintDevice &device, const EditControl &memo, const PrintRange &range,
                int leftMargin, const PrintFont &font)
{
    device.StartDocument();
    try {
        device.SetFont(font);
        device.SetUtf8(memo.Utf8());
        PageLayout layout(device, memo.Utf8());
        for (int copy = 0; copy < range.Copies; ++copy) {
            if (copy > 0)
                layout.startAtPageTop();
            for (int i = range.StartLine; i <= range.EndLine; ++i)
                layout.write(printedLine(memo.LineText(i), i, range, leftMargin, memo.Utf8()));
        }
        layout.finish();
    } catch (...) {
        try {
            device.EndDocument();
        } catch (const PrintError &) {
            // The first failure is the one to report.
        }
        throw;
    }
    device.EndDocument();
}

} // namespace verno
