#include "platform/filewatcher.h"

#include <QFileInfo>

namespace verno {

namespace {

constexpr int kGatherMs = 100;

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

FileWatcher::FileWatcher(QObject *parent) : QObject(parent)
{
    gather_.setSingleShot(true);
    gather_.setInterval(kGatherMs);
    connect(&gather_, &QTimer::timeout, this, &FileWatcher::flush);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatcher::changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::changed);
}

void FileWatcher::watch(const void *client, const QString &path, std::function<void()> notice)
{
    unwatch(client);
    if (path.isEmpty())
        return;
    Client c{{path, folderOf(path)}, std::move(notice)};
    // A link's target may live elsewhere; a file renamed over it is seen there.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!target.isEmpty() && folderOf(target) != c.paths[1])
        c.paths << folderOf(target);
    for (const QString &p : c.paths) {
        QSet<const void *> &users = users_[p];
        // A path the system cannot watch (too many watches) is still looked
        // at when its window comes to the front and before a save.
        if (users.isEmpty() && !watcher_.addPath(p) && p == path)
            lost_.insert(p);
        users.insert(client);
    }
    clients_.insert(client, std::move(c));
}

void FileWatcher::unwatch(const void *client)
{
    const auto it = clients_.constFind(client);
    if (it == clients_.constEnd())
        return;
    for (const QString &p : it->paths) {
        QSet<const void *> &users = users_[p];
        users.remove(client);
        if (users.isEmpty()) {
            users_.remove(p);
            lost_.remove(p);
            watcher_.removePath(p);
        }
    }
    pending_.remove(client);
    clients_.erase(it);
}

void FileWatcher::rewatch(const QString &path)
{
    if (!users_.contains(path))
        return;
    watcher_.removePath(path);
    if (watcher_.addPath(path))
        lost_.remove(path);
    else
        lost_.insert(path);
}

void FileWatcher::changed(const QString &path)
{
    const auto users = users_.constFind(path);
    if (users == users_.constEnd())
        return;
    for (const void *client : *users)
        pending_.insert(client);
    // The watcher lets go of a file that was removed or replaced.
    if (!watcher_.files().contains(path) && !watcher_.directories().contains(path))
        lost_.insert(path);
    gather_.start();
}

void FileWatcher::flush()
{
    gather_.stop();
    // Watch again what came back under a watched name.
    for (auto it = lost_.begin(); it != lost_.end();) {
        if (QFileInfo::exists(*it) && watcher_.addPath(*it))
            it = lost_.erase(it);
        else
            ++it;
    }
    const QSet<const void *> due = std::exchange(pending_, {});
    for (const void *client : due) {
        // A notice may close a window and so unwatch others.
        const auto it = clients_.constFind(client);
        if (it != clients_.constEnd()) {
            const std::function<void()> notice = it->notice;
            notice();
        }
    }
}

} // namespace verno
