#include "platform/unnamedfile.h"
#include "platform/filerename.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

namespace {

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The hidden name a file has on its way to path.
QByteArray tempStem(const QByteArray &path)
{
    return folderOf(path) + "/." + path.mid(path.lastIndexOf('/') + 1) + '.';
}

QByteArray randomSuffix()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray suffix(6, '\0');
    for (char &c : suffix)
        c = kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)];
    return suffix;
}

} // namespace

UnnamedFile::~UnnamedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!tempName_.isEmpty())
        ::unlink(tempName_.constData());
}

bool UnnamedFile::create(const QByteArray &beside, mode_t mode)
{
    // The name is given later through /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folderOf(beside).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return false;
    }
    if (fd_ < 0) {
        QByteArray temp = tempStem(beside) + "XXXXXX";
        fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd_ < 0)
            return false;
        tempName_ = temp;
    }
    ::fchmod(fd_, mode);
    return true;
}

// errno is EEXIST when the name is taken.
bool UnnamedFile::linkAs(const QByteArray &name)
{
    if (!tempName_.isEmpty()) {
        if (renameNoReplace(QFile::decodeName(tempName_), QFile::decodeName(name))) {
            tempName_.clear();
            return true;
        }
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0)
            errno = EEXIST;
        return false;
    }
    const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd_);
    if (::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int err = errno;
    if (err == EEXIST)
        return false;
    // Some systems allow linking by the descriptor itself.
    if (::linkat(fd_, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return true;
    errno = err;
    return false;
}

bool UnnamedFile::nameUnique(const QByteArray &stem, QByteArray &name)
{
    for (int tries = 0; tries < 100; ++tries) {
        const QByteArray candidate = stem + randomSuffix();
        if (linkAs(candidate)) {
            name = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool UnnamedFile::replace(const QByteArray &target)
{
    if (!tempName_.isEmpty()) {
        if (::rename(tempName_.constData(), target.constData()) != 0)
            return false;
        tempName_.clear();
        return true;
    }
    // A name of its own first: only a rename replaces a file in one step.
    QByteArray temp;
    if (!nameUnique(tempStem(target), temp))
        return false;
    if (::rename(temp.constData(), target.constData()) == 0)
        return true;
    const int err = errno;
    ::unlink(temp.constData());
    errno = err;
    return false;
}

void syncFolderOf(const QByteArray &path)
{
    const int fd = ::open(folderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace verno
