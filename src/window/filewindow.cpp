#include "window/filewindow.h"
#include "editor/busystatus.h"
#include "editor/fileio.h"
#include "editor/filesave.h"
#include "editor/fontchoice.h"
#include "window/windowhost.h"
#include "platform/fileattributes.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "search/bracketmatch.h"
#include "search/searchcommands.h"
#include "search/searchengine.h"
#include "search/textcommands.h"
#include "util/filebreaks.h"
#include "util/textstore.h"
#include "print/pagesetupdialog.h"
#include "print/printcommands.h"
#include "util/utf8.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStyle>
#include <algorithm>
#include <new>

namespace verno {

int CloseMode = CloseSingle;

namespace {
const QString kUntitled = QStringLiteral("Untitled");
EditControlFactory g_controlFactory = makeBufferEditControl;
} // namespace

void setEditControlFactory(EditControlFactory factory)
{
    g_controlFactory = factory ? factory : makeBufferEditControl;
}

TFileWindow::TFileWindow(WindowHost &frame, QWidget *parent)
    : QMdiSubWindow(parent), frame_(frame), memo_(g_controlFactory(this)), guard_(*this, frame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(memo_->widget());
    // The window's own system menu would claim Ctrl+W and Ctrl+F4, which
    // belong to the frame's menu.
    for (QAction *a : systemMenu()->actions())
        a->setShortcuts({});
    setWindowIcon(QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                   style()->standardIcon(QStyle::SP_FileIcon)));
    ownFont_ = frame_.defaultFont();
    ownColor_ = frame_.defaultTextColor();
    ApplyOwnFont();
    memo_->SetOnKeyPress([this](char &key) { MemoKeyPress(key); });
    memo_->SetUtf8(frame_.newWindowsUtf8()); // a file read later decides for itself
    memo_->setOverwriteQuery([this] { return !frame_.insertMode(); });
    memo_->SetOnTextChanged([this] { textStateChanged(); });
    buildPopup();
    buildLinePopup();
    memo_->setLineNumbers(frame_.initialLineNumbers());
    UpdateCaption();
    Recolour(frame_.grayReadOnly());
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates before, Qt::WindowStates now) {
        if ((before ^ now) & Qt::WindowActive)
            frame_.windowActivated(this, now.testFlag(Qt::WindowActive));
    });
}

TFileWindow::~TFileWindow()
{
    // The base class may still change the window state while it goes; by then
    // this is no longer an edit window the frame may be told about.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
    memo_->SetOnTextChanged(nullptr);
    // Gone without a word (the program ends on a signal): the copy stays.
    frame_.recoveryKeeper().forget(*this);
}

// --- names ---------------------------------------------------------------------

QString TFileWindow::FullName() const
{
    const QString full = FileDir + FileName;
    return full.isEmpty() ? kUntitled : full;
}

QString TFileWindow::ShortName() const { return FileName.isEmpty() ? kUntitled : FileName; }

QString TFileWindow::CaptionText() const
{
    if (FileName.isEmpty())
        return kUntitled;
    const QString name = frame_.pathInCaption() ? FileDir + FileName : FileName;
    // A file kept with other breaks than CR LF says so.
    if (frame_.keepLineBreaks() && Breaks != LineBreaks::CrLf)
        return name + QStringLiteral(" [%1]").arg(QLatin1String(lineBreaksName(Breaks)));
    return name;
}

QString TFileWindow::TabText() const
{
    return memo_->ModifiedFlag() ? QLatin1Char('[') + ShortName() + QLatin1Char(']')
                                 : QLatin1Char(' ') + ShortName() + QLatin1Char(' ');
}

QString TFileWindow::WindowListText(int number) const
{
    return number < 0 ? FullName() : QString::number(number) + QLatin1Char(' ') + FullName();
}

QString TFileWindow::FilePath() const { return FileDir + FileName; }

void TFileWindow::SetFileName(const QString &name)
{
    if (name.isEmpty()) {
        FileName.clear();
        FileDir.clear();
    } else {
        const QFileInfo info(QDir::current().absoluteFilePath(name));
        const QString full = QDir::cleanPath(info.absoluteFilePath());
        const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
        FileDir = full.left(slash + 1);
        FileName = full.mid(slash + 1);
    }
    UpdateCaption();
    guard_.renamed();
    if (memo_->ModifiedFlag())
        textStateChanged(); // the copy carries the new name
    frame_.windowRenamed(this);
}

