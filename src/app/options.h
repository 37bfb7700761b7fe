#pragma once
#include <QString>

namespace verno {

// The options the Preferences dialog edits, one field per setting. Filled
// from the frame before the dialog shows; a copy tells what OK changed.
struct T_Options {
    bool Backup = true;
    bool ToolBar = true;
    bool StatusBar = true;
    bool Tabs = true;
    bool TabsSort = false;
    bool Hints = true;
    bool GrayReadOnly = true;
    bool InitialWin = false;
    bool Path = true;
    bool ROifModified = false;
    bool WinList = true;
    bool WinListSort = false;
    int WinListMax = 20;
    bool FileHist = true;
    bool FileHistSort = false;
    bool FileHistSave = true;
    int FileHistMax = 10;
    bool FindHistSave = false;
    bool ConfirmSave = true;
    bool FindWord = true;
    bool NewWindowsUtf8 = false;
    bool SavePosition = false;
    bool SaveExec = true;
    bool AutoReload = true;
    int ShiftCount = 2;
    QString FileFilter;
    bool KeepLineBreaks = false;
    bool ReopenSession = false;
    bool LineNumbers = false; // "Initial Line Numbers"

    bool operator==(const T_Options &) const = default;
};

// What applying the options needs of the frame: the toggles of the settings
// that act at once, the setters of the lists, and a place for the rest.
class OptionsTarget {
public:
    virtual ~OptionsTarget() = default;
    virtual void OptBackupClick() = 0;
    virtual void OptToolBarClick() = 0;
    virtual void OptStatusBarClick() = 0;
    virtual void OptTabsClick() = 0;
    virtual void OptHintsClick() = 0;
    virtual void OptPathClick() = 0;
    virtual void OptROModClick() = 0;
    virtual void SetGrayReadOnly(bool v) = 0;
    // The filter of the open dialog and of every edit window's save dialog.
    virtual void SetFileFilter(const QString &filter) = 0;
    // InitialWin, FileHistSave, FindHistSave, SavePosition, SaveExec,
    // ConfirmSave, FindWord, NewWindowsUtf8, AutoReload, ShiftCount, FileHistMax
    // and WinListMax, and the options beyond these.
    virtual void StorePlainOptions(const T_Options &options) = 0;
    virtual void SetTabsSort(bool v) = 0;
    virtual void SetWinListSort(bool v) = 0;
    virtual void SetWinList(bool v) = 0;
    virtual void RenumberWindowList() = 0;
    virtual void SetFileHistSort(bool v) = 0;
    virtual void SetFileHist(bool v) = 0;
    virtual void ApplyFileHistoryVisibility() = 0;
};

// OK of the Preferences dialog: runs the toggles of what changed, in their
// order, then stores and applies the rest.
void applyOptions(const T_Options &before, const T_Options &after, OptionsTarget &target);

} // namespace verno
