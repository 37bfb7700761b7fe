#pragma once
// One watcher for the files of all edit windows. Each file is watched and so
// is its folder, so a file written in place, replaced by another renamed over
// it, removed or made again is noticed. A notice only says "look again": the
// client compares what it knew of the file. Notices that come in a burst are
// gathered into one per client, a moment after the last.
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>

namespace verno {

class FileWatcher : public QObject {
public:
    explicit FileWatcher(QObject *parent = nullptr);

    // A client watches one file; watching another replaces it.
    void watch(const void *client, const QString &path, std::function<void()> notice);
    void unwatch(const void *client);
    // The file under that name may be another one now (saved by renaming a
    // new file over it while a link kept the old one): watch what it names.
    void rewatch(const QString &path);
    // The gathered notices go out now.
    void flush();
    bool pending() const { return !pending_.isEmpty(); }

private:
    struct Client {
        QStringList paths; // the file and the folders it lives in
        std::function<void()> notice;
    };
    void changed(const QString &path);

    QFileSystemWatcher watcher_;
    QHash<const void *, Client> clients_;
    QHash<QString, QSet<const void *>> users_; // watched path -> clients
    QSet<const void *> pending_;
    QSet<QString> lost_; // files the watcher let go of (removed or replaced)
    QTimer gather_;
};

} // namespace verno