void TFileWindow::UpdateCaption() { setWindowTitle(CaptionText()); }

// --- read-only -----------------------------------------------------------------

bool TFileWindow::IsReadOnly() const { return memo_->ReadOnly(); }

void TFileWindow::SetReadOnly(bool on)
{
    if (!on || IsReadOnly() || !memo_->ModifiedFlag() || frame_.roIfModified()) {
        memo_->SetReadOnly(on);
    } else {
        errorBox(QStringLiteral("Cannot enter read-only mode for\r%1\rText was modified. "
                                "See Preferences in Options menu.")
                     .arg(FullName()));
    }
    Recolour(frame_.grayReadOnly());
}

void TFileWindow::Recolour(bool grayReadOnly) { memo_->setGrayed(grayReadOnly && IsReadOnly()); }

// --- load and save -------------------------------------------------------------

bool TFileWindow::Load(const QString &name)
{
    bool result = name.isEmpty();
    BusyStatus busy(frame_, QStringLiteral("Reading.."));
    SetFileName(name);
    const QString path = FilePath();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return result;
    // Taken before reading: a change made while the file is read shows later.
    const DiskStamp stamp = DiskStamp::of(path);
    ByteBlock bytes;
    PreparedText ahead;
    QString error;
    try {
        const bool fits = !tooLargeForText(path);
        const bool readAhead = fits && takePreload(path, ahead);
        if (fits && !readAhead && !readWholeFile(path, bytes, error)) {
            busy.end();
            reportError(error);
            return false;
        }
        // The scan that indexes the lines also tells which breaks the file had
        // and whether it is all ASCII.
        const bool prepared = fits && (readAhead || TextStore::prepare(std::move(bytes), ahead));
        if (prepared) {
            Breaks = lineBreaksOf(ahead.breaks, ahead.loneBreaks, ahead.loneCr);
            // An all-ASCII text needs no second look; making breaks CR LF
            // changed nothing that tells UTF-8.
            chooseUtf8(ahead.ascii ? std::string_view() : std::string_view(ahead.bytes.data(), ahead.bytes.size()));
        }
        if (!prepared || !memo_->LoadPrepared(std::move(ahead))) {
            busy.end();
            errorBox(QStringLiteral("Unable to load \"%1\"\r%2").arg(path, QStringLiteral("Text exceeds memo capacity")));
            return false;
        }
    } catch (const std::bad_alloc &) {
        busy.end();
        errorBox(QStringLiteral("Unable to load \"%1\"\r%2").arg(path, QStringLiteral("Out of system resources")));
        return false;
    }
    memo_->SetCaret(0);
    memo_->SetModifiedFlag(false);
    guard_.inStep(stamp);
    UpdateCaption();
    return true;
}

// Valid UTF-8 with a character past ASCII (or a byte-order mark) is read as
// UTF-8; anything else one byte a character, ASCII as preferred.
bool TFileWindow::utf8Choice(std::string_view bytes) const
{
    const utf8::Kind kind = utf8::classify(bytes.data(), bytes.size());
    return kind == utf8::Kind::Utf8 || (kind == utf8::Kind::Ascii && frame_.newWindowsUtf8());
}

void TFileWindow::chooseUtf8(std::string_view bytes)
{
    codeByUser_ = false;
    memo_->SetUtf8(utf8Choice(bytes));
}

void TFileWindow::ChooseCodeAgain(std::string_view bytes)
{
    if (!codeByUser_)
        memo_->SetUtf8(utf8Choice(bytes));
}

