#pragma once
#include <QList>
#include <QMdiArea>

namespace verno {



// Window arrangements laid out by the program (Qt's own tiling is a grid).
void tileWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows, bool down);
void cascadeWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows);
void minimizeWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows);
// While it lives, the area does not maximize the windows it activates. The
// area otherwise maximizes each window that comes forward while one is
// maximized, which brings back every window as soon as it is minimized.
class UnmaximizedActivation {
public:
    explicit UnmaximizedActivation(QMdiArea &area)
        : area_(area), keep_(area.testOption(QMdiArea::DontMaximizeSubWindowOnActivation))
    {
        area_.setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    }
    ~UnmaximizedActivation() { area_.setOption(QMdiArea::DontMaximizeSubWindowOnActivation, keep_); }
    UnmaximizedActivation(const UnmaximizedActivation &) = delete;
    UnmaximizedActivation &operator=(const UnmaximizedActivation &) = delete;

private:
    QMdiArea &area_;
    bool keep_;
};

// Returns the top of the icon rows (the area's height when there are none).
int arrangeIcons(QMdiArea &area, const QList<QMdiSubWindow *> &windows);

} // namespace verno
