#include "editor/filesave.h"
#include "editor/fileio.h"
#include "platform/unnamedfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

namespace {

bool defaultFolderWritable(const QByteArray &folder) { return ::access(folder.constData(), W_OK) == 0; }
FolderWritableCheck g_folderWritable = defaultFolderWritable;
SaveStepHook g_stepHook = nullptr;

void stepDone()
{
    if (g_stepHook)
        g_stepHook();
}

QString systemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// A descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    operator int() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes)
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

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + off_t(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// The pieces from the start of the file on, one step each.
bool writeText(int fd, const TextPieces &text)
{
    off_t offset = 0;
    for (std::string_view piece : text) {
        if (!writeAllAt(fd, piece, offset))
            return false;
        offset += off_t(piece.size());
        stepDone();
    }
    return true;
}

off_t sizeOf(const TextPieces &text)
{
    off_t size = 0;
    for (std::string_view piece : text)
        size += off_t(piece.size());
    return size;
}

mode_t creationMode()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return 0666 & ~m;
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

QByteArray folderOf(const QByteArray &path)
{
    return QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
}

struct SaveTarget {
    QString path;        // as the user named it, for messages
    QByteArray native;   // the real file, links followed
    QByteArray folder;
    struct stat old {};
    bool existed = false;
    bool backup = false;
};

// A plain copy of the old bytes for the backup; failures only mean no backup.
void copyForBackup(const QByteArray &to, const std::string &bytes, mode_t mode)
{
    ::unlink(to.constData());
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        ::close(fd);
        ::unlink(to.constData());
        return;
    }
    ::close(fd);
}

// New text under the old name by overwriting the file itself: owner, group,
// permissions and every hard link stay as they were. The new length is
// reserved first, so a full disk fails before any old byte changes.
bool saveInPlace(const SaveTarget &t, const TextPieces &text, QString &error)
{
    std::string oldBytes;
    QString ignored;
    if (!readWholeFile(QFile::decodeName(t.native), oldBytes, ignored)) {
        error = QStringLiteral("Cannot open file %1: %2").arg(t.path, ignored);
        return false;
    }
    const int fd = ::open(t.native.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(errno));
        return false;
    }
    const off_t size = sizeOf(text);
    if (size > off_t(oldBytes.size())) {
        const int r = ::posix_fallocate(fd, 0, size);
        if (r != 0 && r != EOPNOTSUPP && r != ENOSYS) {
            ::ftruncate(fd, off_t(oldBytes.size()));
            ::close(fd);
            error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(r));
            return false;
        }
    }
    stepDone();
    if (t.backup) {
        const QByteArray bak = QFile::encodeName(backupName(QFile::decodeName(t.native)));
        if (bak != t.native)
            copyForBackup(bak, oldBytes, t.old.st_mode & 07777);
    }
    stepDone();
    bool ok = writeText(fd, text) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        // Put the old text back as well as we can.
        const int again = ::open(t.native.constData(), O_WRONLY | O_CLOEXEC);
        if (again >= 0) {
            if (writeAllAt(again, oldBytes, 0))
                ::ftruncate(again, off_t(oldBytes.size()));
            ::close(again);
        }
        error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(err));
    }
    return ok;
}

// A device or a pipe is written to, never replaced by a file. A pipe nobody
// reads fails at once instead of hanging.
bool writeToSpecial(const SaveTarget &t, const TextPieces &text, QString &error)
{
    const int fd = ::open(t.native.constData(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(errno));
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bool ok = std::all_of(text.begin(), text.end(), [fd](std::string_view piece) { return writeAll(fd, piece); });
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok)
        error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(err));
    return ok;
}

enum class Replace { Done, Failed, NotPossible };

// With Backup on, the old file keeps its text under the backup name; the
// name of the file itself is never missing where hard links exist. Returns
// where the old file went when it had to be moved.
QByteArray makeBackupByLink(const SaveTarget &t)
{
    const QByteArray bak = QFile::encodeName(backupName(QFile::decodeName(t.native)));
    // A file that is its own backup name simply gets replaced.
    if (bak == t.native)
        return {};
    ::unlink(bak.constData());
    if (::link(t.native.constData(), bak.constData()) != 0 && ::rename(t.native.constData(), bak.constData()) == 0)
        return bak;
    return {};
}

// New text in a file that has no name until it is complete and on disk, then
// takes the target's name in one step. Only used when that keeps everything
// the file was.
Replace saveByRename(const SaveTarget &t, const TextPieces &text, QString &error)
{
    UnnamedFile file;
    if (!file.create(t.native, 0600)) {
        if (t.existed)
            return Replace::NotPossible;
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(errno));
        return Replace::Failed;
    }
    // A new file that cannot have the old owner and group would change them.
    if (t.existed && ::fchown(file.fd(), t.old.st_uid, t.old.st_gid) != 0)
        return Replace::NotPossible;
    stepDone();
    if (!writeText(file.fd(), text) || ::fsync(file.fd()) != 0) {
        error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(errno));
        return Replace::Failed;
    }
    ::fchmod(file.fd(), t.existed ? (t.old.st_mode & 07777) : creationMode());
    const QByteArray movedTo = t.existed && t.backup ? makeBackupByLink(t) : QByteArray();
    stepDone();
    if (!file.replace(t.native)) {
        const int err = errno;
        if (!movedTo.isEmpty())
            ::rename(movedTo.constData(), t.native.constData());
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(err));
        return Replace::Failed;
    }
    syncFolderOf(t.native);
    stepDone();
    return Replace::Done;
}

} // namespace

void setFolderWritableCheck(FolderWritableCheck check)
{
    g_folderWritable = check ? check : defaultFolderWritable;
}

void setSaveStepHook(SaveStepHook hook) { g_stepHook = hook; }

bool saveWholeFile(const QString &path, const TextPieces &text, bool backup, QString &error)
{
    SaveTarget t;
    t.path = path;
    t.native = QFile::encodeName(resolveTarget(path));
    t.folder = folderOf(t.native);
    t.existed = ::stat(t.native.constData(), &t.old) == 0;
    t.backup = backup;
    if (t.existed && !S_ISREG(t.old.st_mode))
        return writeToSpecial(t, text, error);
    // Replacing the file by a new one would split hard links, or fail in a
    // folder the user may not write; then the file itself is overwritten.
    const bool replaceable = !t.existed || (t.old.st_nlink == 1 && g_folderWritable(t.folder));
    if (replaceable) {
        const Replace r = saveByRename(t, text, error);
        if (r != Replace::NotPossible)
            return r == Replace::Done;
    }
    return saveInPlace(t, text, error);
}

} // namespace verno
