#include "platform/windowarranger.h"
#include "util/tiling.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace verno {

void tileWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows, bool down)
{
    // The row of minimized windows along the bottom stays free.
    const int iconTop = arrangeIcons(area, windows);
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *w : windows)
        if (!w->isMinimized())
            shown << w;
    const QSize size(area.viewport()->width(), iconTop);
    const std::vector<TileRect> rects = tileRects(int(shown.size()), size.width(), size.height(), down);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QMdiSubWindow *w = shown[i];
        if (w->isMaximized())
            w->showNormal();
        const TileRect &r = rects[size_t(i)];
        w->setGeometry(r.x, r.y, r.w, r.h);
    }
}

void cascadeWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows)
{
    // Each window a title bar lower and to the right of the one behind it, the
    // active one in front, all large enough to work in.
    QList<QMdiSubWindow *> shown;
    for (QMdiSubWindow *w : windows)
        if (!w->isMinimized())
            shown << w;
    if (shown.isEmpty())
        return;
    const QSize size = area.viewport()->size();
    const int step = shown.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int n = int(shown.size());
    const int w = std::max(size.width() * 3 / 4, std::min(size.width(), 200)) ;
    const int h = std::max(size.height() * 3 / 4, std::min(size.height(), 120));
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *win = shown[n - 1 - i];
        if (win->isMaximized())
            win->showNormal();
        const int offset = (i * step) % std::max(step, std::min(size.width() - w, size.height() - h) + 1);
        win->setGeometry(offset, offset, std::min(w, size.width() - offset), std::min(h, size.height() - offset));
        win->raise();
    }
    area.setActiveSubWindow(shown.first());
}

void minimizeWindows(QMdiArea &area, const QList<QMdiSubWindow *> &windows)
{
    UnmaximizedActivation guard(area);
    for (qsizetype i = windows.size() - 1; i >= 0; --i)
        windows[i]->showMinimized();
}

int arrangeIcons(QMdiArea &area, const QList<QMdiSubWindow *> &windows)
{
    // Rows from the bottom up, left to right; the top of the highest row is
    // where the space for the other windows ends.
    const int width = area.viewport()->width();
    int x = 0;
    int bottom = area.viewport()->height();
    int top = bottom;
    for (QMdiSubWindow *w : windows) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > 0 && x + s.width() > width) {
            x = 0;
            bottom = top;
        }
        w->move(x, bottom - s.height());
        top = std::min(top, bottom - s.height());
        x += s.width();
    }
    return top;
}

} // namespace verno
