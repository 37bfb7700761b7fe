#include "window/recoverykeeper.h"
#include "editor/qteditcontrol.h"

#include <QDir>
#include <QMetaObject>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace verno {

namespace {

constexpr qint64 kQuietMs = 2000;          // after the last change
constexpr qint64 kMaxWaitMs = 30000;       // while changes go on
constexpr qint64 kBytesPerExtraMs = 10000; // a large text waits longer: 5 s more for 50 MB
constexpr size_t kSlice = size_t(1) << 18; // copied per turn of the event loop

} // namespace

// A text being copied out of its buffer, slice by slice; a change of the
// text on the way abandons it.
struct RecoveryKeeper::Copy {
    RecoverySource *source;
    unsigned long long changeCount;
    RecoveryRecord record;
    std::shared_ptr<char[]> bytes;
    size_t length;
    size_t slice;
    size_t done = 0;
};

RecoveryKeeper::RecoveryKeeper(const QString &root, QObject *parent)
    : QObject(parent), folder_(std::make_unique<RecoveryFolder>(root))
{
    pool_.setMaxThreadCount(1);
    clock_.start();
    tick_.setSingleShot(true);
    connect(&tick_, &QTimer::timeout, this, &RecoveryKeeper::tick);
    slice_.setSingleShot(true);
    slice_.setInterval(0);
    connect(&slice_, &QTimer::timeout, this, &RecoveryKeeper::copySlice);
}

RecoveryKeeper::~RecoveryKeeper()
{
    pool_.waitForDone();
}

void RecoveryKeeper::touched(RecoverySource &source)
{
    if (finished_)
        return;
    const qint64 now = clock_.elapsed();
    if (!source.recoveryDirty_) {
        source.recoveryDirty_ = true;
        source.dirtySince_ = now;
        dirty_.append(&source);
    }
    source.lastChange_ = now;
    if (!tick_.isActive())
        tick_.start(int(kQuietMs));
}

qint64 RecoveryKeeper::dueTime(const RecoverySource &source) const
{
    const qint64 quiet = kQuietMs + source.recoveryText().TextLength() / kBytesPerExtraMs;
    return std::min(source.lastChange_ + quiet, source.dirtySince_ + kMaxWaitMs);
}

void RecoveryKeeper::tick()
{
    const qint64 now = clock_.elapsed();
    qint64 next = -1;
    for (RecoverySource *s : QList<RecoverySource *>(dirty_)) {
        if (!s->recoveryText().ModifiedFlag()) {
            // Undone back to the saved text: nothing to keep.
            s->recoveryDirty_ = false;
            dirty_.removeOne(s);
            queueRemoval(*s);
            continue;
        }
        const qint64 due = dueTime(*s);
        const bool copying = copy_ && copy_->source == s;
        if (due <= now && !copying && !queue_.contains(s))
            queue_.append(s);
        else if (due > now)
            next = next < 0 ? due : std::min(next, due);
    }
    startNextCopy();
    if (next >= 0)
        tick_.start(int(std::max<qint64>(1, next - now)));
}

// The record of a source's copy; its number is given at the first copy.
RecoveryRecord RecoveryKeeper::recordOf(RecoverySource &s)
{
    if (!s.recoveryId_)
        s.recoveryId_ = ++nextId_;
    RecoveryRecord record = s.recoveryRecord();
    if (record.path.isEmpty())
        record.untitled = s.recoveryId_;
    return record;
}

void RecoveryKeeper::startNextCopy()
{
    while (!copy_ && !queue_.isEmpty()) {
        RecoverySource *s = queue_.takeFirst();
        if (!s->recoveryText().ModifiedFlag())
            continue;
        const RecoveryRecord record = recordOf(*s);
        const QtEditControl &text = s->recoveryText();
        const size_t length = size_t(text.TextLength());
        // Not filled before the slices come: a large block costs nothing until written.
        std::shared_ptr<char[]> bytes(new (std::nothrow) char[std::max<size_t>(length, 1)]);
        if (!bytes) {
            failed(QStringLiteral("Not enough memory for a copy of %1 bytes").arg(s->recoveryText().TextLength()));
            continue; // tried again at its next time
        }
        const bool whole = s->recoveryCutShort_ && clock_.elapsed() - s->dirtySince_ >= kMaxWaitMs;
        copy_.reset(new Copy{s, text.ChangeCount(), std::move(record), std::move(bytes), length,
                             whole ? std::max<size_t>(length, 1) : kSlice});
        copySlice();
    }
}

