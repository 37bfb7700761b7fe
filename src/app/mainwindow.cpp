#include "app/mainwindow.h"
#include "app/commandline.h"
#include "app/filehistorymenu.h"
#include "app/frameoptions.h"
#include "app/preferencesdialog.h"
#include "app/filterlist.h"
#include "app/framegeometry.h"
#include "app/lastsession.h"
#include "app/mainmenu.h"
#include "app/maintoolbar.h"
#include "app/statuspanels.h"
#include "app/popupstate.h"
#include "app/tabbar.h"
#include "app/tabset.h"
#include "platform/programicon.h"
#include "platform/windowarranger.h"
#include "app/windowlistmenu.h"
#include "dialogs/aboutbox.h"
#include "editor/fileio.h"
#include "window/filewindow.h"
#include "editor/fontchoice.h"
#include "editor/textconvert.h"
#include "platform/fileattributes.h"
#include "platform/filewatcher.h"
#include "platform/fontfallback.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "platform/recoveryfolder.h"
#include "platform/regstore.h"
#include "util/textutil.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace verno {

bool StatusReady = false;

TMainWindow::TMainWindow(const QString &settingsPath)
    : settingsPath_(settingsPath.isEmpty() ? RegStore::defaultPath() : settingsPath)
{
    // FormCreate.
    StatusReady = false;
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Verno"));
    setWindowIcon(programIcon());
    setMinimumSize(320, 160);
    resize(548, 358);
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("ClientArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The tab bar sits under the windows, so it stays above the status bar.
    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mdi_);
    setCentralWidget(client);
    menu_ = std::make_unique<MainMenu>(*this, menuBar());
    toolBar_ = std::make_unique<MainToolBar>(*this);
    addToolBar(Qt::TopToolBarArea, toolBar_->bar());
    panels_ = std::make_unique<StatusPanels>(statusBar());
    panels_->panel(QStringLiteral("PnlStatusCurPos"))->onDoubleClick = [this] { FindLineClick(); };
    panels_->panel(QStringLiteral("PnlStatusIndent"))->onDoubleClick = [this] { OptIndentClick(); };
    panels_->panel(QStringLiteral("PnlStatusWordWrap"))->onDoubleClick = [this] { OptWordWrapClick(); };
    panels_->panel(QStringLiteral("PnlStatusBackup"))->onDoubleClick = [this] { OptBackupClick(); };
    panels_->panel(QStringLiteral("PnlStatusReadOnly"))->onDoubleClick = [this] { OptReadOnlyClick(); };
    panels_->panel(QStringLiteral("PnlStatusInsert"))->onDoubleClick = [this] { InsertClick(); };
    setFrameKeys(menu_->claimedKeys() + WindowListMenu::keys());
    CloseMode = CloseSingle;
    FileMenuBase = menu_->itemCount(QStringLiteral("MnuFile"));
    WindowMenuBase = menu_->itemCount(QStringLiteral("MnuWindow"));
    createLists(layout);
    watcher_ = std::make_unique<FileWatcher>();
    keeper_ = std::make_unique<RecoveryKeeper>(defaultRecoveryRoot());
    keeper_->onFailure = [this](const QString &error) {
        SetStatusMessage(QStringLiteral("Unsaved text cannot be kept for recovery: ") + error);
    };
    DefaultFont = withFixedFallback(QFont(settings_.FontName));
    DefaultFont.setPointSize(settings_.FontSize);

    // A frame that loses the focus keeps its active window: only a window
    // that becomes active changes the order.
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (auto *w = qobject_cast<TFileWindow *>(sub); w && !closing_.contains(w))
            order_.activated(w);
        UpdateCommandState(false);
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        clipboardHasText_ = data && data->hasText() && !data->text().isEmpty();
    });
    clipboardHasText_ = !QGuiApplication::clipboard()->text().isEmpty();
    // Back from another program: the front window looks at its file.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (TFileWindow *w = activeWindow(); w && state == Qt::ApplicationActive)
            w->diskGuard().activated();
    });
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMainWindow::onIdle);
}

