#include "platform/recoveryfolder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

namespace {

const char kMagic[] = "Verno recovery 1\n";
const QString kLock = QStringLiteral("lock");
const QString kSuffix = QStringLiteral(".rec");
constexpr qint64 kMaxHeader = 1 << 16;

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString reason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QByteArray header(const RecoveryRecord &r, size_t length)
{
    const DiskStamp &d = r.disk;
    QByteArray h(kMagic);
    // Any byte may stand in a file name, a line break too.
    h += "Path " + native(r.path).toPercentEncoding() + '\n';
    h += "Untitled " + QByteArray::number(r.untitled) + '\n';
    h += "Caret " + QByteArray::number(r.caret) + '\n';
    h += "Disk " + QByteArray::number(d.exists ? 1 : 0) + ' ' + QByteArray::number(d.device) + ' ' +
         QByteArray::number(d.inode) + ' ' + QByteArray::number(d.size) + ' ' + QByteArray::number(d.modifiedNs) + '\n';
    h += "Breaks " + QByteArray::number(int(r.breaks)) + '\n';
    h += "Utf8 " + QByteArray::number(r.utf8) + '\n';
    h += "Length " + QByteArray::number(qulonglong(length)) + "\n\n";
    return h;
}

// The record's fields from its header; false when the file is not a whole record.
bool parseRecord(const QString &file, RecoveryRecord &r)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(kMaxHeader);
    const qsizetype end = head.indexOf("\n\n");
    if (!head.startsWith(kMagic) || end < 0)
        return false;
    bool ok = true;
    int seen = 0;
    for (const QByteArray &line : head.left(end).split('\n').mid(1)) {
        const qsizetype space = line.indexOf(' ');
        const QByteArray key = line.left(space);
        const QList<QByteArray> v = line.mid(space + 1).split(' ');
        bool good = space > 0;
        if (key == "Path") {
            r.path = QFile::decodeName(QByteArray::fromPercentEncoding(v.value(0)));
        } else if (key == "Untitled") {
            r.untitled = v.value(0).toInt(&good);
        } else if (key == "Caret") {
            r.caret = v.value(0).toLongLong(&good);
        } else if (key == "Disk" && v.size() == 5) {
            r.disk.exists = v[0] == "1";
            r.disk.device = v[1].toULongLong();
            r.disk.inode = v[2].toULongLong();
            r.disk.size = v[3].toLongLong();
            r.disk.modifiedNs = v[4].toLongLong();
        } else if (key == "Breaks") {
            // Fields a copy from before may lack: not counted as seen.
            const int b = v.value(0).toInt(&good);
            if (good && b >= 0 && b <= int(LineBreaks::Cr))
                r.breaks = LineBreaks(b);
            continue;
        } else if (key == "Utf8") {
            const int u = v.value(0).toInt(&good);
            if (good && (u == 0 || u == 1))
                r.utf8 = u;
            continue;
        } else if (key == "Length") {
            r.length = v.value(0).toLongLong(&good);
        } else {
            continue; // a field a later version added
        }
        ok = ok && good;
        ++seen;
    }
    r.file = file;
    r.offset = end + 2;
    return ok && seen >= 5 && r.length >= 0 && f.size() == r.offset + r.length;
}

} // namespace

QString defaultRecoveryRoot()
{
    // A relative XDG_STATE_HOME is invalid and ignored, as the base directory rules say.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/Verno");
}

// --- this program's folder ----------------------------------------------------

RecoveryFolder::RecoveryFolder(const QString &root) : root_(root) {}

