#include "platform/filerename.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

namespace {

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// For file systems that cannot refuse an existing name themselves.
bool renameByLink(const char *from, const char *to)
{
    if (::link(from, to) == 0) {
        if (::unlink(from) == 0)
            return true;
        ::unlink(to);
        return false;
    }
    if (errno == EEXIST)
        return false;
    // No hard links either: the last check leaves only a moment in which
    // another program could create the name.
    struct stat st {};
    if (::lstat(to, &st) == 0 || errno != ENOENT)
        return false;
    return ::rename(from, to) == 0;
}

} // namespace

bool renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    struct stat old {};
    struct stat taken {};
    if (::lstat(src.constData(), &old) != 0)
        return false;
    if (::lstat(dst.constData(), &taken) == 0)
        return sameFile(old, taken) && from.compare(to, Qt::CaseInsensitive) == 0
               && ::rename(src.constData(), dst.constData()) == 0;
    if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    return renameByLink(src.constData(), dst.constData());
}

} // namespace verno