bool TFileWindow::Restore(const RecoveryRecord &record, std::string &&text)
{
    SetFileName(record.path);
    chooseUtf8(text);
    if (record.utf8 >= 0 && (record.utf8 == 1) != memo_->Utf8()) {
        memo_->SetUtf8(record.utf8 == 1);
        codeByUser_ = true;
    }
    Breaks = record.breaks;
    if (!memo_->SetWholeText(std::move(text)))
        return false;
    memo_->SetCaret(int(std::clamp<long long>(record.caret, 0, memo_->TextLength())));
    memo_->SetModifiedFlag(true);
    UpdateCaption();
    // A save asks if the file changed after the text was last read or written.
    if (record.disk.exists)
        guard_.inStep(record.disk);
    textStateChanged();
    return true;
}

RecoveryRecord TFileWindow::recoveryRecord() const
{
    RecoveryRecord r;
    r.path = FilePath();
    r.caret = memo_->SelectionStart();
    r.breaks = Breaks;
    r.utf8 = memo_->Utf8() ? 1 : 0;
    if (guard_.base())
        r.disk = *guard_.base();
    return r;
}

bool TFileWindow::Save()
{
    const QString path = FilePath();
    if (QFileInfo::exists(path) && isReadOnlyFile(path)) {
        errorBox(QStringLiteral("Unable to save as \"%1\"\rDiskfile is read-only. Use a different filename.").arg(path));
        return false;
    }
    if (!guard_.mayOverwrite())
        return false;
    BusyStatus busy(frame_, QStringLiteral("Saving..."));
    QString error;
    std::string copy, converted;
    TextPieces pieces = memo_->TextPieces(copy);
    if (frame_.keepLineBreaks() && Breaks != LineBreaks::CrLf) {
        converted = withLineBreaks(pieces, Breaks);
        pieces = {converted};
    }
    if (!saveWholeFile(path, pieces, frame_.backupOn(), error)) {
        busy.end();
        reportError(error);
        return false;
    }
    memo_->SetModifiedFlag(false);
    guard_.inStep(DiskStamp::of(path));
    frame_.recoveryKeeper().discard(*this);
    return true;
}

bool TFileWindow::SaveAs()
{
    frame_.setStatusMessage(frame_.menuHint(QStringLiteral("MnuFileSaveAs")));
    FileDialogRequest request;
    request.title = QStringLiteral("Save As");
    request.fileName = FileName;
    request.directory = FileDir.isEmpty() ? QDir::currentPath() : FileDir;
    request.filter = frame_.fileFilter();
    request.filterIndex = frame_.filterIndex();
    request.confirmOverwrite = frame_.confirmSave();
    request.helpContext = HelpUsage;
    request.helpSection = QLatin1String(HelpSectionSaving);
    SaveConfirmsOverwrite = request.confirmOverwrite;
    const FileDialogResult chosen = prompter().saveFile(request);
    if (!chosen.accepted) {
        frame_.setStatusMessage(QString());
        return false;
    }
    frame_.setFilterIndex(chosen.filterIndex);
    frame_.setStatusMessage(QString());
    // The dialog refuses a read-only file, so the window keeps its name.
    if (QFileInfo::exists(chosen.fileName) && isReadOnlyFile(chosen.fileName)) {
        errorBox(QStringLiteral("Unable to save as \"%1\"\rDiskfile is read-only. Use a different filename.")
                     .arg(QDir::current().absoluteFilePath(chosen.fileName)));
        return false;
    }
    SetFileName(chosen.fileName);
    if (!Save())
        return false;
    frame_.addFileHistory(FullName());
    return true;
}

// --- closing -------------------------------------------------------------------

bool TFileWindow::CloseQuery()
{
    if (!memo_->ModifiedFlag() || IsReadOnly())
        return true;
    const auto saveIt = [this] { return FileName.isEmpty() ? SaveAs() : Save(); };
    const QString question = QStringLiteral("Save changes to file \"%1\"?").arg(FullName());
    switch (CloseMode) {
    case CloseSingle:
        switch (confirmBox(question, BtnYes | BtnNo | BtnCancel)) {
        case Answer::Yes: return saveIt();
        case Answer::No: return true;
        default: return false;
        }
    case CloseAll:
        switch (confirmBox(question, BtnYes | BtnNo | BtnCancel | BtnAll)) {
        case Answer::Yes:
            if (saveIt())
                return true;
            CloseMode = CloseAborted;
            return false;
        case Answer::No: return true;
        case Answer::All:
            if (saveIt()) {
                CloseMode = CloseSaveRest;
                return true;
            }
            CloseMode = CloseAborted;
            return false;
        default:
            CloseMode = CloseAborted;
            return false;
        }
    case CloseSaveRest:
        if (saveIt())
            return true;
        CloseMode = CloseAborted;
        return false;
    default:
        return false;
    }
}