TMainWindow::~TMainWindow()
{
    // FormDestroy.
    StatusReady = false;
    setAcceptDrops(false);
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        disconnect(dispatcher, nullptr, this, nullptr);
    // The edit windows go while the frame's own members still exist, without
    // telling the frame about each activation on the way.
    disconnect(mdi_, nullptr, this, nullptr);
    order_ = ChildOrder();
    const QList<QMdiSubWindow *> windows = mdi_->subWindowList();
    for (QMdiSubWindow *w : windows)
        if (auto *fw = qobject_cast<TFileWindow *>(w))
            windowClosing(fw);
    for (QMdiSubWindow *w : windows)
        delete w;
    // Closed ones not yet deleted go too, while the services they use exist.
    qDeleteAll(findChildren<TFileWindow *>());
    closing_.clear();
    delete aboutBox_;
    quitHelp();
}

// --- start-up --------------------------------------------------------------------

void TMainWindow::FormShow(const QStringList &arguments)
{
    LoadSettings();
    SetTabsSort(settings_.TabsSort);
    SetWinListSort(settings_.WinListSort);
    SetWinList(settings_.WinList);
    SetFileHistSort(settings_.FileHistSort);
    FilterIndex = 1;
    ProcessCommandLine(arguments);
    dropPreload();
    OfferRecovery();
    if (settings_.InitialWin && !ReadOnlyAll && editWindows().isEmpty())
        OpenEditWindow(QString(), false);
    setAcceptDrops(true);
    StatusReady = true;
    UpdateCommandState(true);
    // Told on screen as well as on standard error: what was skipped is not
    // written back at exit.
    if (!settingsWarning_.isEmpty()) {
        QString text = settingsWarning_.section(QStringLiteral(": "), 1); // without "verno: "
        text[0] = text[0].toUpper();
        reportError(text);
    }
}

void TMainWindow::ProcessCommandLine(const QStringList &arguments)
{
    const CommandLine cl = parseCommandLine(arguments);
    ReadOnlyAll = ReadOnlyAll || cl.readOnly;
    WordWrapAll = WordWrapAll || cl.wordWrap;
    for (const QString &file : cl.files)
        OpenFileArgument(file);
    if (cl.files.isEmpty() && settings_.ReopenSession)
        reopenLastSession(*this, settings_.Session);
    if (ReadOnlyAll)
        SetReadOnlyAll(true);
    if (WordWrapAll)
        SetWordWrapAll(true);
    CascadeIfSeveral();
}

void TMainWindow::OpenFileArgument(const QString &text)
{
    const QString full = QDir::current().absoluteFilePath(text);
    if (!HasWildcard(full.toStdString())) {
        OpenEditWindow(full, false);
        return;
    }
    const qsizetype slash = full.lastIndexOf(QLatin1Char('/'));
    const QString dir = full.left(slash + 1);
    // Only "*" and "?" are wildcards here; "[" stands for itself.
    QString pattern = full.mid(slash + 1);
    pattern.replace(QLatin1Char('['), QStringLiteral("[[]"));
    const QStringList matches = QDir(dir).entryList({pattern},
                                                    QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive,
                                                    QDir::Name);
    for (const QString &m : matches)
        OpenEditWindow(dir + m, false);
}

void TMainWindow::OpenDroppedFiles(const QStringList &names)
{
    for (const QString &name : names)
        if (QFileInfo(name).isFile())
            OpenEditWindow(name, ReadOnlyAll);
}

bool TMainWindow::OpenEditWindow(const QString &name, bool readOnly)
{
    const QString full = name.isEmpty() ? QString() : QDir::cleanPath(QDir::current().absoluteFilePath(name));
    // Nothing to open: every other window stays exactly as it was.
    if (!full.isEmpty() && !QFileInfo(full).isFile())
        return false;
    TFileWindow *w = newEditWindow([&full](TFileWindow &window) { return window.Load(full); });
    if (!w)
        return false;
    if (readOnly || (!full.isEmpty() && isReadOnlyFile(full)))
        w->SetReadOnly(true);
    if (!full.isEmpty())
        AddFileHistory(full);
    AddTab(w);
    AddWindowListItem(w);
    return true;
}

