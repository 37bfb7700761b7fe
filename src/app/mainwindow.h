#pragma once
#include "app/childorder.h"
#include "app/commandstate.h"
#include "app/settings.h"
#include "commands/commandhost.h"
#include "dialogs/filelisthost.h"
#include "search/searchoptions.h"
#include "window/windowhost.h"

#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class QVBoxLayout;

namespace verno {

class FileHistoryMenu;
class FileWatcher;
class RecoveryKeeper;
struct RecoveryRecord;
class MainMenu;
class MainToolBar;
class StatusPanels;
class TabBar;
class TAboutBox;
class TChildList;
class TCommandDialog;
class TFileWindow;
class TTabSet;
class WindowListMenu;
class TInsCharDialog;
class TPreferencesDialog;

extern bool StatusReady;

// The frame: holds the edit windows, the program-wide state and every command
// handler. Handlers stay one-liners over small collaborators.
class TMainWindow : public QMainWindow, public WindowHost, public CommandHost, public FileListHost {
    Q_OBJECT
public:
    // settingsPath empty: the per-user settings file.
    explicit TMainWindow(const QString &settingsPath = QString());
    ~TMainWindow() override;

    // Start-up, run from the first showing.
    void FormShow(const QStringList &arguments);
    void ProcessCommandLine(const QStringList &arguments);
    void OpenFileArgument(const QString &text);
    void OpenDroppedFiles(const QStringList &names);
    bool OpenEditWindow(const QString &name, bool readOnly);
    void MaximizeIfOnly();
    void CascadeIfSeveral();
    void LoadSettings();
    bool SaveSettings();

    // Work kept safe: texts left by an earlier session, signals, the end of
    // the desktop session, a display that goes away.
    void OfferRecovery();
    bool OpenRecoveredWindow(const RecoveryRecord &record, std::string &&text);
    // Every modified window's recovery copy written now; false when one
    // could not be.
    bool KeepAllNow();
    // SIGTERM, SIGHUP, SIGINT: copies and settings written, then a clean end.
    void QuitOnSignal(int signal);
    bool quitting() const { return quitting_; }
    // The session manager asks to quit: the Exit question when it lets the
    // program ask; false when the user refused.
    bool CommitSession(bool mayAsk);

    // Windows.
    QList<TFileWindow *> editWindows() const; // active first
    TFileWindow *activeWindow() const;
    QMdiArea *mdiArea() const override { return mdi_; }
    void ActivateEditWindow(TFileWindow *window);
    void SaveAllWindows(bool onlyModified);
    void SetIndentAll(bool v);
    void SetWordWrapAll(bool v);
    void SetReadOnlyAll(bool v);
    void SetGrayReadOnly(bool v);
    QString ActiveSelectionText() const;

    // Status.
    void UpdateCommandState(bool menuPass);
    CommandState snapshot() const;
    QString FormatCursorPosition() const;
    void SetStatusMessage(const QString &text);
    QString statusMessage() const;

    // State.
    Settings &settings() { return settings_; }
    const Settings &settings() const { return settings_; }
    T_SearchOptions &searchOptions() override { return search_; }
    bool IndentAll = false;
    bool WordWrapAll = false;
    bool ReadOnlyAll = false;
    bool InsertMode = true;
    int FilterIndex = 1;
    QFont DefaultFont;
    QColor DefaultFontColor = Qt::black;
    // Designed item counts; the file history and window list go after them.
    int FileMenuBase = 0;
    int WindowMenuBase = 0;

