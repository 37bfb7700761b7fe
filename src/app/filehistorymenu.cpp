#include "app/filehistorymenu.h"
#include "app/listtext.h"
#include "app/settings.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <algorithm>

namespace verno {

FileHistoryMenu::FileHistoryMenu(QMenu *fileMenu, int base, Settings &settings, Open open)
    : menu_(fileMenu), base_(base), settings_(settings), open_(std::move(open))
{
    // The history separator shows while the history is on, also as the
    // menu's last item when no entry shows (FileHistMax 0).
    menu_->setSeparatorsCollapsible(false);
}

QAction *FileHistoryMenu::separator() const { return menu_->actions().value(base_); }

QString FileHistoryMenu::nameOf(const QAction *entry) { return entry->data().toString(); }

void FileHistoryMenu::Add(const QString &name)
{
    if (menu_->actions().size() == base_)
        menu_->addSeparator();
    const qsizetype found = names_.indexOf(name);
    if (settings_.FileHistSort) {
        if (found < 0)
            names_.insert(alphaInsertPosition(int(names_.size()), [&](int i) { return names_[i]; }, name), name);
    } else if (found != 0) {
        if (found > 0)
            names_.removeAt(found);
        names_.prepend(name);
    }
    ApplyVisibility();
}

void FileHistoryMenu::Remove(const QString &name)
{
    names_.removeOne(name);
    ApplyVisibility();
}

void FileHistoryMenu::Clear()
{
    names_.clear();
    ApplyVisibility();
}

// The menu gets one item for each entry that shows; an item stays while it
// is needed (it may be the one being clicked) and takes another name.
void FileHistoryMenu::ApplyVisibility()
{
    if (QAction *sep = separator())
        sep->setVisible(settings_.FileHist);
    const qsizetype shown = settings_.FileHist ? std::clamp<qsizetype>(settings_.FileHistMax, 0, names_.size()) : 0;
    while (items_.size() > shown) {
        QAction *item = items_.takeLast();
        menu_->removeAction(item);
        item->deleteLater();
    }
    while (items_.size() < shown) {
        auto *item = new QAction(menu_);
        connect(item, &QAction::triggered, this, [this, item] { open_(nameOf(item)); });
        menu_->addAction(item);
        items_ << item;
    }
    for (qsizetype k = 0; k < shown; ++k) {
        if (nameOf(items_[k]) != names_[k]) {
            items_[k]->setData(names_[k]);
            items_[k]->setText(menuEntryText(names_[k]));
        }
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
        alphaSelectionSort(
            int(names_.size()), [&](int i) { return names_[i]; }, [&](int i, int j) { names_.swapItemsAt(i, j); });
        ApplyVisibility();
    }
    settings_.FileHistSort = v;
}

QStringList FileHistoryMenu::Collect() const
{
    return names_.mid(0, std::clamp<qsizetype>(settings_.FileHistMax, 0, names_.size()));
}

void FileHistoryMenu::Restore(const QStringList &stored)
{
    names_.clear();
    if (!stored.isEmpty() && menu_->actions().size() == base_)
        menu_->addSeparator();
    // Unsorted, each name went on top, so the first stored one of equal
    // names stays; sorted, each went after the names equal to it in order.
    QSet<QString> seen;
    const auto take = [&](const QString &name) {
        if (!seen.contains(name)) {
            seen.insert(name);
            names_ << name;
        }
    };
    if (settings_.FileHistSort) {
        std::for_each(stored.crbegin(), stored.crend(), take);
        std::stable_sort(names_.begin(), names_.end(), alphaLess);
    } else {
        std::for_each(stored.cbegin(), stored.cend(), take);
    }
    ApplyVisibility();
}

} // namespace verno
