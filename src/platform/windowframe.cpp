#include "platform/windowframe.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace verno {

namespace {

QMargins framedMargins(const QWidget &window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool isFramed(const QWidget &window) { return window.frameGeometry() != window.geometry(); }

} // namespace

QMargins windowFrameMargins(const QWidget &window, bool *known)
{
    const bool framed = isFramed(window);
    if (known)
        *known = framed;
    if (framed)
        return framedMargins(window);
    for (const QWidget *other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible() && isFramed(*other))
            return framedMargins(*other);
    const int border = 4;
    return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

} // namespace verno
