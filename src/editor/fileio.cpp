#include "editor/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

namespace {

QString systemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

bool writeAll(int fd, const std::string &bytes)
{
    const char *p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    return true;
}

// The file a save really writes: symbolic links are followed to the end.
QString resolveTarget(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A dangling chain: follow it as far as it goes, so the save creates the
    // file the last link names.
    QString current = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            break;
        const QString next = info.symLinkTarget();
        if (next.isEmpty())
            break;
        current = next;
    }
    return current;
}

} // namespace

QString backupName(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return path.left(dot) + QStringLiteral(".bak");
    return path + QStringLiteral(".bak");
}

bool readWholeFile(const QString &path, std::string &bytes, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString());
        return false;
    }
    const qint64 size = file.size();
    bytes.clear();
    if (size > 0)
        bytes.reserve(size_t(size));
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0) {
            error = QStringLiteral("Cannot read file %1: %2").arg(path, file.errorString());
            return false;
        }
        if (n == 0)
            break;
        bytes.append(buffer, size_t(n));
    }
    return true;
}

bool saveWholeFile(const QString &path, const std::string &bytes, bool backup, QString &error)
{
    const QString target = resolveTarget(path);
    const QByteArray nativeTarget = QFile::encodeName(target);
    struct stat old {};
    const bool existed = ::stat(nativeTarget.constData(), &old) == 0;

    const QFileInfo info(target);
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                        + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = QStringLiteral("Cannot create file %1: %2").arg(path, systemReason(errno));
        return false;
    }
    const mode_t mode = existed ? (old.st_mode & 07777) : mode_t(0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }());
    bool ok = writeAll(fd, bytes);
    int err = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        ::fchmod(fd, mode);
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = QStringLiteral("Cannot write file %1: %2").arg(path, systemReason(err));
        return false;
    }
    QByteArray movedTo;
    if (existed && backup) {
        const QByteArray bak = QFile::encodeName(backupName(target));
        // A file that is its own backup name simply gets replaced.
        if (bak != nativeTarget) {
            ::unlink(bak.constData());
            // A hard link keeps the old text under both names until the new
            // file takes the name over, so the name is never missing.
            if (::link(nativeTarget.constData(), bak.constData()) != 0
                && ::rename(nativeTarget.constData(), bak.constData()) == 0)
                movedTo = bak;
        }
    }
    if (::rename(temp.constData(), nativeTarget.constData()) != 0) {
        err = errno;
        ::unlink(temp.constData());
        if (!movedTo.isEmpty())
            ::rename(movedTo.constData(), nativeTarget.constData());
        error = QStringLiteral("Cannot create file %1: %2").arg(path, systemReason(err));
        return false;
    }
    return true;
}

} // namespace verno
