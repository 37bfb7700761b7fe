#include "app/windowarranger.h"
#include "app/tiling.h"
#include "editor/filewindow.h"

#include <QMdiArea>

namespace verno {

void tileWindows(QMdiArea &area, const QList<TFileWindow *> &windows, bool down)
{
    QList<TFileWindow *> shown;
    for (TFileWindow *w : windows)
        if (!w->isMinimized())
            shown << w;
    const QSize size = area.viewport()->size();
    const std::vector<TileRect> rects = tileRects(int(shown.size()), size.width(), size.height(), down);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        TFileWindow *w = shown[i];
        if (w->isMaximized())
            w->showNormal();
        const TileRect &r = rects[size_t(i)];
        w->setGeometry(r.x, r.y, r.w, r.h);
    }
}

void cascadeWindows(QMdiArea &area, const QList<TFileWindow *> &windows)
{
    for (TFileWindow *w : windows)
        if (w->isMaximized())
            w->showNormal();
    area.cascadeSubWindows();
}

void minimizeWindows(const QList<TFileWindow *> &windows)
{
    for (qsizetype i = windows.size() - 1; i >= 0; --i)
        windows[i]->showMinimized();
}

void arrangeIcons(QMdiArea &area, const QList<TFileWindow *> &windows)
{
    int x = 0;
    const int bottom = area.viewport()->height();
    for (TFileWindow *w : windows) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        w->move(x, bottom - s.height());
        x += s.width();
    }
}

} // namespace verno