TFileWindow *TMainWindow::newEditWindow(const std::function<bool(TFileWindow &)> &fill)
{
    TFileWindow *previous = activeWindow();
    const bool previousMaximized = previous && previous->isMaximized();
    auto *w = new TFileWindow(*this);
    mdi_->addSubWindow(w);
    order_.activated(w);
    connect(w, &QObject::destroyed, this, [this, w] { order_.remove(w); });
    // Shown and sized before the text arrives, so a large text is laid out
    // once, for the width it will have.
    w->show();
    MaximizeIfOnly();
    if (fill(*w))
        return w;
    windowClosing(w);
    mdi_->removeSubWindow(w);
    w->deleteLater();
    if (previous) {
        mdi_->setActiveSubWindow(previous);
        order_.activated(previous);
        if (previousMaximized)
            previous->showMaximized();
    }
    return nullptr;
}

void TMainWindow::MaximizeIfOnly()
{
    const QList<TFileWindow *> windows = editWindows();
    if (windows.size() == 1)
        windows.first()->showMaximized();
}

void TMainWindow::CascadeIfSeveral()
{
    if (editWindows().size() > 1)
        WinCascadeClick();
}

// --- windows -----------------------------------------------------------------------

QList<TFileWindow *> TMainWindow::editWindows() const
{
    QList<TFileWindow *> result;
    for (TFileWindow *w : order_.list())
        if (!closing_.contains(w))
            result << w;
    return result;
}

TFileWindow *TMainWindow::activeWindow() const
{
    // The front window stays the active one while another program has the
    // focus, as the frame's menus and panels show it.
    for (TFileWindow *w : order_.list())
        if (!closing_.contains(w))
            return w;
    return nullptr;
}

void TMainWindow::activateChild(TFileWindow *w)
{
    order_.activated(w);
    mdi_->setActiveSubWindow(w);
}

void TMainWindow::ActivateEditWindow(TFileWindow *window)
{
    // Previous, until the window is in front: the order the others end in is
    // the one the frame's own stepping gives.
    const qsizetype n = editWindows().size();
    for (qsizetype i = 0; i < n && window && window != activeWindow(); ++i)
        activateChild(editWindows().last());
}

void TMainWindow::SaveAllWindows(bool onlyModified)
{
    for (TFileWindow *w : editWindows()) {
        // A window only viewed has nothing to save: writing it again would
        // stop the batch at a file that cannot be written. A changed text is
        // saved even in a read-only window, so it is never left behind.
        if ((onlyModified || w->IsReadOnly()) && !w->Memo().ModifiedFlag())
            continue;
        if (!(w->FileName.isEmpty() ? w->SaveAs() : w->Save()))
            return;
    }
}

void TMainWindow::SetIndentAll(bool v)
{
    IndentAll = v;
    for (TFileWindow *w : editWindows())
        w->AutoIndent = v;
}

void TMainWindow::SetWordWrapAll(bool v)
{
    WordWrapAll = v;
    for (TFileWindow *w : editWindows())
        w->SetWordWrap(v);
}

void TMainWindow::SetReadOnlyAll(bool v)
{
    ReadOnlyAll = v;
    for (TFileWindow *w : editWindows())
        w->SetReadOnly(v);
}

void TMainWindow::SetGrayReadOnly(bool v)
{
    settings_.GrayReadOnly = v;
    for (TFileWindow *w : editWindows())
        w->Recolour(v);
}

QString TMainWindow::ActiveSelectionText() const
{
    const TFileWindow *w = activeWindow();
    if (!w)
        return QString();
    const EditControl &m = w->Memo();
    return bytesToDisplay(m.SelectedText(m.Utf8() ? 4 * 255 + 1 : 255), m.Utf8());
}

// --- handlers ------------------------------------------------------------------------

void TMainWindow::FileNewClick() { OpenEditWindow(QString(), ReadOnlyAll); }
void TMainWindow::FileOpenClick() { openDialog(false); }
void TMainWindow::FileViewClick() { openDialog(true); }

