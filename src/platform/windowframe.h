#pragma once
// The frame the window manager draws around a top-level window.
#include <QMargins>

class QWidget;

namespace verno {

// The frame around the window's client area. Until the window manager has
// framed the window its frame is not known (`known` false) and an estimate
// is given: the frame of another framed window of the program, else the
// style's title bar with a thin border.
QMargins windowFrameMargins(const QWidget &window, bool *known = nullptr);

} // namespace verno
