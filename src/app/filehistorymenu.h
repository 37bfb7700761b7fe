#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

namespace verno {

struct Settings;

// The recently used file names at the end of the File menu: a separator at
// the designed item count, then the entries, entry 1 on top. The list of
// names is kept here; the menu holds items for the entries it shows, so a
// history of any length costs the menu no more than FileHistMax items. Reads
// and sets FileHist and FileHistSort, reads FileHistMax.
class FileHistoryMenu : public QObject {
public:
    using Open = std::function<void(const QString &name)>;
    FileHistoryMenu(QMenu *fileMenu, int base, Settings &settings, Open open);

    void Add(const QString &name);
    void Remove(const QString &name);
    void Clear();
    void SetShown(bool v);
    void SetSort(bool v);
    void ApplyVisibility();
    QStringList Collect() const;
    // As adding the names one by one from the last, in one pass.
    void Restore(const QStringList &names);

    // Every entry's name, shown or not.
    const QStringList &names() const { return names_; }
    QAction *separator() const;
    // The items of the entries that show.
    const QList<QAction *> &entries() const { return items_; }

private:
    static QString nameOf(const QAction *entry);

    QMenu *menu_;
    int base_;
    Settings &settings_;
    Open open_;
    QStringList names_;
    QList<QAction *> items_;
};

} // namespace verno
