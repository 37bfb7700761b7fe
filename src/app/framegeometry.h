#pragma once
// Stored window geometry and stored colours, made to fit this desktop.
#include <QColor>
#include <QPalette>

class QWidget;

namespace verno {

// Top, Left, Width and Height, each on its own and in that order; the size
// is bounded by the screen, and a window left off every screen comes back
// onto the primary one.
void applyStoredGeometry(QWidget &window, int top, int left, int width, int height);

// The stored colour number: 0x00BBGGRR, or a system colour with the high bit
// set and its index in the low byte.
QColor colorFromNumber(int number, const QPalette &palette);
// The number to store for a colour; a colour that is still what `previous`
// stands for keeps that number, so system colours stay system colours.
int colorToNumber(const QColor &color, int previous, const QPalette &palette);

} // namespace verno
