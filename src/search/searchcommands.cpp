#include "search/searchcommands.h"
#include "editor/editcontrol.h"
#include "editor/frameservices.h"
#include "search/finddialog.h"
#include "search/gotodialog.h"
#include "search/replacedialog.h"
#include "search/searchengine.h"
#include "search/searchoptions.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <QPointer>

namespace verno {

namespace {

QPointer<TFindDialog> g_findDialog;
QPointer<TReplaceDialog> g_replaceDialog;
QPointer<TGotoDialog> g_gotoDialog;

template <typename D> D &dialog(QPointer<D> &held, QWidget *owner)
{
    if (!held)
        held = new D(owner);
    return *held;
}

// A menu item's hint in the message panel while its dialog is open.
class DialogHint {
public:
    DialogHint(FrameServices &frame, const char *item) : frame_(frame)
    {
        frame_.setStatusMessage(frame_.menuHint(QString::fromLatin1(item)));
    }
    ~DialogHint() { frame_.setStatusMessage(QString()); }
    DialogHint(const DialogHint &) = delete;
    DialogHint &operator=(const DialogHint &) = delete;

private:
    FrameServices &frame_;
};

// As the characters of the search state; a character takes up to four bytes.
std::string selectionText(const EditControl &memo)
{
    if (memo.SelectionLength() == 0)
        return {};
    std::string bytes = memo.SelectedText(memo.Utf8() ? 4 * kShortMax + 1 : kShortMax);
    if (memo.Utf8())
        bytes.resize(utf8::headUnits(bytes, kShortMax));
    return searchChars(bytes, memo.Utf8());
}

// Find and Replace: the dialog, then the engine from the origin.
template <typename Run>
void searchCommand(TSearchDialog &dialog, EditControl &memo, FrameServices &frame, SearchAction action,
                   Run run)
{
    T_SearchOptions &options = frame.searchOptions();
    DialogHint hint(frame, action == SearchAction::Find ? "MnuFind" : "MnuFindReplace");
    if (frame.findWord())
        options.SetFindText(WordAtCursor(memo));
    dialog.Utf8Window = memo.Utf8();
    if (!dialog.Execute(options, selectionText(memo)))
        return;
    options.FirstSearch = true;
    options.ReportNotFound = true;
    SearchEngine engine(memo, options, frame);
    if (!options.FindText.empty())
        run(engine);
    options.LastAction = action;
}

} // namespace

void CreateSearchDialogs(QWidget *owner)
{
    FindDialog(owner);
    ReplaceDialog(owner);
    GotoDialog(owner);
}

TFindDialog &FindDialog(QWidget *owner) { return dialog(g_findDialog, owner); }
TReplaceDialog &ReplaceDialog(QWidget *owner) { return dialog(g_replaceDialog, owner); }
TGotoDialog &GotoDialog(QWidget *owner) { return dialog(g_gotoDialog, owner); }

void FindClick(EditControl &memo, FrameServices &frame, QWidget *owner)
{
    searchCommand(FindDialog(owner), memo, frame, SearchAction::Find,
                  [](SearchEngine &engine) { engine.Search(); });
}

void FindReplaceClick(EditControl &memo, FrameServices &frame, QWidget *owner)
{
    if (memo.ReadOnly())
        return;
    searchCommand(ReplaceDialog(owner), memo, frame, SearchAction::Replace,
                  [](SearchEngine &engine) { engine.ReplaceOccurrences(); });
}

void FindLineClick(EditControl &memo, FrameServices &frame, QWidget *owner)
{
    TGotoDialog &goTo = GotoDialog(owner);
    goTo.Record.LineNumber = memo.LineOf(memo.LineStart(-1)) + 1;
    goTo.Record.LineTotal = memo.LineCount();
    DialogHint hint(frame, "MnuFindLine");
    if (!goTo.Execute())
        return;
    const int target = IntMax(1, IntMin(goTo.Record.LineNumber, goTo.Record.LineTotal)) - 1;
    memo.SetCaret(memo.LineStart(target));
    memo.SetSelectionLength(0);
}

} // namespace verno
