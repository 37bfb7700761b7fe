#include "app/framegeometry.h"
#include "platform/messagedialog.h"
#include "platform/windowframe.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace verno {

namespace {

const QScreen *screenOf(const QWidget &window)
{
    const QScreen *screen = QGuiApplication::screenAt(window.geometry().center());
    return screen ? screen : QGuiApplication::primaryScreen();
}

// A start moved so that `length` from it lies within `room` from `low`.
int into(int start, int length, int low, int room)
{
    return std::clamp(start, low, std::max(low, low + room - length));
}

// The stored size within the screen's available area less the frame, each
// side on its own. On an axis where the stored size had to be cut, the
// frame is moved onto the area, so title bar and status bar are in reach.
void fitStoredSize(QWidget &window, int width, int height, const QMargins &frame)
{
    const QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QSize room = avail.marginsRemoved(frame).size();
    const int maxWidth = std::max(window.minimumWidth(), room.width());
    const int maxHeight = std::max(window.minimumHeight(), room.height());
    QRect g = window.geometry();
    g.setWidth(std::clamp(width, window.minimumWidth(), maxWidth));
    window.setGeometry(g);
    g = window.geometry();
    g.setHeight(std::clamp(height, window.minimumHeight(), maxHeight));
    window.setGeometry(g);

    g = window.geometry();
    const QRect outer = g.marginsAdded(frame);
    if (width > maxWidth)
        g.translate(into(outer.left(), outer.width(), avail.left(), avail.width()) - outer.left(), 0);
    if (height > maxHeight)
        g.translate(0, into(outer.top(), outer.height(), avail.top(), avail.height()) - outer.top());
    if (g != window.geometry())
        window.setGeometry(g);
}

// Until the window manager has framed the window its frame is only
// estimated; the stored size is fitted again once the frame is known, seen
// at the window's first showing, moving, resizing or exposing after that.
class FitWhenFramed : public QObject {
public:
    FitWhenFramed(QWidget &window, int width, int height)
        : QObject(&window), window_(window), width_(width), height_(height)
    {
        window.installEventFilter(this);
        watchHandle();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        if (t == QEvent::Show)
            watchHandle();
        if (t != QEvent::Show && t != QEvent::Move && t != QEvent::Resize && t != QEvent::Expose)
            return false;
        bool known = false;
        const QMargins frame = windowFrameMargins(window_, &known);
        if (known) {
            window_.removeEventFilter(this);
            if (handle_)
                handle_->removeEventFilter(this);
            deleteLater();
            fitStoredSize(window_, width_, height_, frame);
        }
        return false;
    }

private:
    void watchHandle()
    {
        if (!handle_ && window_.windowHandle()) {
            handle_ = window_.windowHandle();
            handle_->installEventFilter(this);
        }
    }

    QWidget &window_;
    QPointer<QWindow> handle_;
    int width_;
    int height_;
};

} // namespace

void applyStoredGeometry(QWidget &window, int top, int left, int width, int height)
{
    // Nothing stored beyond the window's own place: no need to wait for its frame.
    if (QRect(left, top, width, height) == window.geometry())
        return;
    // A window just shown is framed in a moment; then its frame is known, and
    // requests sent before that are not replayed over later ones.
    waitUntilPlaced(&window);
    QRect g = window.geometry();
    g.moveTop(top);
    window.setGeometry(g);
    g = window.geometry();
    g.moveLeft(left);
    window.setGeometry(g);

    const QObjectList children = window.children();
    for (QObject *child : children)
        delete dynamic_cast<FitWhenFramed *>(child); // an earlier one, still waiting
    bool known = false;
    const QMargins frame = windowFrameMargins(window, &known);
    fitStoredSize(window, width, height, frame);
    if (!known)
        new FitWhenFramed(window, width, height);

    bool visible = false;
    for (const QScreen *s : QGuiApplication::screens())
        visible = visible || s->availableGeometry().intersects(window.geometry().marginsAdded(frame));
    if (!visible) {
        const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
        // Placing the frame itself keeps the title bar on screen.
        g = window.geometry();
        g.moveTopLeft(primary.topLeft() + QPoint(frame.left(), frame.top()));
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