RecoveryFolder::~RecoveryFolder()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool RecoveryFolder::ensure(QString &error)
{
    if (lockFd_ >= 0)
        return true;
    if (!QDir().mkpath(root_)) {
        error = QStringLiteral("Cannot create folder %1").arg(root_);
        return false;
    }
    ::chmod(native(root_).constData(), 0700);
    const QString base = root_ + QLatin1Char('/') + QString::number(::getpid()) + QLatin1Char('-') +
                         QString::number(QDateTime::currentMSecsSinceEpoch());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString folder = attempt ? base + QLatin1Char('-') + QString::number(attempt) : base;
        if (::mkdir(native(folder).constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            error = QStringLiteral("Cannot create folder %1: %2").arg(folder, reason(errno));
            return false;
        }
        const int fd =
            ::open(native(folder + QLatin1Char('/') + kLock).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // Another program starting just now took the empty folder for a
        // dead one's and removed it: make another.
        if (fd < 0)
            continue;
        // Taken for a dead program's folder between the two steps above, the
        // lock file may be gone by the time the lock is ours.
        struct stat held {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 ||
            ::stat(native(folder + QLatin1Char('/') + kLock).constData(), &named) != 0 ||
            held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
            ::close(fd);
            continue;
        }
        lockFd_ = fd;
        path_ = folder;
        return true;
    }
    error = QStringLiteral("Cannot create a folder in %1").arg(root_);
    return false;
}

bool RecoveryFolder::write(int id, const RecoveryRecord &record, const std::vector<std::string_view> &text,
                           QString &error)
{
    if (!ensure(error))
        return false;
    size_t length = 0;
    for (std::string_view piece : text)
        length += piece.size();
    QByteArray temp = native(path_ + QStringLiteral("/.rec-XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("Cannot create file in %1: %2").arg(path_, reason(errno));
        return false;
    }
    const QByteArray head = header(record, length);
    bool ok = writeAll(fd, std::string_view(head.constData(), size_t(head.size())));
    for (std::string_view piece : text)
        ok = ok && writeAll(fd, piece);
    ok = ok && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    const QByteArray target = native(path_ + QLatin1Char('/') + QString::number(id) + kSuffix);
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = QStringLiteral("Cannot write file %1: %2").arg(QFile::decodeName(target), reason(err));
        return false;
    }
    syncFolder(path_);
    return true;
}

void RecoveryFolder::remove(int id)
{
    if (!path_.isEmpty())
        ::unlink(native(path_ + QLatin1Char('/') + QString::number(id) + kSuffix).constData());
}

void RecoveryFolder::removeAll()
{
    if (path_.isEmpty())
        return;
    QDir folder(path_);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name != kLock)
            folder.remove(name);
    ::unlink(native(folder.filePath(kLock)).constData());
    ::rmdir(native(path_).constData());
    ::close(lockFd_);
    lockFd_ = -1;
    path_.clear();
}

// --- what others left ----------------------------------------------------------------

RecoveryOrphans::RecoveryOrphans(const QString &root)
{
    const QDir dir(root);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        scan(dir.filePath(name));
    std::stable_sort(records_.begin(), records_.end(), [](const RecoveryRecord &a, const RecoveryRecord &b) {
        return a.path.isEmpty() != b.path.isEmpty() ? b.path.isEmpty() : a.path < b.path;
    });
}

RecoveryOrphans::~RecoveryOrphans()
{
    for (Held &h : held_)
        release(h, false);
}

void RecoveryOrphans::scan(const QString &folder)
{
    const int fd = ::open(native(folder + QLatin1Char('/') + kLock).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        // Only an empty folder goes: one being made now gets its lock next.
        if (errno == ENOENT)
            ::rmdir(native(folder).constData());
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd); // its program is running
        return;
    }
    Held held{folder, fd, 0};
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (name.startsWith(QLatin1String(".rec-"))) {
            dir.remove(name); // a write that was cut short; the record before it stands
            continue;
        }
        if (!name.endsWith(kSuffix))
            continue;
        RecoveryRecord r;
        if (parseRecord(dir.filePath(name), r)) {
            records_.push_back(r);
            ++held.left;
        } else {
            std::fprintf(stderr, "verno: %s is not a whole recovery file; it is left where it is\n",
                         native(dir.filePath(name)).constData());
        }
    }
    if (held.left == 0) {
        release(held, dir.entryList(QDir::Files | QDir::Hidden | QDir::System).size() == 1);
        return;
    }
    held_.push_back(held);
}

void RecoveryOrphans::release(Held &held, bool removeFolder)
{
    if (held.lockFd < 0)
        return;
    if (removeFolder) {
        ::unlink(native(held.path + QLatin1Char('/') + kLock).constData());
        ::rmdir(native(held.path).constData());
    }
    ::close(held.lockFd);
    held.lockFd = -1;
}

bool RecoveryOrphans::readText(const RecoveryRecord &record, std::string &text)
{
    QFile f(record.file);
    if (!f.open(QIODevice::ReadOnly) || f.size() != record.offset + record.length || !f.seek(record.offset))
        return false;
    text.resize(size_t(record.length));
    return f.read(text.data(), record.length) == record.length;
}

void RecoveryOrphans::discard(const RecoveryRecord &record)
{
    const QString folder = QFileInfo(record.file).absolutePath();
    QFile::remove(record.file);
    for (Held &h : held_)
        if (h.path == folder && --h.left == 0)
            release(h, QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size() == 1);
}

} // namespace verno
