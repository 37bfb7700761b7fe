#include "app/tabset.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QToolButton>
#include <QWheelEvent>

namespace verno {

TTabSet::TTabSet(QWidget *parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("TabSet"));
    setShape(QTabBar::RoundedSouth);
    setUsesScrollButtons(true);
    setExpanding(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(false);
    setDocumentMode(true);
    // Clicking a tab hands the focus to its window, never to the strip.
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton *arrow : findChildren<QToolButton *>())
        arrow->setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setFixedHeight(20);
    setSelectedColour(QPalette::Base);
    // Only a choice from outside (accessibility) reaches here unasked.
    connect(this, &QTabBar::currentChanged, this, [this] {
        if (quiet_)
            return;
        selected_ = currentIndex();
        update();
        emit clicked();
    });
    for (QToolButton *arrow : findChildren<QToolButton *>())
        connect(arrow, &QToolButton::clicked, this, &TTabSet::keepCurrentInView);
}

TFileWindow *TTabSet::windowAt(int index) const
{
    return static_cast<TFileWindow *>(tabData(index).value<void *>());
}

void TTabSet::setWindowAt(int index, TFileWindow *window)
{
    setTabData(index, QVariant::fromValue(static_cast<void *>(window)));
}

int TTabSet::indexOfWindow(const TFileWindow *window) const
{
    for (int i = 0; i < count(); ++i)
        if (windowAt(i) == window)
            return i;
    return -1;
}

void TTabSet::insertTabFor(int index, const QString &text, TFileWindow *window)
{
    quietly([&] {
        const int at = insertTab(index, text);
        setWindowAt(at, window);
        if (selected_ >= at)
            ++selected_;
    });
}

void TTabSet::removeTabAt(int index)
{
    quietly([&] { removeTab(index); });
    // The tab that slides into the place of a removed selected one, as the
    // bar itself would choose.
    if (selected_ > index || selected_ >= count())
        --selected_;
}

void TTabSet::setSelectedIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    const int old = selected_;
    selected_ = index;
    // The bar scrolls to a new current tab; one that is current already is in view.
    if (index >= 0)
        quietly([&] { setCurrentIndex(index); });
    update();
    if (index != old)
        emit clicked();
}

void TTabSet::initStyleOption(QStyleOptionTab *option, int tabIndex) const
{
    QTabBar::initStyleOption(option, tabIndex);
    // The selected look follows the selected tab, not the bar's current one.
    option->state.setFlag(QStyle::State_Selected, tabIndex == selected_);
    if (selected_ < 0 || std::abs(tabIndex - selected_) != 1)
        option->selectedPosition = QStyleOptionTab::NotAdjacent;
    else
        option->selectedPosition = tabIndex + 1 == selected_ ? QStyleOptionTab::NextIsSelected
                                                              : QStyleOptionTab::PreviousIsSelected;
}

void TTabSet::mousePressEvent(QMouseEvent *event)
{
    // A press of the left button on a tab selects it; other buttons select nothing.
    if (event->button() == Qt::LeftButton) {
        const int index = tabAt(event->position().toPoint());
        if (index >= 0)
            setSelectedIndex(index);
    }
    event->accept();
}

void TTabSet::wheelEvent(QWheelEvent *event)
{
    // Each notch scrolls one tab, as an arrow does; towards the first tab
    // when turned up or left.
    const QPoint angle = event->angleDelta();
    wheelAngle_ += std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x();
    const char *arrow = wheelAngle_ > 0 ? "ScrollLeftButton" : "ScrollRightButton";
    for (; std::abs(wheelAngle_) >= QWheelEvent::DefaultDeltasPerStep;
         wheelAngle_ -= wheelAngle_ > 0 ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep) {
        auto *button = findChild<QToolButton *>(QString::fromLatin1(arrow));
        if (button && button->isVisible() && button->isEnabled())
            button->click();
    }
    event->accept();
}

// Where tabs show, between the arrows.
QRect TTabSet::tabArea() const
{
    QRect area = rect();
    for (const QToolButton *arrow : findChildren<QToolButton *>()) {
        if (!arrow->isVisible())
            continue;
        if (arrow->geometry().center().x() < width() / 2)
            area.setLeft(std::max(area.left(), arrow->geometry().right() + 1));
        else
            area.setRight(std::min(area.right(), arrow->geometry().left() - 1));
    }
    return area;
}

void TTabSet::keepCurrentInView()
{
    const QRect area = tabArea();
    const auto inFull = [&](int i) { return tabRect(i).left() >= area.left() && tabRect(i).right() <= area.right(); };
    if (currentIndex() < 0 || inFull(currentIndex()))
        return;
    for (int i = 0; i < count(); ++i) {
        if (inFull(i)) {
            quietly([&] { setCurrentIndex(i); });
            return;
        }
    }
}

int TTabSet::firstInView() const
{
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).intersects(rect()))
            return i;
    return count();
}

int TTabSet::countInView() const
{
    int n = 0;
    for (int i = firstInView(); i < count() && tabRect(i).intersects(rect()); ++i)
        ++n;
    return n;
}

void TTabSet::setSelectedColour(QPalette::ColorRole role)
{
    if (role == selectedRole_)
        return;
    selectedRole_ = role;
    const char *selected = role == QPalette::Base ? "base" : "button";
    setStyleSheet(QStringLiteral("QTabBar::tab { background: palette(midlight); border: 1px solid palette(mid);"
                                 " border-top: none; padding: 0px 6px; }"
                                 "QTabBar::tab:selected { background: palette(%1); }")
                      .arg(QLatin1String(selected)));
}

} // namespace verno
