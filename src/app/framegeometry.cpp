#include "app/framegeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace verno {

void applyStoredGeometry(QWidget &window, int top, int left, int width, int height)
{
    QRect g = window.geometry();
    g.moveTop(top);
    window.setGeometry(g);
    g = window.geometry();
    g.moveLeft(left);
    window.setGeometry(g);

    const QScreen *screen = QGuiApplication::screenAt(g.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    // Room for the frame around the client area the stored size measures.
    const QSize decoration = window.frameGeometry().size() - window.geometry().size();
    const int maxWidth = std::max(window.minimumWidth(), avail.width() - decoration.width());
    const int maxHeight = std::max(window.minimumHeight(), avail.height() - decoration.height());
    g = window.geometry();
    g.setWidth(std::clamp(width, window.minimumWidth(), maxWidth));
    window.setGeometry(g);
    g = window.geometry();
    g.setHeight(std::clamp(height, window.minimumHeight(), maxHeight));
    window.setGeometry(g);

    bool visible = false;
    for (const QScreen *s : QGuiApplication::screens())
        visible = visible || s->availableGeometry().intersects(window.frameGeometry());
    if (!visible) {
        const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
        // Until the window manager has framed the window its frame size is
        // unknown; placing the frame itself keeps the title bar on screen.
        g = window.geometry();
        g.moveTopLeft(primary.topLeft() + (window.geometry().topLeft() - window.frameGeometry().topLeft()));
        window.setGeometry(g);
        if (QWindow *handle = window.windowHandle(); handle && window.isVisible())
            handle->setFramePosition(primary.topLeft());
    }
}

namespace {

// The system colours a stored number may name, by index.
QColor systemColor(int index, const QPalette &palette)
{
    switch (index) {
    case 5: return palette.color(QPalette::Base);            // window
    case 6: return palette.color(QPalette::Shadow);          // window frame
    case 8: return palette.color(QPalette::Text);            // window text
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);          // button face
    case 16: return palette.color(QPalette::Dark);            // button shadow
    case 17: return palette.color(QPalette::PlaceholderText); // gray text
    case 18: return palette.color(QPalette::ButtonText);
    case 20: return palette.color(QPalette::Light);           // button highlight
    default: return palette.color(QPalette::Text);
    }
}

} // namespace

QColor colorFromNumber(int number, const QPalette &palette)
{
    if (number < 0)
        return systemColor(number & 0xFF, palette);
    const auto n = unsigned(number);
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

int colorToNumber(const QColor &color, int previous, const QPalette &palette)
{
    if (colorFromNumber(previous, palette) == color)
        return previous;
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace verno
