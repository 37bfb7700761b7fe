#include "app/filehistorymenu.h"
#include "app/listtext.h"
#include "app/settings.h"

#include <QAction>
#include <QMenu>

namespace verno {

FileHistoryMenu::FileHistoryMenu(QMenu *fileMenu, int base, Settings &settings, Open open)
    : menu_(fileMenu), base_(base), settings_(settings), open_(std::move(open))
{
}

QAction *FileHistoryMenu::separator() const { return menu_->actions().value(base_); }

QList<QAction *> FileHistoryMenu::entries() const
{
    const QList<QAction *> all = menu_->actions();
    return all.size() > base_ + 1 ? all.mid(base_ + 1) : QList<QAction *>();
}

QStringList FileHistoryMenu::names() const
{
    QStringList result;
    for (const QAction *a : entries())
        result << nameOf(a);
    return result;
}

QString FileHistoryMenu::nameOf(const QAction *entry) { return entry->data().toString(); }

void FileHistoryMenu::setName(QAction *entry, const QString &name)
{
    entry->setData(name);
    entry->setText(menuEntryText(name));
}

void FileHistoryMenu::Add(const QString &name)
{
    if (menu_->actions().size() == base_)
        menu_->addSeparator();
    const QList<QAction *> list = entries();
    const auto found = std::find_if(list.begin(), list.end(), [&](QAction *a) { return nameOf(a) == name; });
    QAction *entry = found == list.end() ? nullptr : *found;
    int position = 0;
    if (settings_.FileHistSort) {
        if (entry) {
            ApplyVisibility();
            return;
        }
        position = alphaInsertPosition(int(list.size()), [&](int i) { return nameOf(list[i]); }, name);
    } else if (entry) {
        // Moved rather than made anew: the entry may be the one being clicked.
        menu_->removeAction(entry);
    }
    if (!entry) {
        entry = new QAction(menu_);
        setName(entry, name);
        connect(entry, &QAction::triggered, this, [this, entry] { open_(nameOf(entry)); });
    }
    const QList<QAction *> now = entries();
    menu_->insertAction(now.value(position), entry);
    ApplyVisibility();
}

void FileHistoryMenu::Remove(const QString &name)
{
    for (QAction *a : entries()) {
        if (nameOf(a) == name) {
            menu_->removeAction(a);
            a->deleteLater();
            break;
        }
    }
    ApplyVisibility();
}

void FileHistoryMenu::Clear()
{
    for (QAction *a : entries()) {
        menu_->removeAction(a);
        a->deleteLater();
    }
}

void FileHistoryMenu::ApplyVisibility()
{
    if (QAction *sep = separator())
        sep->setVisible(settings_.FileHist);
    int k = 0;
    for (QAction *a : entries()) {
        ++k;
        a->setVisible(settings_.FileHist && k <= settings_.FileHistMax);
    }
}

void FileHistoryMenu::SetShown(bool v)
{
    if (v == settings_.FileHist)
        return;
    settings_.FileHist = v;
    ApplyVisibility();
}

void FileHistoryMenu::SetSort(bool v)
{
    if (v && !settings_.FileHistSort) {
        const QList<QAction *> list = entries();
        alphaSelectionSort(
            int(list.size()), [&](int i) { return nameOf(list[i]); },
            [&](int i, int j) {
                const QString first = nameOf(list[i]);
                setName(list[i], nameOf(list[j]));
                setName(list[j], first);
            });
        ApplyVisibility();
    }
    settings_.FileHistSort = v;
}

QStringList FileHistoryMenu::Collect() const
{
    const QStringList all = names();
    return all.mid(0, std::clamp(settings_.FileHistMax, 0, int(all.size())));
}

void FileHistoryMenu::Restore(const QStringList &stored)
{
    Clear();
    for (auto it = stored.crbegin(); it != stored.crend(); ++it)
        Add(*it);
}

} // namespace verno