void TMainWindow::openDialog(bool view)
{
    const QString item = view ? QStringLiteral("MnuFileView") : QStringLiteral("MnuFileOpen");
    SetStatusMessage(menu_->hint(item));
    FileDialogRequest r;
    r.title = view ? QStringLiteral("View") : QStringLiteral("Open");
    r.directory = QDir::currentPath();
    r.filter = settings_.FileFilter;
    r.filterIndex = FilterIndex;
    r.showReadOnly = !view;
    r.readOnlyChecked = ReadOnlyAll;
    r.mustExist = true;
    r.helpContext = HelpOpen;
    r.helpButton = true;
    const FileDialogResult chosen = prompter().openFile(r);
    SetStatusMessage(QString());
    if (!chosen.accepted)
        return;
    FilterIndex = chosen.filterIndex;
    OpenEditWindow(chosen.fileName, view || chosen.readOnly);
}

void TMainWindow::FileSaveClick() { forward([](TFileWindow &w) { w.FileSaveClick(); }); }
void TMainWindow::FileSaveAsClick() { forward([](TFileWindow &w) { w.FileSaveAsClick(); }); }
void TMainWindow::FileSaveAllClick() { SaveAllWindows(false); }

void TMainWindow::FilePageSetupClick() { forward([](TFileWindow &w) { w.FilePageSetupClick(); }); }
void TMainWindow::FilePrintClick() { forward([](TFileWindow &w) { w.FilePrintClick(); }); }
void TMainWindow::FilePrintBtnClick() { forward([](TFileWindow &w) { w.FilePrintBtnClick(); }); }

void TMainWindow::FilePrintSetupClick()
{
    SetStatusMessage(menu_->hint(QStringLiteral("MnuFilePrintSetup")));
    prompter().printSetup();
    SetStatusMessage(QString());
}

void TMainWindow::FileExitClick()
{
    CloseMode = CloseAll;
    close();
    CloseMode = CloseSingle;
}

void TMainWindow::EditUndoClick() { forward([](TFileWindow &w) { w.EditUndoClick(); }); }
void TMainWindow::EditRedoClick() { forward([](TFileWindow &w) { w.EditRedoClick(); }); }
void TMainWindow::EditCutClick() { forward([](TFileWindow &w) { w.EditCutClick(); }); }
void TMainWindow::EditCopyClick() { forward([](TFileWindow &w) { w.EditCopyClick(); }); }
void TMainWindow::EditPasteClick() { forward([](TFileWindow &w) { w.EditPasteClick(); }); }
void TMainWindow::EditDeleteClick() { forward([](TFileWindow &w) { w.EditDeleteClick(); }); }
void TMainWindow::EditSelectAllClick() { forward([](TFileWindow &w) { w.EditSelectAllClick(); }); }
void TMainWindow::EditCutToClick() { forward([](TFileWindow &w) { w.EditCutToClick(); }); }
void TMainWindow::EditCopyToClick() { forward([](TFileWindow &w) { w.EditCopyToClick(); }); }
void TMainWindow::EditPasteFromClick() { forward([](TFileWindow &w) { w.EditPasteFromClick(); }); }
void TMainWindow::FileRenameClick() { forward([](TFileWindow &w) { w.FileRenameClick(); }); }
void TMainWindow::FileDeleteClick() { forward([](TFileWindow &w) { w.FileDeleteClick(); }); }
void TMainWindow::DeleteLineClick() { forward([](TFileWindow &w) { w.DeleteLineClick(); }); }
void TMainWindow::InsertLineClick() { forward([](TFileWindow &w) { w.InsertLineClick(); }); }
void TMainWindow::MoveLineUpClick() { forward([](TFileWindow &w) { w.MoveLineUpClick(); }); }
void TMainWindow::MoveLineDownClick() { forward([](TFileWindow &w) { w.MoveLineDownClick(); }); }
void TMainWindow::RepeatLineClick() { forward([](TFileWindow &w) { w.RepeatLineClick(); }); }
void TMainWindow::DelToWordClick() { forward([](TFileWindow &w) { w.DelToWordClick(); }); }