    // Handlers.
    void FileNewClick();
    void FileOpenClick();
    void FileViewClick();
    void FileSaveClick();
    void FileSaveAsClick();
    void FileSaveAllClick();
    void FileExitClick();
    void FilePageSetupClick();
    void FilePrintSetupClick();
    void FilePrintClick();
    void FilePrintBtnClick();
    void EditUndoClick();
    void EditRedoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    void EditDeleteClick();
    void EditSelectAllClick();
    void EditInsCharClick();
    void OptDflFontClick();
    void OptCurFontClick();
    void OptZoomInClick();
    void OptZoomOutClick();
    void OptZoomNormalClick();
    void BtnOptFontClick();
    void OptIndentAllClick() { SetIndentAll(!IndentAll); }
    void OptWordWrapAllClick() { SetWordWrapAll(!WordWrapAll); }
    void OptReadOnlyAllClick() { SetReadOnlyAll(!ReadOnlyAll); }
    void OptIndentClick();
    void OptWordWrapClick();
    void OptUtf8Click();
    void OptReadOnlyClick();
    void OptPathClick();
    void UpdateCaptions();
    void OptROModClick() { settings_.ROifModified = !settings_.ROifModified; }
    void OptPreferencesClick();
    void OptBackupClick() { settings_.Backup = !settings_.Backup; }
    void OptToolBarClick();
    void OptStatusBarClick();
    void OptHintsClick();
    void OptLineNumClick();
    void WinTileDownClick() override;
    void WinTileAcrossClick() override;
    void WinCascadeClick() override;
    void WinMinimizeAllClick();
    void WinArrangeIconsClick();
    void WinNextClick();
    void WinPreviousClick();
    void WinCloseClick();
    void WinCloseAllClick();
    void WinListClick();
    void InsertClick() { InsertMode = !InsertMode; }
    void FileRenameClick();
    void FileDeleteClick();
    void EditCutToClick();
    void EditCopyToClick();
    void EditPasteFromClick();
    void DeleteLineClick();
    void InsertLineClick();
    void MoveLineUpClick();
    void MoveLineDownClick();
    void RepeatLineClick();
    void DelToWordClick();
    void CtrlQClick() {}
    void BtnAdjustClick();
    void FindClick();
    void FindReplaceClick();
    void FindAgainClick();
    void FindLineClick();
    void FindBrLftClick();
    void FindBrRgtClick();
    void EditChangeCaseClick();
    void EditUpperCaseClick();
    void EditLowerCaseClick();
    void EditInitialCapsClick();
    void EditShiftRightClick();
    void EditShiftLeftClick();
    void EditTrimClick();
    // External commands.
    bool StayInDos = false;
    bool RunCommand(const QString &tmpl, bool stay) override;
    void FileChangeDirClick();
    void FileDosClick();
    void FileCommandClick();
    template <int N> void CommandClick() { RunCommandNumber(N); }
    void RunCommandNumber(int n);
    // Help menu; topic 0 is the table of contents.
    template <int Topic> void HelpInfoClick() { ShowHelp(Topic); }
    void ShowHelp(int topic);
    void HelpAboutClick();

    // File history at the end of the File menu.
    void AddFileHistory(const QString &name);
    void RemoveFileHistory(const QString &name);
    void ClearFileHistory();
    void SetFileHist(bool v);
    void SetFileHistSort(bool v);
    void ApplyFileHistoryVisibility();
    QStringList CollectFileHistory() const;
    void RestoreFileHistory(const QStringList &names);
    void FileMenuClick(const QString &name);
    void OptClearFileHistClick() { ClearFileHistory(); }

    // Window list at the end of the Window menu.
    void AddWindowListItem(TFileWindow *window);
    void RemoveWindowListItem(TFileWindow *window);
    void SetWindowListChecked(TFileWindow *window, bool v);
    void UpdateWindowListCaption(TFileWindow *window);
    void RenumberWindowList();
    void SetWinList(bool v);
    void SetWinListSort(bool v);
    void WinFileListClick(TFileWindow *window);

    // Tab bar.
    void AddTab(TFileWindow *window);
    void RemoveTab(TFileWindow *window);
    void UpdateTabText(TFileWindow *window);
    void SelectActiveTab();
    void RefreshTabMarks();
    void SetTabsSort(bool v);
    void TabSetClick();
    void TabCopyFileNameClick();
    void TabCopyFullPathClick();
    void TabsSortClick();
    void OptTabsClick();

    MainMenu &menu() const { return *menu_; }
    MainToolBar &toolBar() const { return *toolBar_; }
    StatusPanels &statusPanels() const { return *panels_; }
    FileHistoryMenu &fileHistory() const { return *fileHistory_; }
    WindowListMenu &windowList() const { return *windowList_; }
    TabBar &tabBar() const { return *tabBar_; }
    TTabSet *TabSet() const;
    // The dialogs, each made once (at start-up, or on first use).
    TAboutBox &aboutBox();
    TPreferencesDialog &preferencesDialog();
    TCommandDialog &commandDialog();
    TInsCharDialog &insCharDialog();
    TChildList &childList();

    // CommandHost.
    QString activeFilePath() const override;
    void saveBeforeLaunch() override;
    QStringList &commandList() override { return settings_.Commands; }
    QStringList &shellList() override { return settings_.ShellCmds; }
    int &shellIndex() override { return settings_.ShellIndex; }
    bool &stayInDos() override { return StayInDos; }

