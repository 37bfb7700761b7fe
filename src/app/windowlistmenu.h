#pragma once
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace verno {

struct Settings;
class TFileWindow;

// The numbered list of edit windows at the end of the Window menu. The menu
// items are the list: a separator at the designed item count while at least
// one entry exists, then one item per window. Reads and sets WinList and
// WinListSort, reads WinListMax.
class WindowListMenu : public QObject {
public:
    struct Hooks {
        std::function<TFileWindow *()> active;
        std::function<QList<TFileWindow *>()> windows; // the frame's order, active first
        std::function<void(TFileWindow *)> click;
    };
    WindowListMenu(QMenu *windowMenu, int base, Settings &settings, Hooks hooks);

    void Add(TFileWindow *window);
    void Remove(TFileWindow *window);
    void SetChecked(TFileWindow *window, bool v);
    void UpdateCaption(TFileWindow *window);
    void Renumber();
    void SetShown(bool v);
    void SetSort(bool v);

    QList<QAction *> entries() const;
    QAction *separator() const;
    static TFileWindow *windowOf(const QAction *entry);
    // Alt+1 to Alt+9, the keys the entries may carry.
    static QList<QKeySequence> keys();

private:
    QAction *entryOf(const TFileWindow *window) const;
    void setEntry(QAction *entry, int number);

    QMenu *menu_;
    int base_;
    Settings &settings_;
    Hooks hooks_;
};

} // namespace verno