void TMainWindow::OptDflFontClick()
{
    SetStatusMessage(menu_->hint(QStringLiteral("MnuOptDflFont")));
    FontDialogRequest request;
    request.title = QStringLiteral("Default Font");
    request.initial = {shownFont(DefaultFont), DefaultFontColor};
    // Apply gives the active window the font of its own font dialog.
    request.apply = [this](const FontChoice &) { forward([](TFileWindow &w) { w.ApplyOwnFont(); }); };
    const std::optional<FontChoice> chosen = prompter().chooseFont(request);
    SetStatusMessage(QString());
    if (chosen) {
        DefaultFont = fontAfterDialog(DefaultFont, chosen->font);
        DefaultFontColor = chosen->color;
    }
}

void TMainWindow::OptCurFontClick() { forward([](TFileWindow &w) { w.OptFontClick(); }); }
void TMainWindow::OptLineNumClick() { forward([](TFileWindow &w) { w.OptLineNumClick(); }); }
void TMainWindow::OptZoomInClick() { forward([](TFileWindow &w) { w.ZoomClick(1); }); }
void TMainWindow::OptZoomOutClick() { forward([](TFileWindow &w) { w.ZoomClick(-1); }); }
void TMainWindow::OptZoomNormalClick() { forward([](TFileWindow &w) { w.ZoomClick(0); }); }

void TMainWindow::BtnOptFontClick()
{
    if (editWindows().isEmpty())
        OptDflFontClick();
    else
        OptCurFontClick();
}

// With no window open, the single-window toggles set what the next windows take.
void TMainWindow::OptIndentClick()
{
    activeOrAll([](TFileWindow &w) { w.OptIndentClick(); }, [this] { SetIndentAll(!IndentAll); });
}

void TMainWindow::OptWordWrapClick()
{
    activeOrAll([](TFileWindow &w) { w.OptWordWrapClick(); }, [this] { SetWordWrapAll(!WordWrapAll); });
}

void TMainWindow::OptReadOnlyClick()
{
    activeOrAll([](TFileWindow &w) { w.OptReadOnlyClick(); }, [this] { SetReadOnlyAll(!ReadOnlyAll); });
}

void TMainWindow::OptUtf8Click() { forward([](TFileWindow &w) { w.OptUtf8Click(); }); }

void TMainWindow::OptPreferencesClick() { runPreferences(*this, preferencesDialog()); }

TPreferencesDialog &TMainWindow::preferencesDialog()
{
    if (!preferences_)
        preferences_ = new TPreferencesDialog(this);
    return *preferences_;
}

void TMainWindow::OptPathClick()
{
    settings_.Path = !settings_.Path;
    UpdateCaptions();
}

void TMainWindow::UpdateCaptions()
{
    for (TFileWindow *w : editWindows())
        w->UpdateCaption();
}

void TMainWindow::OptToolBarClick()
{
    toolBar_->bar()->setVisible(!toolBar_->bar()->isVisible());
}

void TMainWindow::OptStatusBarClick() { statusBar()->setVisible(!statusBar()->isVisible()); }

void TMainWindow::OptHintsClick()
{
    settings_.Hints = !settings_.Hints;
    toolBar_->setHintsShown(settings_.Hints);
}

void TMainWindow::BtnAdjustClick()
{
    UpdateCommandState(false);
    UpdateCommandState(true);
}

