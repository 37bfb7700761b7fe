#pragma once
// Keeps the text of every modified edit window on disk in the background, so
// that a crash or a kill loses at most the last seconds of typing. A text is
// written a few seconds after its last change (a large one less often, and
// none waits longer than half a minute while typing goes on); it is copied
// out of the edit buffer in slices between events, so typing never waits for
// a large text, and written to disk by a thread of its own. Typing that never
// stops would cut every such copy short: once a text is overdue, a copy cut
// short is made again in one go.
#include "platform/recoveryfolder.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>

namespace verno {

class QtEditControl;

// What the keeper needs of a window.
class RecoverySource {
public:
    virtual ~RecoverySource() = default;
    virtual const QtEditControl &recoveryText() const = 0;
    // Name, caret and the file as last seen; the keeper numbers untitled texts.
    virtual RecoveryRecord recoveryRecord() const = 0;

private:
    friend class RecoveryKeeper;
    int recoveryId_ = 0;         // its record's number, from its first write
    bool recoveryDirty_ = false; // changed since its last write
    bool recoveryOnDisk_ = false;
    qint64 lastChange_ = 0; // milliseconds on the keeper's clock
    qint64 dirtySince_ = 0;
    bool recoveryCutShort_ = false; // its last copy was abandoned for a change
};

class RecoveryKeeper : public QObject {
public:
    explicit RecoveryKeeper(const QString &root, QObject *parent = nullptr);
    ~RecoveryKeeper() override; // waits for a write under way; records stay

    // The text or its modified flag may have changed; costs next to nothing.
    void touched(RecoverySource &source);
    // The text is saved or given up: its record goes.
    void discard(RecoverySource &source);
    // The window goes and its record stays (a signal, a lost display).
    void forget(RecoverySource &source);
    // Every modified text written now on this thread; records of the others
    // go. False when a text could not be written.
    bool writeNow(const QList<RecoverySource *> &sources);
    // A clean exit: every record and the folder go; nothing is written after.
    void finish();
    // Every text that waits starts on its way, as if its time had come.
    void startWaiting();
    // What waits is written at once, and the call returns when it is on disk.
    void flush();
    // A copy or a write is under way.
    bool busy() const;
    bool copying() const { return bool(copy_); }

    const QString &root() const { return folder_->root(); }
    // This program's folder; empty before the first write. Read when not busy.
    QString folder() const { return folder_->path(); }
    // Told when a text cannot be written, with the reason.
    std::function<void(const QString &)> onFailure;

private:
    struct Copy;
    void tick();
    RecoveryRecord recordOf(RecoverySource &s);
    void startNextCopy();
    void copySlice();
    void queueWrite(RecoverySource &source, RecoveryRecord record, std::shared_ptr<char[]> bytes, size_t length);
    void queueRemoval(RecoverySource &source);
    void failed(const QString &error);
    void cancelCopyOf(const RecoverySource *source);
    qint64 dueTime(const RecoverySource &source) const;

    std::unique_ptr<RecoveryFolder> folder_;
    QThreadPool pool_; // one thread: writes and removals stay in order
    QElapsedTimer clock_;
    QTimer tick_;
    QTimer slice_;
    QList<RecoverySource *> dirty_;
    QList<RecoverySource *> queue_; // due, waiting for their copy
    std::unique_ptr<Copy> copy_;
    int nextId_ = 0;
    bool finished_ = false;
    QString lastFailure_;
};

} // namespace verno
