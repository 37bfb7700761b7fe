#include "search/replaceloop.h"
#include "editor/busystatus.h"
#include "editor/editcontrol.h"
#include "platform/prompter.h"
#include "search/searchoptions.h"

namespace verno {

namespace {

// The answer to "Replace this occurrence?": whether to replace this one.
bool askReplace(const T_SearchOptions &opt, bool &all, bool &more, bool &prompt)
{
    const Buttons buttons = BtnYes | BtnNo | BtnCancel | (opt.AllOccurrences ? Buttons(BtnAll) : Buttons(0));
    switch (confirmBox(QStringLiteral("Replace this occurrence?"), buttons)) {
    case Answer::Yes: return true;
    case Answer::No: return false;
    case Answer::All:
        all = more = true;
        prompt = false;
        return true;
    default:
        more = false;
        return false;
    }
}

} // namespace

bool presentOccurrence(EditControl &memo, const T_SearchOptions &opt, std::optional<BusyStatus> &busy,
                       const std::optional<Occurrence> &found)
{
    if (found) {
        memo.SetCaret(memo.LineStart(found->line) + found->column);
        memo.SetSelectionLength(found->length);
        return true;
    }
    if (opt.ReportNotFound) {
        busy.reset();
        informationBox(QStringLiteral("\"%1\" not found").arg(opt.FindTextShown()));
    }
    return false;
}

void runReplaceLoop(EditControl &memo, T_SearchOptions &opt, FrameServices &frame, const ReplaceSteps &steps)
{
    bool all = opt.AllOccurrences;
    bool prompt = opt.PromptOnReplace;
    bool more = true;
    // One busy state across the loop; it pauses only for the question.
    std::optional<BusyStatus> busy;
    while (more) {
        if (!busy)
            busy.emplace(frame, QStringLiteral("Searching..."));
        if (all && !prompt && steps.all(busy))
            return;
        const std::string *with = steps.next(busy);
        if (!with)
            break;
        more = all;
        bool replace = true;
        if (prompt) {
            busy.reset();
            replace = askReplace(opt, all, more, prompt);
        }
        if (replace) {
            const int start = memo.SelectionStart();
            memo.ReplaceSelection(*with);
            if (opt.Backward) {
                memo.SetCaret(start);
                memo.SetSelectionLength(0);
            }
        }
        opt.FirstSearch = false;
        opt.ReportNotFound = false;
    }
}

} // namespace verno
