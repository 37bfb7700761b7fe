#pragma once
#include <QList>

class QMdiArea;

namespace verno {

class TFileWindow;

// Window arrangements laid out by the program (Qt's own tiling is a grid).
void tileWindows(QMdiArea &area, const QList<TFileWindow *> &windows, bool down);
void cascadeWindows(QMdiArea &area, const QList<TFileWindow *> &windows);
void minimizeWindows(const QList<TFileWindow *> &windows);
// Returns the top of the icon rows (the area's height when there are none).
int arrangeIcons(QMdiArea &area, const QList<TFileWindow *> &windows);

} // namespace verno
