#include "app/tabset.h"

#include <QToolButton>

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
    connect(this, &QTabBar::currentChanged, this, [this] {
        if (quiet_)
            return;
        none_ = currentIndex() < 0;
        emit clicked();
    });
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
    });
}

void TTabSet::removeTabAt(int index)
{
    quietly([&] { removeTab(index); });
    if (count() == 0)
        none_ = true;
}

void TTabSet::setSelectedIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    const int old = selectedIndex();
    none_ = index < 0;
    if (index >= 0)
        quietly([&] { setCurrentIndex(index); });
    if (index != old)
        emit clicked();
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
