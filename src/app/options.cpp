#include "app/options.h"

namespace verno {

void applyOptions(const T_Options &before, const T_Options &after, OptionsTarget &target)
{
    const struct {
        bool T_Options::*field;
        void (OptionsTarget::*toggle)();
    } toggles[] = {
        {&T_Options::Backup, &OptionsTarget::OptBackupClick},
        {&T_Options::ToolBar, &OptionsTarget::OptToolBarClick},
        {&T_Options::StatusBar, &OptionsTarget::OptStatusBarClick},
        {&T_Options::Tabs, &OptionsTarget::OptTabsClick},
        {&T_Options::Hints, &OptionsTarget::OptHintsClick},
        {&T_Options::Path, &OptionsTarget::OptPathClick},
        {&T_Options::ROifModified, &OptionsTarget::OptROModClick},
    };
    for (const auto &t : toggles)
        if (after.*t.field != before.*t.field)
            (target.*t.toggle)();
    if (after.GrayReadOnly != before.GrayReadOnly)
        target.SetGrayReadOnly(after.GrayReadOnly);
    if (after.FileFilter != before.FileFilter)
        target.SetFileFilter(after.FileFilter);
    target.StorePlainOptions(after);
    target.SetTabsSort(after.TabsSort);
    target.SetWinListSort(after.WinListSort);
    target.SetWinList(after.WinList);
    target.RenumberWindowList();
    target.SetFileHistSort(after.FileHistSort);
    target.SetFileHist(after.FileHist);
    target.ApplyFileHistoryVisibility();
}

} // namespace verno