    // FileListHost.
    QList<QMdiSubWindow *> fileWindows() const override;
    QMdiSubWindow *activeFileWindow() const override;
    QString fullNameOf(const QMdiSubWindow *window) const override;
    bool saveFileWindow(QMdiSubWindow *window) override;
    void showFileWindow(QMdiSubWindow *window) override;

    // FrameServices and WindowHost.
    bool backupOn() const override { return settings_.Backup; }
    bool pathInCaption() const override { return settings_.Path; }
    bool grayReadOnly() const override { return settings_.GrayReadOnly; }
    bool roIfModified() const override { return settings_.ROifModified; }
    bool confirmSave() const override { return settings_.ConfirmSave; }
    bool autoReload() const override { return settings_.AutoReload; }
    FileWatcher &fileWatcher() override { return *watcher_; }
    RecoveryKeeper &recoveryKeeper() override { return *keeper_; }
    bool inFront(const TFileWindow *window) const override;
    bool indentAll() const override { return IndentAll; }
    bool wordWrapAll() const override { return WordWrapAll; }
    bool insertMode() const override { return InsertMode; }
    QFont defaultFont() const override { return DefaultFont; }
    QColor defaultTextColor() const override { return DefaultFontColor; }
    QString fileFilter() const override { return settings_.FileFilter; }
    int filterIndex() const override { return FilterIndex; }
    void setFilterIndex(int index) override { FilterIndex = index; }
    QString menuHint(const QString &itemName) const override;
    bool findWord() const override { return settings_.FindWord; }
    bool newWindowsUtf8() const override { return settings_.NewWindowsUtf8; }
    bool keepLineBreaks() const override { return settings_.KeepLineBreaks; }
    bool initialLineNumbers() const override { return settings_.LineNumbers; }
    int shiftCount() const override { return std::clamp(settings_.ShiftCount, 1, 32); }
    void setStatusMessage(const QString &text) override { SetStatusMessage(text); }
    void paintStatusNow() override;
    void addFileHistory(const QString &fullName) override { AddFileHistory(fullName); }
    void removeFileHistory(const QString &fullName) override { RemoveFileHistory(fullName); }
    void windowRenamed(TFileWindow *window) override;
    void windowActivated(TFileWindow *window, bool active) override;
    void windowClosing(TFileWindow *window) override;
    void popupOpening() override { UpdateCommandState(true); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool event(QEvent *event) override;

private:
    template <typename F> void forward(F &&f)
    {
        if (TFileWindow *w = activeWindow())
            f(*w);
    }
    template <typename F, typename G> void activeOrAll(F &&onWindow, G &&onAll)
    {
        if (TFileWindow *w = activeWindow())
            onWindow(*w);
        else
            onAll();
    }
    void openDialog(bool view);
    // A new window filled by fill; closed again and nullptr when that fails.
    TFileWindow *newEditWindow(const std::function<bool(TFileWindow &)> &fill);
    int hintCount_ = 0; // hints seen, so a late clear can tell it is stale
    void clearLeftHint(int count, const QString &shown);
    void activateChild(TFileWindow *w);
    void createLists(QVBoxLayout *clientLayout);
    void applySettings();
    void collectSettings();
    void onIdle();

    QString settingsPath_;
    QString settingsWarning_; // what could not be read from the settings file
    Settings settings_;
    T_SearchOptions search_;
    QMdiArea *mdi_ = nullptr;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<MainToolBar> toolBar_;
    std::unique_ptr<StatusPanels> panels_;
    std::unique_ptr<FileHistoryMenu> fileHistory_;
    std::unique_ptr<WindowListMenu> windowList_;
    std::unique_ptr<TabBar> tabBar_;
    std::unique_ptr<FileWatcher> watcher_;
    std::unique_ptr<RecoveryKeeper> keeper_;
    bool quitting_ = false;
    QSet<TFileWindow *> closing_; // agreed to close, not yet destroyed
    ChildOrder order_;
    bool clipboardHasText_ = false;
    TAboutBox *aboutBox_ = nullptr;
    TCommandDialog *commandDialog_ = nullptr;
    TInsCharDialog *insCharDialog_ = nullptr;
    TChildList *childList_ = nullptr;
    TPreferencesDialog *preferences_ = nullptr;
};

} // namespace verno
