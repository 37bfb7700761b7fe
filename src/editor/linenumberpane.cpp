#include "editor/linenumberpane.h"
#include "editor/bytefont.h"
#include "editor/editview.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace verno {

namespace {
constexpr int kPadding = 4; // on each side of the numbers
constexpr int kMinWidth = 20;
} // namespace

LineNumberPane::LineNumberPane(EditView *view) : QWidget(view), view_(view), viewport_(view->viewport())
{
    setObjectName(QStringLiteral("LineNumbers"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport_->installEventFilter(this);
    fitWidth();
    show();
}

void LineNumberPane::remove()
{
    view_->setLeftMargin(0);
    delete this;
}

void LineNumberPane::fitWidth()
{
    margin_ = neededWidth();
    view_->setLeftMargin(margin_);
    place();
}

int LineNumberPane::neededWidth() const
{
    const ByteWidths &w = view_->byteFont().widths();
    const float digit = *std::max_element(w.advance.begin() + '0', w.advance.begin() + '9' + 1);
    int digits = 1;
    for (int n = view_->model().store().lineCount(); n >= 10; n /= 10)
        ++digits;
    return std::max(kMinWidth, int(std::ceil(digits * digit)) + 2 * kPadding);
}

void LineNumberPane::place()
{
    const QRect v = view_->viewport()->geometry();
    setGeometry(v.x() - margin_, v.y(), margin_, v.height());
}

// The view paints whenever its text, font or scroll position changes: the
// pane follows, and takes a new width when the numbers grow a digit.
bool LineNumberPane::eventFilter(QObject *watched, QEvent *e)
{
    // Compared by the pointer kept: the view may be partly destroyed while
    // its viewport still has events.
    if (watched != viewport_)
        return false;
    if (e->type() == QEvent::Resize || e->type() == QEvent::Move) {
        place();
    } else if (e->type() == QEvent::Paint) {
        // Not while the view paints: its viewport changes size.
        if (neededWidth() != margin_)
            QTimer::singleShot(0, this, &LineNumberPane::fitWidth);
        const QRect r = static_cast<QPaintEvent *>(e)->rect();
        const int first = view_->verticalScrollBar()->value();
        const int rows = view_->model().layout().lineCount();
        // A blinking caret alone leaves the numbers as they are.
        if (r.height() > view_->byteFont().lineHeight() + 2 || first != shownFirst_ || rows != shownRows_)
            update();
    }
    return false;
}

void LineNumberPane::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Midlight));
    p.setFont(view_->font());
    p.setPen(palette().color(QPalette::WindowText));
    const TextLayout &layout = view_->model().layout();
    const ByteFont &font = view_->byteFont();
    shownFirst_ = view_->verticalScrollBar()->value();
    shownRows_ = layout.lineCount();
    const int right = width() - kPadding;
    for (int n = shownFirst_; n < shownRows_; ++n) {
        const int y = view_->lineY(n);
        if (y > height())
            break;
        const int line = layout.logicalLine(n);
        // A row that continues a wrapped line has no number.
        if (layout.firstDisplayLine(line) != n || y + font.lineHeight() < e->rect().top())
            continue;
        const QString number = QString::number(line + 1);
        p.drawText(QPointF(right - p.fontMetrics().horizontalAdvance(number), y + font.ascent()), number);
    }
}

// The wheel scrolls and zooms the text here as it does beside the numbers.
void LineNumberPane::wheelEvent(QWheelEvent *e)
{
    QWheelEvent passed(viewport_->mapFromGlobal(e->globalPosition()), e->globalPosition(), e->pixelDelta(),
                       e->angleDelta(), e->buttons(), e->modifiers(), e->phase(), e->inverted(), e->source(),
                       e->pointingDevice());
    QCoreApplication::sendEvent(viewport_, &passed);
    e->setAccepted(passed.isAccepted());
}

int LineNumberPane::lineAtY(int y) const
{
    return view_->model().layout().logicalLine(view_->lineAt(QPoint(0, y)));
}

// Lines from and to, both whole, with their breaks; the caret at the end
// towards to.
void LineNumberPane::selectLines(int from, int to)
{
    const TextStore &store = view_->model().store();
    const auto startOf = [&store](int line) {
        return line < store.lineCount() ? store.lineStart(line) : store.length();
    };
    if (to >= from)
        view_->setSelection(startOf(from), startOf(to + 1), true);
    else
        view_->setSelection(startOf(from + 1), startOf(to), true);
}

void LineNumberPane::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    view_->setFocus(Qt::MouseFocusReason);
    anchorLine_ = lineAtY(e->position().toPoint().y());
    selectLines(anchorLine_, anchorLine_);
}

void LineNumberPane::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton) || anchorLine_ < 0)
        return;
    const int y = e->position().toPoint().y();
    // Above or below the pane the view scrolls a row at a time.
    QScrollBar *bar = view_->verticalScrollBar();
    if (y < 0)
        bar->setValue(bar->value() - 1);
    else if (y >= height())
        bar->setValue(bar->value() + 1);
    selectLines(anchorLine_, lineAtY(std::clamp(y, 0, height() - 1)));
}

void LineNumberPane::mouseDoubleClickEvent(QMouseEvent *e) { mousePressEvent(e); }

void LineNumberPane::contextMenuEvent(QContextMenuEvent *e)
{
    if (menu_)
        menu_->popup(e->globalPos());
    e->accept();
}

} // namespace verno
