#include "search/regexsearch.h"
#include "editor/busystatus.h"
#include "editor/editcontrol.h"
#include "editor/frameservices.h"
#include "editor/textconvert.h"
#include "platform/prompter.h"
#include "search/replaceloop.h"
#include "search/searchoptions.h"

#include <algorithm>
#include <climits>

namespace verno {

namespace {

const QString kSearching = QStringLiteral("Searching...");

} // namespace

RegexSearch::RegexSearch(EditControl &memo, T_SearchOptions &options, FrameServices &frame)
    : memo_(memo), opt_(options), frame_(frame)
{
}

RegexMatcher::Options RegexSearch::matcherOptions(const T_SearchOptions &options, bool utf8)
{
    return {options.CaseSensitive, options.WholeWords, utf8};
}

bool RegexSearch::compile()
{
    // The pattern and replacement in the window's own code.
    bool holdable = true;
    const std::string pattern = windowBytes(opt_.FindText, memo_.Utf8(), &holdable);
    replacement_ = windowBytes(opt_.ReplaceText, memo_.Utf8());
    if (!holdable) { // a character this text cannot hold is nowhere in it
        informationBox(QStringLiteral("\"%1\" not found").arg(opt_.FindTextShown()));
        return false;
    }
    if (matcher_.compile(pattern, matcherOptions(opt_, memo_.Utf8())))
        return true;
    errorBox(QStringLiteral("Bad regular expression \"%1\":\r%2")
                 .arg(opt_.FindTextShown(), QString::fromStdString(matcher_.error())));
    return false;
}

// A match in text from column on (forward) or before it (backward). atStart:
// the column is where the last hit left the selection, so an empty match
// right there would be found again and again.
std::optional<RegexMatcher::Match> RegexSearch::findInLine(const std::string &text, size_t column, bool backward,
                                                           bool atStart) const
{
    column = std::min(column, text.size());
    if (!backward)
        return matcher_.find(text, column, true, atStart);
    if (atStart && column == 0)
        return std::nullopt;
    return matcher_.findLast(std::string_view(text).substr(0, column), atStart ? column - 1 : column,
                             column == text.size());
}

// Entire text for a command's first search, else the selection: its end
// going forward, its start going backward.
RegexSearch::Start RegexSearch::start(bool backward) const
{
    const int count = memo_.LineCount();
    if (opt_.FirstSearch && opt_.Origin == T_SearchOptions::kOriginEntire)
        return backward ? Start{count - 1, SIZE_MAX, false} : Start{0, 0, false};
    const int p = backward ? memo_.SelectionStart() : memo_.SelectionStart() + memo_.SelectionLength();
    const int line = memo_.LineOf(p);
    if (backward && line >= count) // an empty last line holds nothing
        return {count - 1, SIZE_MAX, false};
    return {line, size_t(p - memo_.LineStart(line)), !opt_.FirstSearch};
}

std::optional<RegexSearch::Hit> RegexSearch::scan(bool backward)
{
    const int count = memo_.LineCount();
    Start at = start(backward);
    bool atStart = at.atStart;
    for (; at.line >= 0 && at.line < count; at.line += backward ? -1 : 1) {
        const std::string text = memo_.LineText(at.line);
        if (const auto m = findInLine(text, at.column, backward, atStart)) {
            Hit hit{at.line, m->start, m->end, {}};
            matcher_.expand(replacement_, text, hit.replacement);
            return hit;
        }
        at.column = backward ? SIZE_MAX : 0;
        atStart = false;
    }
    return std::nullopt;
}

bool RegexSearch::present(const std::optional<Hit> &hit, std::optional<BusyStatus> &busy)
{
    return presentOccurrence(
        memo_, opt_, busy,
        hit ? std::optional<Occurrence>({hit->line, int(hit->start), int(hit->end - hit->start)}) : std::nullopt);
}

bool RegexSearch::Search(bool backward)
{
    if (!compile())
        return false;
    std::optional<BusyStatus> busy(std::in_place, frame_, kSearching);
    return present(scan(backward), busy);
}

void RegexSearch::ReplaceOccurrences()
{
    if (!compile())
        return;
    const bool byLines = !memo_.WordWrap() && replacement_.find_first_of("\r\n") == std::string::npos;
    std::optional<Hit> hit;
    runReplaceLoop(memo_, opt_, frame_,
                   {[&](std::optional<BusyStatus> &busy) {
                        if (!byLines)
                            return false;
                        replaceByLines(busy);
                        return true;
                    },
                    [&](std::optional<BusyStatus> &busy) {
                        hit = scan(opt_.Backward);
                        return present(hit, busy) ? &hit->replacement : nullptr;
                    }});
}

// Every match in text from column on (forward) or before it (backward),
// replaced; column ends after the last replacement forward, at its start
// backward. True when anything was replaced.
bool RegexSearch::replaceInLine(std::string &text, size_t &column, bool atStart) const
{
    std::string out, with;
    bool changed = false;
    if (opt_.Backward) {
        for (std::optional<RegexMatcher::Match> m; (m = findInLine(text, column, true, atStart)); atStart = true) {
            with.clear();
            matcher_.expand(replacement_, text, with);
            text.replace(m->start, m->end - m->start, with);
            column = m->start;
            changed = true;
        }
        return changed;
    }
    size_t copied = 0;
    for (std::optional<RegexMatcher::Match> m; (m = matcher_.find(text, column, true, atStart));) {
        out.append(text, copied, m->start - copied);
        matcher_.expand(replacement_, text, out);
        copied = column = m->end;
        atStart = m->start == m->end; // not a second empty match at the same place
        changed = true;
    }
    if (!changed)
        return false;
    const size_t after = out.size();
    out.append(text, copied);
    text.swap(out);
    column = after;
    return true;
}

// Every match from the search's start on, without asking: each line is read
// once and written once.
void RegexSearch::replaceByLines(std::optional<BusyStatus> &busy)
{
    const bool backward = opt_.Backward;
    const int count = memo_.LineCount();
    Start at = start(backward);
    bool atStart = at.atStart;
    std::optional<Start> last;
    for (; at.line >= 0 && at.line < count; at.line += backward ? -1 : 1) {
        std::string text = memo_.LineText(at.line);
        if (replaceInLine(text, at.column, atStart)) {
            memo_.SetLineText(at.line, text);
            last = at;
        }
        at.column = backward ? SIZE_MAX : 0;
        atStart = false;
    }
    if (!last) {
        present(std::nullopt, busy);
        return;
    }
    memo_.SetCaret(memo_.LineStart(last->line) + int(last->column));
    memo_.SetSelectionLength(0);
    opt_.FirstSearch = false;
    opt_.ReportNotFound = false;
}

} // namespace verno
