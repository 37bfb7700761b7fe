#include "app/windowlistmenu.h"
#include "app/listtext.h"
#include "app/settings.h"
#include "window/filewindow.h"

#include <QAction>
#include <QMenu>

namespace verno {

WindowListMenu::WindowListMenu(QMenu *windowMenu, int base, Settings &settings, Hooks hooks)
    : menu_(windowMenu), base_(base), settings_(settings), hooks_(std::move(hooks))
{
}

QList<QKeySequence> WindowListMenu::keys()
{
    QList<QKeySequence> result;
    for (int n = 1; n <= 9; ++n)
        result << QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + n));
    return result;
}

QAction *WindowListMenu::separator() const { return menu_->actions().value(base_); }

QList<QAction *> WindowListMenu::entries() const
{
    const QList<QAction *> all = menu_->actions();
    return all.size() > base_ + 1 ? all.mid(base_ + 1) : QList<QAction *>();
}

TFileWindow *WindowListMenu::windowOf(const QAction *entry)
{
    return static_cast<TFileWindow *>(entry->data().value<void *>());
}

QAction *WindowListMenu::entryOf(const TFileWindow *window) const
{
    for (QAction *a : entries())
        if (windowOf(a) == window)
            return a;
    return nullptr;
}

void WindowListMenu::setEntry(QAction *entry, int number)
{
    TFileWindow *w = windowOf(entry);
    const QString text = menuEntryText(w->WindowListText(number));
    if (entry->text() != text)
        entry->setText(text);
    const QKeySequence key = number <= 9 ? QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + number)) : QKeySequence();
    if (entry->shortcut() != key)
        entry->setShortcut(key);
    entry->setChecked(w == hooks_.active());
    entry->setVisible(number <= settings_.WinListMax);
}

void WindowListMenu::Add(TFileWindow *window)
{
    if (!settings_.WinList || entryOf(window))
        return;
    if (menu_->actions().size() == base_)
        menu_->addSeparator();
    const QList<QAction *> list = entries();
    int position = int(list.size());
    if (settings_.WinListSort)
        position = alphaInsertPosition(position, [&](int i) { return windowOf(list[i])->FullName(); },
                                       window->FullName());
    auto *entry = new QAction(menu_);
    entry->setData(QVariant::fromValue(static_cast<void *>(window)));
    entry->setCheckable(true);
    entry->setShortcutContext(Qt::WindowShortcut);
    connect(entry, &QAction::triggered, this, [this, entry] {
        hooks_.click(windowOf(entry));
        // Qt flips a checkable item on every choice; the mark follows the active window.
        entry->setChecked(windowOf(entry) == hooks_.active());
    });
    menu_->insertAction(list.value(position), entry);
    Renumber();
}

void WindowListMenu::Remove(TFileWindow *window)
{
    QAction *entry = entryOf(window);
    if (!entry)
        return;
    menu_->removeAction(entry);
    entry->deleteLater();
    if (QAction *sep = separator(); sep && menu_->actions().size() == base_ + 1) {
        menu_->removeAction(sep);
        sep->deleteLater();
    }
    Renumber();
}

void WindowListMenu::Renumber()
{
    int n = 0;
    for (QAction *a : entries())
        setEntry(a, ++n);
}

void WindowListMenu::SetChecked(TFileWindow *window, bool v)
{
    if (QAction *entry = entryOf(window))
        entry->setChecked(v);
}

void WindowListMenu::UpdateCaption(TFileWindow *window)
{
    if (QAction *entry = entryOf(window))
        setEntry(entry, int(entries().indexOf(entry)) + 1);
}

void WindowListMenu::SetShown(bool v)
{
    if (v == settings_.WinList)
        return;
    settings_.WinList = v;
    if (v) {
        for (TFileWindow *w : hooks_.windows())
            Add(w);
        return;
    }
    for (QAction *a : entries())
        Remove(windowOf(a));
}

void WindowListMenu::SetSort(bool v)
{
    if (v && !settings_.WinListSort) {
        const QList<QAction *> list = entries();
        alphaSelectionSort(
            int(list.size()), [&](int i) { return windowOf(list[i])->FullName(); },
            [&](int i, int j) {
                const QVariant first = list[i]->data();
                list[i]->setData(list[j]->data());
                list[j]->setData(first);
            });
        Renumber();
    }
    settings_.WinListSort = v;
}

} // namespace verno