void TMainWindow::FindClick() { forward([](TFileWindow &w) { w.FindClick(); }); }
void TMainWindow::FindReplaceClick() { forward([](TFileWindow &w) { w.FindReplaceClick(); }); }
void TMainWindow::FindAgainClick() { forward([](TFileWindow &w) { w.FindAgainClick(); }); }
void TMainWindow::FindLineClick() { forward([](TFileWindow &w) { w.FindLineClick(); }); }
void TMainWindow::FindBrLftClick() { forward([](TFileWindow &w) { w.FindBrLftClick(); }); }
void TMainWindow::FindBrRgtClick() { forward([](TFileWindow &w) { w.FindBrRgtClick(); }); }
void TMainWindow::EditChangeCaseClick() { forward([](TFileWindow &w) { w.EditChangeCaseClick(); }); }
void TMainWindow::EditUpperCaseClick() { forward([](TFileWindow &w) { w.EditUpperCaseClick(); }); }
void TMainWindow::EditLowerCaseClick() { forward([](TFileWindow &w) { w.EditLowerCaseClick(); }); }
void TMainWindow::EditInitialCapsClick() { forward([](TFileWindow &w) { w.EditInitialCapsClick(); }); }
void TMainWindow::EditShiftRightClick() { forward([](TFileWindow &w) { w.EditShiftRightClick(); }); }
void TMainWindow::EditShiftLeftClick() { forward([](TFileWindow &w) { w.EditShiftLeftClick(); }); }
void TMainWindow::EditTrimClick() { forward([](TFileWindow &w) { w.EditTrimClick(); }); }
void TMainWindow::WinTileDownClick() { tileWindows(*mdi_, fileWindows(), true); }
void TMainWindow::WinTileAcrossClick() { tileWindows(*mdi_, fileWindows(), false); }
void TMainWindow::WinCascadeClick() { cascadeWindows(*mdi_, fileWindows()); }
void TMainWindow::WinMinimizeAllClick() { minimizeWindows(*mdi_, fileWindows()); }
void TMainWindow::WinArrangeIconsClick() { arrangeIcons(*mdi_, fileWindows()); }

void TMainWindow::WinNextClick()
{
    const QList<TFileWindow *> windows = editWindows();
    if (windows.size() <= 1)
        return;
    order_.sendToBack(windows.first());
    activateChild(windows.at(1));
    SelectActiveTab();
}

void TMainWindow::WinPreviousClick()
{
    const QList<TFileWindow *> windows = editWindows();
    if (windows.size() <= 1)
        return;
    activateChild(windows.last());
    SelectActiveTab();
}

// --- closing ---------------------------------------------------------------------------

void TMainWindow::WinCloseClick()
{
    if (TFileWindow *w = activeWindow())
        w->close();
}

void TMainWindow::WinCloseAllClick()
{
    CloseMode = CloseAll;
    const QList<TFileWindow *> windows = editWindows();
    for (qsizetype i = windows.size() - 1; i >= 0 && CloseMode != CloseAborted; --i)
        windows[i]->close();
    CloseMode = CloseSingle;
}

void TMainWindow::closeEvent(QCloseEvent *event)
{
    // Every edit window is asked first; the first refusal keeps the program.
    for (TFileWindow *w : editWindows()) {
        if (!w->CloseQuery()) {
            event->ignore();
            return;
        }
    }
    if (!SaveSettings()) {
        event->ignore();
        return;
    }
    // Every text was saved or given up: no copy is kept.
    keeper_->finish();
    StatusReady = false;
    event->accept();
}

void TMainWindow::windowClosing(TFileWindow *window)
{
    const bool wasFront = window == activeWindow();
    closing_.insert(window);
    order_.remove(window);
    // The window behind a closed front one comes forward; Qt itself would
    // pick the next one by the order of the keyboard focus.
    const QPointer<TFileWindow> next = wasFront ? activeWindow() : nullptr;
    connect(window, &QObject::destroyed, this, [this, window, next] {
        closing_.remove(window);
        if (next && order_.list().contains(next.data()) && !closing_.contains(next.data()))
            activateChild(next);
    });
    RemoveTab(window);
    RemoveWindowListItem(window);
}

// --- drops ---------------------------------------------------------------------------------

void TMainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent *event)
{
    QStringList names;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            names << url.toLocalFile();
    OpenDroppedFiles(names);
    CascadeIfSeveral();
    event->acceptProposedAction();
}

// --- status ----------------------------------------------------------------------------------

bool TMainWindow::event(QEvent *event)
{
    // The long part of the hint under the mouse goes to the message panel.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        ++hintCount_;
        if (!tip.isEmpty()) {
            SetStatusMessage(tip);
            return true;
        }
        const QString shown = panels_->message();
        QTimer::singleShot(0, this, [this, n = hintCount_, shown] { clearLeftHint(n, shown); });
        return true;
    }
    return QMainWindow::event(event);
}

