#pragma once
#include "app/commandstate.h"

#include <QObject>

class QMenu;
class QWidget;

namespace verno {

struct Settings;
class TFileWindow;
class TMainWindow;
class TTabSet;

// What the frame does with its tab strip: one tab per edit window, framed
// by brackets while its text is modified, the active window's tab selected,
// and the popup menu MnuPopTabs. Reads and sets TabsSort. The strip itself is
// a child of parent.
class TabBar : public QObject {
public:
    TabBar(TMainWindow &frame, QWidget *parent, Settings &settings);

    TTabSet *tabSet() const { return tabs_; }
    QMenu *popup() const { return popup_; }

    void Add(TFileWindow *window);
    void Remove(TFileWindow *window);
    void UpdateText(TFileWindow *window);
    void SelectActive();
    void Select(TFileWindow *window);
    void RefreshMarks();
    void SetSort(bool v);
    void Click();
    void CopyFileName() const;
    void CopyFullPath() const;
    void ToggleShown();

    // The parts of the status and menu passes that concern the strip.
    void statusPass(const CommandState &state);
    void menuPass(const CommandState &state);

private:
    void buildPopup();
    TFileWindow *selectedWindow() const;

    TMainWindow &frame_;
    Settings &settings_;
    TTabSet *tabs_;
    QMenu *popup_ = nullptr;
};

} // namespace verno
