#include "search/searchengine.h"
#include "editor/busystatus.h"
#include "editor/editcontrol.h"
#include "editor/frameservices.h"
#include "editor/textconvert.h"
#include "platform/prompter.h"
#include "search/regexsearch.h"
#include "search/replaceloop.h"
#include "search/searchoptions.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <algorithm>
#include <climits>

namespace verno {

namespace {

const QString kSearching = QStringLiteral("Searching...");
// A start column past any searched part: the whole part, going backward.
constexpr int kLineEnd = INT_MAX;

// The run of word characters of every script holding the character at column.
std::string utf8WordAt(const std::string &text, int column)
{
    const utf8::StringBytes b{text};
    if (column < 0 || column >= int(text.size()) || !utf8::isUnitStart(b, size_t(column)))
        return {};
    bool word = false;
    size_t last = size_t(column) + utf8::wordUnitAt(text, size_t(column), word);
    if (!word)
        return {};
    size_t first = size_t(column);
    for (bool more = true; more && first > 0;) {
        const size_t before = utf8::previousUnit(b, first);
        utf8::wordUnitAt(text, before, more);
        if (more)
            first = before;
    }
    for (bool more = true; more && last < text.size();) {
        const size_t next = last + utf8::wordUnitAt(text, last, more);
        if (more)
            last = next;
    }
    return text.substr(first, last - first);
}

void foldInPlace(std::string &s)
{
    for (char &c : s)
        c = UpperCaseChar(c);
}

} // namespace

SearchEngine::SearchEngine(EditControl &memo, T_SearchOptions &options, FrameServices &frame)
    : memo_(memo), opt_(options), frame_(frame)
{
}

void SearchEngine::prepare()
{
    utf8_ = memo_.Utf8();
    needle_ = windowBytes(opt_.FindText, utf8_, &holdable_);
    replacement_ = windowBytes(opt_.ReplaceText, utf8_);
    if (utf8_)
        matcher_.emplace(needle_, opt_.CaseSensitive, opt_.WholeWords);
}

std::string SearchEngine::pattern() const
{
    std::string p = needle_;
    if (!opt_.CaseSensitive)
        foldInPlace(p);
    if (opt_.WholeWords)
        p = ShortHead(' ' + p + ' ', kShortMax);
    return p;
}

// count characters of line from column from, folded and padded like the pattern.
void SearchEngine::linePart(std::string &part, const std::string &line, int from, int count) const
{
    part.clear();
    if (opt_.WholeWords)
        part += ' ';
    if (count > 0)
        part.append(line, size_t(from), size_t(count));
    if (opt_.WholeWords)
        part += ' ';
    if (int(part.size()) > kShortMax)
        part.resize(kShortMax);
    if (!opt_.CaseSensitive)
        foldInPlace(part);
}

// Entire text for a command's first search, else the selection: its end
// going forward, its start going backward.
SearchEngine::Hit SearchEngine::startPosition(bool backward) const
{
    const int count = memo_.LineCount();
    if (opt_.FirstSearch && opt_.Origin == T_SearchOptions::kOriginEntire)
        return backward ? Hit{count - 1, kLineEnd} : Hit{0, 0};
    const int p = backward ? memo_.SelectionStart() : memo_.SelectionStart() + memo_.SelectionLength();
    const int line = memo_.LineOf(p);
    if (backward && line >= count) // an empty last line holds nothing
        return {count - 1, kLineEnd};
    return {line, p - memo_.LineStart(line)};
}

// The first occurrence at or after column (forward), or the last one ending
// by column (backward), in the searched part of text; column -1 if none.
SearchEngine::Hit SearchEngine::findInLine(const std::string &text, int column, bool backward,
                                           const std::string &pat, std::string &part) const
{
    if (utf8_) {
        // The first 255 characters, never part of one.
        const int searched = int(utf8::headUnits(text, kShortMax));
        const CharMatcher::Match m = backward ? matcher_->find(text, 0, std::min(column, searched), true)
                                              : matcher_->find(text, column, searched, false);
        return {0, m.offset, m.length};
    }
    const int searched = std::min(int(text.size()), kShortMax); // the rest is never searched
    const int found = int(needle_.size());
    if (backward) {
        linePart(part, text, 0, std::min(column, searched));
        const int p = ShortLastPos(part, pat);
        return {0, p > 0 ? p - 1 : -1, found};
    }
    linePart(part, text, column, searched - column);
    const int p = ShortPos(part, pat);
    return {0, p > 0 ? column + p - 1 : -1, found};
}

// What every occurrence of the pattern holds: the find text, as far as a
// padded whole-word pattern keeps it.
std::string SearchEngine::core() const
{
    // Folding past ASCII (and the letters that fold onto ASCII ones) is the
    // matcher's: no shortcut for a UTF-8 window that ignores case.
    if (utf8_)
        return opt_.CaseSensitive ? needle_ : std::string();
    return opt_.WholeWords ? ShortHead(needle_, kShortMax - 1) : needle_;
}

// Past the lines the control knows cannot hold the core; false when none
// further can.
bool SearchEngine::skipToCandidate(Hit &at, bool backward, const std::string &core) const
{
    const int line = memo_.NextLineHolding(at.line, core, opt_.CaseSensitive, backward);
    if (line < 0)
        return false;
    if (line != at.line)
        at = {line, backward ? kLineEnd : 0};
    return true;
}

std::optional<SearchEngine::Hit> SearchEngine::scan(const std::string &pat, bool backward) const
{
    Hit at = startPosition(backward);
    const int count = memo_.LineCount();
    const std::string needle = core();
    std::string part;
    part.reserve(kShortMax + 1);
    for (; at.line >= 0 && at.line < count; at.line += backward ? -1 : 1, at.column = backward ? kLineEnd : 0) {
        if (!skipToCandidate(at, backward, needle))
            break;
        const Hit hit = findInLine(memo_.LineText(at.line), at.column, backward, pat, part);
        if (hit.column >= 0)
            return Hit{at.line, hit.column, hit.length};
    }
    return std::nullopt;
}

// A find text holding a character no text here holds is nowhere.
std::optional<SearchEngine::Hit> SearchEngine::find(const std::string &pat, bool backward) const
{
    return holdable_ ? scan(pat, backward) : std::nullopt;
}

bool SearchEngine::present(const std::optional<Hit> &hit, std::optional<BusyStatus> &busy)
{
    return presentOccurrence(memo_, opt_, busy,
                             hit ? std::optional<Occurrence>({hit->line, hit->column, hit->length}) : std::nullopt);
}

bool SearchEngine::searchIn(bool backward)
{
    if (opt_.FindText.empty())
        return false;
    prepare();
    if (opt_.RegularExpression)
        return RegexSearch(memo_, opt_, frame_).Search(backward);
    std::optional<BusyStatus> busy(std::in_place, frame_, kSearching);
    return present(find(pattern(), backward), busy);
}

bool SearchEngine::Search() { return searchIn(opt_.Backward); }
bool SearchEngine::SearchForward() { return searchIn(false); }
bool SearchEngine::SearchBackward() { return searchIn(true); }

void SearchEngine::ReplaceOccurrences()
{
    if (memo_.ReadOnly() || opt_.FindText.empty())
        return;
    if (opt_.RegularExpression) {
        RegexSearch(memo_, opt_, frame_).ReplaceOccurrences();
        return;
    }
    prepare();
    const std::string pat = pattern();
    // Line by line gives the same result while lines keep their number.
    const bool byLines = !memo_.WordWrap() && replacement_.find_first_of("\r\n") == std::string::npos;
    runReplaceLoop(memo_, opt_, frame_,
                   {[&](std::optional<BusyStatus> &busy) {
                        if (!byLines || !holdable_)
                            return false;
                        replaceByLines(pat, busy);
                        return true;
                    },
                    [&](std::optional<BusyStatus> &busy) {
                        return present(find(pat, opt_.Backward), busy) ? &replacement_ : nullptr;
                    }});
}

// Every occurrence from the search's start on, without asking: each line is
// read once and rewritten once, with the replacements the one-at-a-time loop
// would make in it (the search in a line goes on after each replacement,
// forward, or before it, backward).
void SearchEngine::replaceByLines(const std::string &pat, std::optional<BusyStatus> &busy)
{
    const bool backward = opt_.Backward;
    Hit at = startPosition(backward);
    const int count = memo_.LineCount();
    const std::string &with = replacement_;
    std::optional<Hit> last; // where the caret goes after the last replacement
    const std::string needle = core();
    std::string part;
    part.reserve(kShortMax + 1);
    for (; at.line >= 0 && at.line < count; at.line += backward ? -1 : 1, at.column = backward ? kLineEnd : 0) {
        if (!skipToCandidate(at, backward, needle))
            break;
        std::string text = memo_.LineText(at.line);
        bool changed = false;
        for (Hit hit; (hit = findInLine(text, at.column, backward, pat, part)).column >= 0; changed = true) {
            text.replace(size_t(hit.column), size_t(hit.length), with);
            at.column = backward ? hit.column : hit.column + int(with.size());
        }
        if (changed) {
            memo_.SetLineText(at.line, text);
            last = at;
        }
    }
    if (!last) {
        present(std::nullopt, busy);
        return;
    }
    memo_.SetCaret(memo_.LineStart(last->line) + last->column);
    memo_.SetSelectionLength(0);
    opt_.FirstSearch = false;
    opt_.ReportNotFound = false;
}

void SearchEngine::FindAgainClick()
{
    if (!opt_.CanSearchAgain())
        return;
    opt_.FirstSearch = false;
    opt_.ReportNotFound = true;
    if (opt_.LastAction == SearchAction::Find)
        Search();
    else
        ReplaceOccurrences();
}

std::string WordAtCursor(const EditControl &memo)
{
    if (memo.LineCount() == 0)
        return {};
    const std::string text = memo.LineText(memo.LineOf(memo.LineStart(-1)));
    const int start = memo.SelectionStart();
    const int column = start - memo.LineStart(memo.LineOf(start));
    if (memo.Utf8())
        return utf8WordAt(text, column);
    if (!IsWordCharAt(text, column))
        return {};
    int first = column;
    int last = column + 1;
    while (IsWordCharAt(text, first - 1))
        --first;
    while (IsWordCharAt(text, last))
        ++last;
    return searchChars(text.substr(size_t(first), size_t(last - first)), false);
}

} // namespace verno