// A dialog opening over the mouse makes the control under it "left" just
// before the dialog counts as open: the hint its command put up stays while
// the dialog is open, and goes afterwards unless a newer hint or message came.
void TMainWindow::clearLeftHint(int count, const QString &shown)
{
    if (count != hintCount_ || panels_->message() != shown)
        return;
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, count, shown] { clearLeftHint(count, shown); });
        return;
    }
    SetStatusMessage(QString());
}

void TMainWindow::onIdle()
{
    if (!StatusReady)
        return;
    UpdateCommandState(false);
    // A question a change on disk left waiting, once nothing else is open.
    if (TFileWindow *w = activeWindow())
        w->diskGuard().askIfDue();
}

CommandState TMainWindow::snapshot() const
{
    CommandState s;
    s.ROifModified = settings_.ROifModified;
    s.IndentAll = IndentAll;
    s.WordWrapAll = WordWrapAll;
    s.ReadOnlyAll = ReadOnlyAll;
    s.InsertMode = InsertMode;
    s.IsAutoIndent = IndentAll;
    s.IsWordWrap = WordWrapAll;
    s.IsReadOnly = ReadOnlyAll;
    s.WindowCount = int(editWindows().size());
    TFileWindow *w = activeWindow();
    if (!w)
        return s;
    const EditControl &m = w->Memo();
    s.HasWindow = true;
    s.HasFileName = !w->FileName.isEmpty();
    s.HasText = m.HasText();
    const int start = m.SelectionStart();
    const int length = m.SelectionLength();
    s.HasSelection = length > 0;
    s.IsAutoIndent = w->AutoIndent;
    s.IsWordWrap = m.WordWrap();
    s.IsModified = m.ModifiedFlag();
    s.IsReadOnly = m.ReadOnly();
    s.IsLineNumbers = w->Memo().lineNumbers();
    s.IsUtf8 = m.Utf8();
    s.CanUndo = m.UndoAvailable() && !s.IsReadOnly;
    s.CanRedo = m.RedoAvailable() && !s.IsReadOnly;
    s.CaretLine = m.LineOf(start);
    s.CaretColumn = m.CharacterCount(m.LineStart(s.CaretLine), start);
    if (length > 0) {
        s.EndLine = m.LineOf(start + length);
        s.EndColumn = m.CharacterCount(m.LineStart(s.EndLine), start + length);
    } else {
        s.EndLine = s.CaretLine;
        s.EndColumn = s.CaretColumn;
    }
    s.CanSearchAgain = search_.CanSearchAgain();
    s.ClipboardHasText = clipboardHasText_;
    return s;
}

QString TMainWindow::FormatCursorPosition() const { return formatCursorPosition(snapshot()); }

void TMainWindow::UpdateCommandState(bool menuPass)
{
    const CommandState s = snapshot();
    if (menuPass) {
        menu_->apply(s, Pass::Menu);
        tabBar_->menuPass(s);
        if (TFileWindow *w = activeWindow())
            applyPopupState(w->MnuPopup(), s);
        return;
    }
    menu_->apply(s, Pass::Status);
    if (toolBar_->bar()->isVisible())
        toolBar_->apply(s);
    if (statusBar()->isVisible()) {
        panels_->apply(s, formatCursorPosition(s), settings_.Backup);
        const QString font = menu_->hint(s.HasWindow ? QStringLiteral("MnuOptCurFont") : QStringLiteral("MnuOptDflFont"));
        toolBar_->setButtonHint(QStringLiteral("BtnOptFont"), QStringLiteral("Font|") + font);
    }
    tabBar_->statusPass(s);
    if (TFileWindow *w = activeWindow())
        applySearchAgainState(w->MnuPopup(), s);
}

void TMainWindow::SetStatusMessage(const QString &text) { panels_->setMessage(text); }
void TMainWindow::paintStatusNow() { panels_->repaintMessage(); }
QString TMainWindow::statusMessage() const { return panels_->message(); }
QString TMainWindow::menuHint(const QString &itemName) const { return menu_->hint(itemName); }