void RecoveryKeeper::copySlice()
{
    if (!copy_)
        return;
    Copy &c = *copy_;
    const QtEditControl &text = c.source->recoveryText();
    if (text.ChangeCount() != c.changeCount) {
        // Changed on the way: the next quiet moment brings it round again.
        c.source->recoveryCutShort_ = true;
        copy_.reset();
        if (!tick_.isActive())
            tick_.start(int(kQuietMs));
        startNextCopy();
        return;
    }
    // The buffer may have moved since the last slice: ask for its pieces again.
    std::string keep;
    const std::vector<std::string_view> pieces = text.TextPieces(keep);
    const size_t end = std::min(c.length, c.done + c.slice);
    size_t at = 0;
    for (std::string_view piece : pieces) {
        const size_t from = std::max(at, c.done);
        const size_t to = std::min(at + piece.size(), end);
        if (from < to)
            std::memcpy(c.bytes.get() + from, piece.data() + (from - at), to - from);
        at += piece.size();
    }
    c.done = end;
    if (c.done < c.length) {
        slice_.start();
        return;
    }
    RecoverySource &source = *c.source;
    source.recoveryDirty_ = false;
    source.recoveryCutShort_ = false;
    dirty_.removeOne(&source);
    queueWrite(source, std::move(c.record), std::move(c.bytes), c.length);
    copy_.reset();
    startNextCopy();
}

void RecoveryKeeper::queueWrite(RecoverySource &source, RecoveryRecord record, std::shared_ptr<char[]> bytes,
                                size_t length)
{
    source.recoveryOnDisk_ = true;
    RecoveryFolder *folder = folder_.get();
    const int id = source.recoveryId_;
    pool_.start([this, folder, id, record = std::move(record), bytes = std::move(bytes), length] {
        QString error;
        if (folder->write(id, record, {std::string_view(bytes.get(), length)}, error))
            return;
        QMetaObject::invokeMethod(
            this, [this, error] { failed(error); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::failed(const QString &error)
{
    // Told once, not at every try.
    if (error == lastFailure_)
        return;
    lastFailure_ = error;
    std::fprintf(stderr, "verno: %s\n", qPrintable(error));
    if (onFailure)
        onFailure(error);
}

void RecoveryKeeper::queueRemoval(RecoverySource &source)
{
    if (!source.recoveryOnDisk_)
        return;
    source.recoveryOnDisk_ = false;
    RecoveryFolder *folder = folder_.get();
    const int id = source.recoveryId_;
    pool_.start([folder, id] { folder->remove(id); });
}

void RecoveryKeeper::cancelCopyOf(const RecoverySource *source)
{
    if (copy_ && copy_->source == source) {
        copy_.reset();
        slice_.stop();
    }
}

void RecoveryKeeper::discard(RecoverySource &source)
{
    cancelCopyOf(&source);
    source.recoveryDirty_ = false;
    dirty_.removeOne(&source);
    queue_.removeOne(&source);
    if (!finished_)
        queueRemoval(source);
    startNextCopy();
}

void RecoveryKeeper::forget(RecoverySource &source)
{
    cancelCopyOf(&source);
    dirty_.removeOne(&source);
    queue_.removeOne(&source);
    startNextCopy();
}

bool RecoveryKeeper::writeNow(const QList<RecoverySource *> &sources)
{
    if (finished_)
        return true;
    bool all = true;
    copy_.reset();
    slice_.stop();
    queue_.clear();
    pool_.waitForDone();
    for (RecoverySource *s : sources) {
        s->recoveryDirty_ = false;
        dirty_.removeOne(s);
        const QtEditControl &text = s->recoveryText();
        if (!text.ModifiedFlag()) {
            if (s->recoveryOnDisk_)
                folder_->remove(s->recoveryId_);
            s->recoveryOnDisk_ = false;
            continue;
        }
        const RecoveryRecord record = recordOf(*s);
        std::string keep;
        QString error;
        // Straight from the buffer: nothing runs while this does.
        if (folder_->write(s->recoveryId_, record, text.TextPieces(keep), error)) {
            s->recoveryOnDisk_ = true;
        } else {
            all = false;
            std::fprintf(stderr, "verno: %s\n", qPrintable(error));
        }
    }
    // Nothing to keep: no folder is left behind either.
    if (!folder_->path().isEmpty() && QDir(folder_->path()).entryList({QStringLiteral("*.rec")}).isEmpty())
        folder_->removeAll();
    return all;
}

void RecoveryKeeper::finish()
{
    copy_.reset();
    slice_.stop();
    tick_.stop();
    queue_.clear();
    dirty_.clear();
    pool_.waitForDone();
    folder_->removeAll();
    finished_ = true;
}

void RecoveryKeeper::startWaiting()
{
    for (RecoverySource *s : std::as_const(dirty_))
        s->lastChange_ = s->dirtySince_ = -kMaxWaitMs;
    tick();
}

void RecoveryKeeper::flush()
{
    // Twice: a copy that a change cut short starts again.
    for (int round = 0; round < 2; ++round) {
        startWaiting();
        while (copy_)
            copySlice();
    }
    pool_.waitForDone();
}

bool RecoveryKeeper::busy() const
{
    return copy_ || pool_.activeThreadCount() > 0;
}

} // namespace verno
