#pragma once
// Zoom of an edit control's text: a number of steps, each about a tenth
// larger or smaller than the one before, over the control's own font. Only
// the screen shows it; the font itself (printing, the font dialog) is kept.
#include <QFont>
#include <functional>

class QWidget;

namespace verno {

inline constexpr int kZoomMin = -8;
inline constexpr int kZoomMax = 24;

// The font shown at zoom steps; at least 4 points.
QFont zoomedFont(const QFont &font, int steps);

// Ctrl with the mouse wheel over target zooms by whole wheel steps: step(+1)
// for a turn away from the user, step(-1) towards.
void zoomOnCtrlWheel(QWidget *target, std::function<void(int)> step);

} // namespace verno
