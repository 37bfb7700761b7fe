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

// The recently used file names at the end of the File menu. The menu items
// are the list: a separator at the designed item count, then one item per
// name, entry 1 on top. Reads and sets FileHist and FileHistSort, reads
// FileHistMax.
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
    void Restore(const QStringList &names);

    // Every entry's name in menu order, shown or not.
    QStringList names() const;
    QAction *separator() const;
    QList<QAction *> entries() const;

private:
    static QString nameOf(const QAction *entry);
    void setName(QAction *entry, const QString &name);

    QMenu *menu_;
    int base_;
    Settings &settings_;
    Open open_;
};

} // namespace verno