void TFileWindow::closeEvent(QCloseEvent *event)
{
    if (!CloseQuery()) {
        event->ignore();
        return;
    }
    guard_.stop();
    frame_.recoveryKeeper().discard(*this);
    frame_.windowClosing(this);
    QMdiSubWindow::closeEvent(event);
}

void TFileWindow::showEvent(QShowEvent *event)
{
    if (!shownOnce_) {
        shownOnce_ = true;
        AutoIndent = frame_.indentAll();
        SetWordWrap(frame_.wordWrapAll());
    }
    QMdiSubWindow::showEvent(event);
}

// --- commands ------------------------------------------------------------------

void TFileWindow::SetWordWrap(bool on)
{
    const bool modified = memo_->ModifiedFlag();
    memo_->SetWordWrap(on);
    memo_->SetModifiedFlag(modified);
}

void TFileWindow::OptWordWrapClick() { SetWordWrap(!memo_->WordWrap()); }

// Only how the bytes are read changes: the text stays as it is, modified or not.
void TFileWindow::OptUtf8Click()
{
    memo_->SetUtf8(!memo_->Utf8());
    codeByUser_ = true;
}

void TFileWindow::OptFontClick()
{
    frame_.setStatusMessage(frame_.menuHint(QStringLiteral("MnuOptCurFont")));
    FontDialogRequest request;
    request.title = QStringLiteral("Font");
    request.initial = {shownFont(memo_->font()), memo_->textColor()};
    request.helpTopic = HelpFont;
    request.apply = [this](const FontChoice &choice) { setOwnFont(choice); };
    const std::optional<FontChoice> chosen = prompter().chooseFont(request);
    frame_.setStatusMessage(QString());
    if (chosen)
        setOwnFont(*chosen);
}

void TFileWindow::setOwnFont(const FontChoice &choice)
{
    ownFont_ = fontAfterDialog(memo_->font(), choice.font);
    ownColor_ = choice.color;
    ApplyOwnFont();
}

void TFileWindow::ApplyOwnFont()
{
    memo_->setFont(ownFont_);
    memo_->setTextColor(ownColor_);
}

void TFileWindow::FilePageSetupClick() { editLeftMargin(LeftMargin, this); }
void TFileWindow::FilePrintClick() { printWithDialog(*memo_, frame_, LeftMargin); }
void TFileWindow::FilePrintBtnClick() { printAll(*memo_, frame_, LeftMargin); }
void TFileWindow::PrintText(const PrintRange &range) { printText(*memo_, frame_, LeftMargin, range); }

void TFileWindow::MemoKeyPress(char &key) { lines().KeyPress(key, frame_.insertMode(), AutoIndent); }

EditControl &TFileWindow::TmpText()
{
    if (!tmpText_)
        tmpText_ = g_controlFactory(nullptr);
    // Text passes between the two through the clipboard exactly when both read it alike.
    tmpText_->SetUtf8(memo_->Utf8());
    return *tmpText_;
}

