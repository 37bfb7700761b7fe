#include "app/frameoptions.h"
#include "app/mainmenu.h"
#include "app/maintoolbar.h"
#include "app/mainwindow.h"
#include "app/preferencesdialog.h"
#include "app/tabset.h"

#include <QStatusBar>
#include <QToolBar>

namespace verno {

T_Options FrameOptions::read() const
{
    const Settings &s = frame_.settings();
    T_Options o;
    o.Backup = s.Backup;
    o.ToolBar = !frame_.toolBar().bar()->isHidden();
    o.StatusBar = !frame_.statusBar()->isHidden();
    o.Tabs = !frame_.TabSet()->isHidden();
    o.TabsSort = s.TabsSort;
    o.Hints = s.Hints;
    o.GrayReadOnly = s.GrayReadOnly;
    o.InitialWin = s.InitialWin;
    o.Path = s.Path;
    o.ROifModified = s.ROifModified;
    o.WinList = s.WinList;
    o.WinListSort = s.WinListSort;
    o.WinListMax = s.WinListMax;
    o.FileHist = s.FileHist;
    o.FileHistSort = s.FileHistSort;
    o.FileHistSave = s.FileHistSave;
    o.FileHistMax = s.FileHistMax;
    o.FindHistSave = s.FindHistSave;
    o.ConfirmSave = s.ConfirmSave;
    o.FindWord = s.FindWord;
    o.NewWindowsUtf8 = s.NewWindowsUtf8;
    o.SavePosition = s.SavePosition;
    o.SaveExec = s.SaveExec;
    o.AutoReload = s.AutoReload;
    o.ShiftCount = s.ShiftCount;
    o.FileFilter = s.FileFilter;
    o.KeepLineBreaks = s.KeepLineBreaks;
    o.ReopenSession = s.ReopenSession;
    o.LineNumbers = s.LineNumbers;
    return o;
}

void FrameOptions::StorePlainOptions(const T_Options &o)
{
    Settings &s = frame_.settings();
    s.InitialWin = o.InitialWin;
    s.FileHistSave = o.FileHistSave;
    s.FindHistSave = o.FindHistSave;
    s.SavePosition = o.SavePosition;
    s.SaveExec = o.SaveExec;
    s.AutoReload = o.AutoReload;
    s.ConfirmSave = o.ConfirmSave;
    s.FindWord = o.FindWord;
    s.NewWindowsUtf8 = o.NewWindowsUtf8;
    s.ShiftCount = o.ShiftCount;
    s.FileHistMax = o.FileHistMax;
    s.WinListMax = o.WinListMax;
    s.ReopenSession = o.ReopenSession;
    s.LineNumbers = o.LineNumbers;
    if (s.KeepLineBreaks != o.KeepLineBreaks) {
        s.KeepLineBreaks = o.KeepLineBreaks;
        frame_.UpdateCaptions();
    }
}

void FrameOptions::OptBackupClick() { frame_.OptBackupClick(); }
void FrameOptions::OptToolBarClick() { frame_.OptToolBarClick(); }
void FrameOptions::OptStatusBarClick() { frame_.OptStatusBarClick(); }
void FrameOptions::OptHintsClick() { frame_.OptHintsClick(); }
void FrameOptions::OptPathClick() { frame_.OptPathClick(); }
void FrameOptions::OptROModClick() { frame_.OptROModClick(); }
void FrameOptions::SetGrayReadOnly(bool v) { frame_.SetGrayReadOnly(v); }
// Edit windows read it when their save dialog opens.
void FrameOptions::SetFileFilter(const QString &filter) { frame_.settings().FileFilter = filter; }

void FrameOptions::OptTabsClick() { frame_.OptTabsClick(); }
void FrameOptions::SetTabsSort(bool v) { frame_.SetTabsSort(v); }
void FrameOptions::SetWinListSort(bool v) { frame_.SetWinListSort(v); }
void FrameOptions::SetWinList(bool v) { frame_.SetWinList(v); }
void FrameOptions::RenumberWindowList() { frame_.RenumberWindowList(); }
void FrameOptions::SetFileHistSort(bool v) { frame_.SetFileHistSort(v); }
void FrameOptions::SetFileHist(bool v) { frame_.SetFileHist(v); }
void FrameOptions::ApplyFileHistoryVisibility() { frame_.ApplyFileHistoryVisibility(); }

void runPreferences(TMainWindow &frame, TPreferencesDialog &dialog)
{
    FrameOptions target(frame);
    T_Options options = target.read();
    const T_Options before = options;
    frame.SetStatusMessage(frame.menu().hint(QStringLiteral("MnuOptPreferences")));
    const bool ok = dialog.Execute(options);
    frame.SetStatusMessage(QString());
    if (ok)
        applyOptions(before, options, target);
}

} // namespace verno