void TMainWindow::windowRenamed(TFileWindow *window)
{
    UpdateTabText(window);
    UpdateWindowListCaption(window);
}

void TMainWindow::windowActivated(TFileWindow *window, bool active)
{
    // The front window stays the active one while another program has the
    // focus; its entry keeps its check mark.
    if (!active && window == activeWindow())
        return;
    if (active) {
        for (TFileWindow *w : editWindows())
            if (w != window)
                SetWindowListChecked(w, false);
    }
    SetWindowListChecked(window, active);
    if (active)
        window->diskGuard().activated();
    // The frame's own idea of the active window may lag behind this notice.
    if (active && !TabSet()->isHidden())
        tabBar_->Select(window);
}

// --- settings ------------------------------------------------------------------------------

void TMainWindow::LoadSettings()
{
    // A geometry value missing from the store keeps the window's own.
    const QRect g = geometry();
    settings_.MainTop = g.top();
    settings_.MainLeft = g.left();
    settings_.MainWidth = g.width();
    settings_.MainHeight = g.height();
    settingsWarning_ = loadSettingsFile(settingsPath_, settings_);
    applySettings();
}

bool TMainWindow::SaveSettings()
{
    collectSettings();
    const QString error = saveSettingsFile(settingsPath_, settings_);
    if (error.isEmpty())
        return true;
    return errorBox(error, BtnOk | BtnCancel) == Answer::Ok;
}

void TMainWindow::applySettings()
{
    toolBar_->bar()->setVisible(settings_.ToolBar);
    statusBar()->setVisible(settings_.StatusBar);
    TabSet()->setVisible(settings_.Tabs);
    toolBar_->setHintsShown(settings_.Hints);
    InsertMode = true;
    DefaultFont = withFixedFallback(QFont(settings_.FontName));
    DefaultFont.setPointSize(settings_.FontSize > 0 ? settings_.FontSize : 13);
    DefaultFont.setBold(settings_.FontBold);
    DefaultFont.setItalic(settings_.FontItalic);
    DefaultFontColor = colorFromNumber(settings_.FontColor, palette());
    applyStoredGeometry(*this, settings_.MainTop, settings_.MainLeft, settings_.MainWidth, settings_.MainHeight);
    if (settings_.FileFilter.isEmpty())
        settings_.FileFilter = QString::fromLatin1(kDefaultFileFilter);
    search_.FindHistory.Entries.clear();
    for (const QString &e : settings_.FindHistory)
        search_.FindHistory.Entries.push_back(e.toUtf8().toStdString());
    search_.RegularExpression = settings_.RegularExpression;
    search_.ReplaceHistory.Entries.clear();
    for (const QString &e : settings_.ReplaceHistory)
        search_.ReplaceHistory.Entries.push_back(e.toUtf8().toStdString());
    RestoreFileHistory(settings_.FileHistory);
}

void TMainWindow::collectSettings()
{
    settings_.ToolBar = !toolBar_->bar()->isHidden();
    settings_.StatusBar = !statusBar()->isHidden();
    settings_.FontName = DefaultFont.family();
    settings_.FontSize = DefaultFont.pointSize();
    settings_.FontBold = DefaultFont.bold();
    settings_.FontItalic = DefaultFont.italic();
    settings_.FontColor = colorToNumber(DefaultFontColor, settings_.FontColor, palette());
    const QRect g = geometry();
    settings_.MainTop = g.top();
    settings_.MainLeft = g.left();
    settings_.MainWidth = g.width();
    settings_.MainHeight = g.height();
    settings_.Tabs = !TabSet()->isHidden();
    settings_.FileHistory = CollectFileHistory();
    settings_.Session = collectLastSession(*this);
    settings_.FindHistory.clear();
    for (const std::string &e : search_.FindHistory.Entries)
        settings_.FindHistory << QString::fromStdString(e);
    settings_.RegularExpression = search_.RegularExpression;
    settings_.ReplaceHistory.clear();
    for (const std::string &e : search_.ReplaceHistory.Entries)
        settings_.ReplaceHistory << QString::fromStdString(e);
}

} // namespace verno
