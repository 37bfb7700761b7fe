#include "app/tabbar.h"
#include "app/listtext.h"
#include "app/mainwindow.h"
#include "app/tabset.h"
#include "window/filewindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace verno {

namespace {
// The frame characters only: cheaper than building the whole tab text anew.
QString reframed(const QString &text, bool modified)
{
    QString result = text;
    if (result.size() < 2)
        return result;
    result[0] = modified ? QLatin1Char('[') : QLatin1Char(' ');
    result[result.size() - 1] = modified ? QLatin1Char(']') : QLatin1Char(' ');
    return result;
}

void copyToClipboard(const QString &text)
{
    // Nothing to copy leaves the user's clipboard as it was.
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}
} // namespace

TabBar::TabBar(TMainWindow &frame, QWidget *parent, Settings &settings)
    : frame_(frame), settings_(settings), tabs_(new TTabSet(parent))
{
    connect(tabs_, &TTabSet::clicked, this, [this] { frame_.TabSetClick(); });
    buildPopup();
    connect(tabs_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { popup_->popup(tabs_->mapToGlobal(pos)); });
}

void TabBar::buildPopup()
{
    popup_ = new QMenu(tabs_);
    popup_->setObjectName(QStringLiteral("MnuPopTabs"));
    const auto add = [this](const char *name, const char *caption, auto handler) {
        QAction *a = popup_->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    TMainWindow &f = frame_;
    add("PopTabClose", "Close", [&f] { f.WinCloseClick(); });
    add("PopTabCloseAll", "Close All", [&f] { f.WinCloseAllClick(); });
    popup_->addSeparator()->setObjectName(QStringLiteral("N1"));
    add("PopTabCopyFileName", "Copy Filename", [&f] { f.TabCopyFileNameClick(); });
    add("PopTabCopyFullPath", "Copy Full Path", [&f] { f.TabCopyFullPathClick(); });
    popup_->addSeparator()->setObjectName(QStringLiteral("N2"));
    add("PopTabsSort", "Sort Tabs", [&f] { f.TabsSortClick(); })->setCheckable(true);
    connect(popup_, &QMenu::aboutToShow, this, [this] { frame_.UpdateCommandState(true); });
}

void TabBar::Add(TFileWindow *window)
{
    int position = tabs_->count();
    if (settings_.TabsSort)
        position = alphaInsertPosition(position, [this](int i) { return tabs_->windowAt(i)->ShortName(); },
                                       window->ShortName());
    tabs_->insertTabFor(position, literalMenuText(window->TabText()), window);
    tabs_->setSelectedIndex(position);
}

void TabBar::Remove(TFileWindow *window)
{
    const int index = tabs_->indexOfWindow(window);
    if (index < 0)
        return;
    tabs_->removeTabAt(index);
}

void TabBar::UpdateText(TFileWindow *window)
{
    const int index = tabs_->indexOfWindow(window);
    if (index >= 0)
        tabs_->setTabText(index, literalMenuText(window->TabText()));
}

void TabBar::SelectActive() { Select(frame_.activeWindow()); }

void TabBar::Select(TFileWindow *window) { tabs_->setSelectedIndex(window ? tabs_->indexOfWindow(window) : -1); }

// Works on the stored text as it is: a doubled "&" is never a frame character.
void TabBar::RefreshMarks()
{
    const int first = tabs_->firstInView();
    const int end = first + tabs_->countInView();
    for (int i = first; i < end; ++i) {
        const QString old = tabs_->tabText(i);
        const QString now = reframed(old, tabs_->windowAt(i)->Memo().ModifiedFlag());
        if (now != old)
            tabs_->setTabText(i, now);
    }
}

void TabBar::SetSort(bool v)
{
    if (v && !settings_.TabsSort) {
        alphaSelectionSort(
            tabs_->count(), [this](int i) { return tabs_->windowAt(i)->ShortName(); },
            [this](int i, int j) {
                const int selected = tabs_->selectedIndex();
                const QString text = tabs_->tabText(i);
                TFileWindow *window = tabs_->windowAt(i);
                tabs_->setTabText(i, tabs_->tabText(j));
                tabs_->setWindowAt(i, tabs_->windowAt(j));
                tabs_->setTabText(j, text);
                tabs_->setWindowAt(j, window);
                if (selected == i || selected == j)
                    tabs_->setSelectedIndex(selected == i ? j : i);
            });
    }
    settings_.TabsSort = v;
    popup_->findChild<QAction *>(QStringLiteral("PopTabsSort"))->setChecked(v);
}

TFileWindow *TabBar::selectedWindow() const
{
    const int index = tabs_->selectedIndex();
    return index >= 0 ? tabs_->windowAt(index) : nullptr;
}

void TabBar::Click()
{
    if (TFileWindow *w = selectedWindow())
        frame_.ActivateEditWindow(w);
}

void TabBar::CopyFileName() const
{
    if (TFileWindow *w = selectedWindow())
        copyToClipboard(w->FileName);
}

void TabBar::CopyFullPath() const
{
    if (TFileWindow *w = selectedWindow())
        copyToClipboard(w->FilePath());
}

void TabBar::ToggleShown()
{
    const bool show = tabs_->isHidden();
    tabs_->setVisible(show);
    settings_.Tabs = show;
    // The selection was not kept while hidden.
    if (show)
        SelectActive();
}

void TabBar::statusPass(const CommandState &state)
{
    if (!tabs_->isVisible())
        return;
    RefreshMarks();
    tabs_->setSelectedColour(state.HasWindow && state.IsReadOnly ? QPalette::Button : QPalette::Base);
}

void TabBar::menuPass(const CommandState &state)
{
    if (!tabs_->isVisible())
        return;
    for (const char *name : {"PopTabClose", "PopTabCloseAll"})
        popup_->findChild<QAction *>(QString::fromLatin1(name))->setEnabled(state.HasWindow);
}

} // namespace verno
