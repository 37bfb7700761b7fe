#pragma once
#include "app/options.h"

namespace verno {

class TMainWindow;
class TPreferencesDialog;

// The frame as the Preferences dialog sees it.
class FrameOptions : public OptionsTarget {
public:
    explicit FrameOptions(TMainWindow &frame) : frame_(frame) {}

    // The options as they are now: bars as shown, the open dialog's filter.
    T_Options read() const;

    void OptBackupClick() override;
    void OptToolBarClick() override;
    void OptStatusBarClick() override;
    void OptTabsClick() override;
    void OptHintsClick() override;
    void OptPathClick() override;
    void OptROModClick() override;
    void SetGrayReadOnly(bool v) override;
    void SetFileFilter(const QString &filter) override;
    void StorePlainOptions(const T_Options &options) override;
    void SetTabsSort(bool v) override;
    void SetWinListSort(bool v) override;
    void SetWinList(bool v) override;
    void RenumberWindowList() override;
    void SetFileHistSort(bool v) override;
    void SetFileHist(bool v) override;
    void ApplyFileHistoryVisibility() override;

private:
    TMainWindow &frame_;
};

// Options > Preferences: the dialog over the frame's options, applied on OK.
void runPreferences(TMainWindow &frame, TPreferencesDialog &dialog);

} // namespace verno
