#include "editor/fontzoom.h"

#include <QEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace verno {

QFont zoomedFont(const QFont &font, int steps)
{
    if (steps == 0)
        return font;
    QFont f = font;
    const double factor = std::pow(1.1, std::clamp(steps, kZoomMin, kZoomMax));
    if (font.pointSizeF() > 0)
        f.setPointSizeF(std::max(4.0, std::round(font.pointSizeF() * factor * 2) / 2));
    else
        f.setPixelSize(std::max(5, int(std::lround(font.pixelSize() * factor))));
    return f;
}

namespace {

class CtrlWheel : public QObject {
public:
    CtrlWheel(QWidget *target, std::function<void(int)> step) : QObject(target), step_(std::move(step))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::Wheel)
            return false;
        auto *w = static_cast<QWheelEvent *>(e);
        if (!(w->modifiers() & Qt::ControlModifier))
            return false;
        // Touchpads send small parts of a step: they add up.
        pending_ += w->angleDelta().y();
        for (; pending_ >= 120; pending_ -= 120)
            step_(1);
        for (; pending_ <= -120; pending_ += 120)
            step_(-1);
        w->accept();
        return true;
    }

private:
    std::function<void(int)> step_;
    int pending_ = 0;
};

} // namespace

void zoomOnCtrlWheel(QWidget *target, std::function<void(int)> step) { new CtrlWheel(target, std::move(step)); }

} // namespace verno
