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
#include <memory>
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

// Every byte of one file over the start of another.
bool copyAll(int from, int to)
{
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(from, buffer.get(), 1 << 20, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!writeAllAt(to, std::string_view(buffer.get(), size_t(n)), offset))
            return false;
        offset += n;
    }
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

QByteArray baseOf(const QByteArray &path) { return path.mid(path.lastIndexOf('/') + 1); }

// Where a copy of the old text goes when the file's own folder takes none.
QByteArray rescueFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = base + QStringLiteral("/Qvo/Verno");
    return QDir().mkpath(folder) ? QFile::encodeName(folder) : QByteArray();
}

struct SaveTarget {
    QString path;        // as the user named it, for messages
    QByteArray native;   // the real file, links followed
    QByteArray folder;
    struct stat old {};
    bool existed = false;
    bool backup = false;
};

// The old text, whole and on disk, while the file itself is overwritten: the
// backup when there is to be one, else a private copy removed afterwards.
struct OldTextCopy {
    std::unique_ptr<UnnamedFile> file;
    QByteArray backup;      // the name it takes as the backup; empty for a private copy
    QByteArray privateStem; // its name as a private copy, but for six random characters
    QByteArray name;        // once it has one
};

bool copyTo(int fd, OldTextCopy &copy, const QByteArray &beside, mode_t mode)
{
    auto file = std::make_unique<UnnamedFile>();
    if (!file->create(beside, mode) || !copyAll(fd, file->fd()) || ::fsync(file->fd()) != 0) {
        const int err = errno;
        file.reset();
        errno = err;
        return false;
    }
    copy.file = std::move(file);
    return true;
}

// Beside the file if its folder takes one, else in the user's own folder.
bool makeCopy(const SaveTarget &t, int fd, OldTextCopy &copy)
{
    copy.privateStem = t.native + ".old-";
    const QByteArray bak = QFile::encodeName(backupName(QFile::decodeName(t.native)));
    if (t.backup && bak != t.native && copyTo(fd, copy, bak, t.old.st_mode & 07777)) {
        copy.backup = bak;
        return true;
    }
    if (g_folderWritable(t.folder) && copyTo(fd, copy, t.native, 0600))
        return true;
    const int err = errno;
    const QByteArray rescue = rescueFolder();
    copy.privateStem = rescue + '/' + baseOf(t.native) + ".old-";
    if (!rescue.isEmpty() && copyTo(fd, copy, copy.privateStem, 0600))
        return true;
    errno = err;
    return false;
}

// A backup name that cannot be taken leaves a private copy.
bool nameCopy(OldTextCopy &copy)
{
    if (!copy.backup.isEmpty() && copy.file->replace(copy.backup)) {
        copy.name = copy.backup;
    } else {
        copy.backup.clear();
        if (!copy.file->nameUnique(copy.privateStem, copy.name))
            return false;
    }
    syncFolderOf(copy.name);
    return true;
}

void dropPrivateCopy(const OldTextCopy &copy)
{
    if (!copy.backup.isEmpty() || copy.name.isEmpty())
        return;
    ::unlink(copy.name.constData());
    syncFolderOf(copy.name);
}

// New text under the old name by overwriting the file itself: owner, group,
// permissions and every hard link stay as they were. A complete copy of the
// old text is on disk before any old byte changes.
bool saveInPlace(const SaveTarget &t, const TextPieces &text, QString &error)
{
    const Descriptor fd(::open(t.native.constData(), O_RDWR | O_CLOEXEC));
    struct stat now {};
    if (fd < 0 || ::fstat(fd, &now) != 0) {
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(errno));
        return false;
    }
    OldTextCopy copy;
    if (!makeCopy(t, fd, copy)) {
        error = QStringLiteral("Cannot write file %1: no copy of the old text could be made first (%2)")
                    .arg(t.path, systemReason(errno));
        return false;
    }
    stepDone();
    // Room for the new text, reserved without changing the file, so that a
    // full disk most often fails here, before the file changes.
    const off_t size = sizeOf(text);
    if (size > now.st_size && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0
        && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
        const int err = errno;
        ::ftruncate(fd, now.st_size); // gives back what was reserved
        error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(err));
        return false;
    }
    if (!nameCopy(copy)) {
        const QByteArray name = copy.backup.isEmpty() ? copy.privateStem : copy.backup;
        error = QStringLiteral("Cannot create file %1: %2").arg(QFile::decodeName(name), systemReason(errno));
        return false;
    }
    stepDone();
    if (writeText(fd, text) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0) {
        stepDone();
        dropPrivateCopy(copy);
        return true;
    }
    error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(errno));
    // The old text goes back from the copy.
    if (copyAll(copy.file->fd(), fd) && ::ftruncate(fd, now.st_size) == 0 && ::fsync(fd) == 0)
        dropPrivateCopy(copy);
    else
        error += QStringLiteral("\rThe old text is in %1").arg(QFile::decodeName(copy.name));
    return false;
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