void TFileWindow::buildPopup()
{
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("MnuPopup"));
    const auto item = [this](const char *name, const char *caption, auto handler) {
        QAction *a = popup_->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        if constexpr (!std::is_same_v<decltype(handler), std::nullptr_t>)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    item("PopClose", "Close", [this] { WinCloseClick(); });
    item("PopUndo", "Undo", [this] { EditUndoClick(); });
    item("PopRedo", "Redo", [this] { EditRedoClick(); });
    item("PopCut", "Cut", [this] { EditCutClick(); });
    item("PopCopy", "Copy", [this] { EditCopyClick(); });
    item("PopPaste", "Paste", [this] { EditPasteClick(); });
    item("PopDelete", "Delete", [this] { EditDeleteClick(); });
    popup_->addSeparator();
    item("PopSelectAll", "Select All", [this] { EditSelectAllClick(); });
    item("PopChangeCase", "Change Case", [this] { EditChangeCaseClick(); });
    item("PopUpperCase", "Upper Case", [this] { EditUpperCaseClick(); });
    item("PopLowerCase", "Lower Case", [this] { EditLowerCaseClick(); });
    item("PopInitialCaps", "Initial Caps", [this] { EditInitialCapsClick(); });
    popup_->addSeparator();
    item("PopShiftRight", "Shift Right", [this] { EditShiftRightClick(); });
    item("PopShiftLeft", "Shift Left", [this] { EditShiftLeftClick(); });
    popup_->addSeparator();
    item("PopFind", "Find...", [this] { FindClick(); });
    item("PopReplace", "Replace...", [this] { FindReplaceClick(); });
    QAction *again = item("PopFindAgain", "Search Again", [this] { FindAgainClick(); });
    again->setShortcut(QKeySequence(Qt::Key_F3));
    again->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    memo_->widget()->addAction(again);
    popup_->addSeparator();
    item("PopFont", "Font...", [this] { OptFontClick(); });
    QAction *indent = item("PopIndent", "Auto Indent", [this] { OptIndentClick(); });
    QAction *wrap = item("PopWordWrap", "Word Wrap", [this] { OptWordWrapClick(); });
    QAction *readOnly = item("PopReadOnly", "Read only", [this] { OptReadOnlyClick(); });
    QAction *utf8 = item("PopUtf8", "UTF-8", [this] { OptUtf8Click(); });
    for (QAction *a : {indent, wrap, readOnly, utf8})
        a->setCheckable(true);
    connect(popup_, &QMenu::aboutToShow, this, [this] { frame_.popupOpening(); });
    memo_->setContextMenu(popup_);
}

void TFileWindow::buildLinePopup()
{
    popLine_ = new QMenu(this);
    popLine_->setObjectName(QStringLiteral("MnuPopLine"));
    const auto item = [this](const char *name, const char *caption, auto handler) {
        popLine_->addAction(QString::fromLatin1(caption), this, handler)->setObjectName(QString::fromLatin1(name));
    };
    item("PopLineTop", "Top", [this] { PopLineTopClick(); });
    item("PopLineBottom", "Bottom", [this] { PopLineBottomClick(); });
    item("PopLineGoto", "Go to Line...", [this] { FindLineClick(); });
    memo_->setLineNumberMenu(popLine_);
}

void TFileWindow::PopLineTopClick()
{
    memo_->SetCaret(0);
    memo_->SetSelectionLength(0);
}

void TFileWindow::PopLineBottomClick()
{
    memo_->SetCaret(memo_->LineStart(memo_->LineOf(memo_->TextLength())));
    memo_->SetSelectionLength(0);
}

// --- search and text commands ------------------------------------------------

void TFileWindow::FindClick() { verno::FindClick(*memo_, frame_, window()); }
void TFileWindow::FindReplaceClick() { verno::FindReplaceClick(*memo_, frame_, window()); }
void TFileWindow::FindLineClick() { verno::FindLineClick(*memo_, frame_, window()); }
void TFileWindow::FindAgainClick() { SearchEngine(*memo_, frame_.searchOptions(), frame_).FindAgainClick(); }
void TFileWindow::FindBrLftClick() { MatchBracket(*memo_, false); }
void TFileWindow::FindBrRgtClick() { MatchBracket(*memo_, true); }
void TFileWindow::EditChangeCaseClick() { ConvertCase(*memo_, CaseKind::Invert); }
void TFileWindow::EditUpperCaseClick() { ConvertCase(*memo_, CaseKind::Upper); }
void TFileWindow::EditLowerCaseClick() { ConvertCase(*memo_, CaseKind::Lower); }
void TFileWindow::EditInitialCapsClick() { ConvertCase(*memo_, CaseKind::InitialCaps); }
void TFileWindow::EditShiftRightClick() { ShiftLines(*memo_, true, frame_.shiftCount()); }
void TFileWindow::EditShiftLeftClick() { ShiftLines(*memo_, false, frame_.shiftCount()); }
void TFileWindow::EditTrimClick() { TrimLines(*memo_); }

} // namespace verno
