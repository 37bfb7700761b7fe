#include "search/searchengine.h"
#include "editor/busystatus.h"
#include "editor/editcontrol.h"
#include "editor/frameservices.h"
#include "editor/textconvert.h"
#include "platform/prompter.h"
#include "search/searchoptions.h"
#include "util/textutil.h"

#include <algorithm>

namespace verno {

namespace {

const QString kSearching = QStringLiteral("Searching...");

void foldInPlace(std::string &s)
{
    for (char &c : s)
        c = UpperCaseChar(c);
}

// Characters of a line that a search looks at.
int searchedLength(const std::string &line) { return std::min(int(line.size()), kShortMax); }

} // namespace

SearchEngine::SearchEngine(EditControl &memo, T_SearchOptions &options, FrameServices &frame)
    : memo_(memo), opt_(options), frame_(frame)
{
}

std::string SearchEngine::pattern() const
{
    std::string p = opt_.FindText;
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

std::optional<SearchEngine::Hit> SearchEngine::scanForward(const std::string &pat) const
{
    int line = 0;
    int column = 0;
    if (!(opt_.FirstSearch && opt_.Origin == T_SearchOptions::kOriginEntire)) {
        const int end = memo_.SelectionStart() + memo_.SelectionLength();
        line = memo_.LineOf(end);
        column = end - memo_.LineStart(line);
    }
    std::string part;
    part.reserve(kShortMax + 1);
    for (const int count = memo_.LineCount(); line < count; ++line, column = 0) {
        const std::string text = memo_.LineText(line);
        linePart(part, text, column, searchedLength(text) - column);
        if (const int p = ShortPos(part, pat); p > 0)
            return Hit{line, column + p - 1};
    }
    return std::nullopt;
}

std::optional<SearchEngine::Hit> SearchEngine::scanBackward(const std::string &pat) const
{
    int line = 0;
    int column = kShortMax; // the whole searched part
    if (opt_.FirstSearch && opt_.Origin == T_SearchOptions::kOriginEntire) {
        line = memo_.LineCount() - 1;
    } else {
        const int start = memo_.SelectionStart();
        line = memo_.LineOf(start);
        column = start - memo_.LineStart(line);
    }
    std::string part;
    part.reserve(kShortMax + 1);
    for (; line >= 0; --line, column = kShortMax) {
        const std::string text = memo_.LineText(line);
        linePart(part, text, 0, std::min(column, searchedLength(text)));
        if (const int p = ShortLastPos(part, pat); p > 0)
            return Hit{line, p - 1};
    }
    return std::nullopt;
}

std::optional<SearchEngine::Hit> SearchEngine::scan(const std::string &pat) const
{
    return opt_.Backward ? scanBackward(pat) : scanForward(pat);
}

bool SearchEngine::present(const std::optional<Hit> &hit, std::optional<BusyStatus> &busy)
{
    if (hit) {
        memo_.SetCaret(memo_.LineStart(hit->line) + hit->column);
        memo_.SetSelectionLength(int(opt_.FindText.size()));
        return true;
    }
    if (opt_.ReportNotFound) {
        busy.reset();
        informationBox(QStringLiteral("\"%1\" not found").arg(bytesToDisplay(opt_.FindText)));
    }
    return false;
}

bool SearchEngine::searchWith(Scan scanner)
{
    if (opt_.FindText.empty())
        return false;
    std::optional<BusyStatus> busy(std::in_place, frame_, kSearching);
    return present((this->*scanner)(pattern()), busy);
}

bool SearchEngine::Search() { return searchWith(&SearchEngine::scan); }
bool SearchEngine::SearchForward() { return searchWith(&SearchEngine::scanForward); }
bool SearchEngine::SearchBackward() { return searchWith(&SearchEngine::scanBackward); }

void SearchEngine::ReplaceOccurrences()
{
    if (memo_.ReadOnly() || opt_.FindText.empty())
        return;
    bool all = opt_.AllOccurrences;
    bool prompt = opt_.PromptOnReplace;
    bool more = true;
    const std::string pat = pattern();
    // One busy state across the loop; it pauses only for the question.
    std::optional<BusyStatus> busy;
    while (more) {
        if (!busy)
            busy.emplace(frame_, kSearching);
        if (!present(scan(pat), busy))
            break;
        bool replace = true;
        more = all;
        if (prompt) {
            busy.reset();
            const Buttons buttons = BtnYes | BtnNo | BtnCancel | (opt_.AllOccurrences ? Buttons(BtnAll) : Buttons(0));
            switch (confirmBox(QStringLiteral("Replace this occurrence?"), buttons)) {
            case Answer::Yes: break;
            case Answer::No: replace = false; break;
            case Answer::All:
                all = more = true;
                prompt = false;
                break;
            default:
                replace = more = false;
                break;
            }
        }
        if (replace) {
            const int start = memo_.SelectionStart();
            memo_.ReplaceSelection(opt_.ReplaceText);
            if (opt_.Backward) {
                memo_.SetCaret(start);
                memo_.SetSelectionLength(0);
            }
        }
        opt_.FirstSearch = false;
        opt_.ReportNotFound = false;
    }
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
    if (!IsWordCharAt(text, column))
        return {};
    int first = column;
    int last = column + 1;
    while (IsWordCharAt(text, first - 1))
        --first;
    while (IsWordCharAt(text, last))
        ++last;
    return text.substr(size_t(first), size_t(last - first));
}

} // namespace verno
