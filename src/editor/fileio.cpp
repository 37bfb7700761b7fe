#include "editor/fileio.h"
#include "util/parallel.h"
#include "util/textstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace verno {

namespace {

QString systemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

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

bool writeAll(int fd, const TextPieces &text)
{
    return std::all_of(text.begin(), text.end(), [fd](std::string_view piece) { return writeAll(fd, piece); });
}

size_t sizeOf(const TextPieces &text)
{
    size_t size = 0;
    for (std::string_view piece : text)
        size += piece.size();
    return size;
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

bool tooLargeForText(const QString &path) { return QFileInfo(path).size() > kMaxTextLength; }

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

namespace {

struct ReadResult {
    size_t bytes = 0;
    int error = 0;
};

// Faults the whole pages of [p, p + n) in with one call instead of a fault
// per page as the read first touches them; where the kernel cannot, the read
// faults them in itself.
void faultIn(char *p, size_t n)
{
#ifdef MADV_POPULATE_WRITE
    const auto page = uintptr_t(::sysconf(_SC_PAGESIZE));
    const uintptr_t first = (uintptr_t(p) + page - 1) & ~(page - 1);
    const uintptr_t last = (uintptr_t(p) + n) & ~(page - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)n;
#endif
}

// Reads the file's bytes [from, to) to the same offsets of block, a slab at a
// time; fewer bytes when the file ends sooner. Bytes expected to be there
// are faulted in first.
ReadResult readRange(int fd, char *block, size_t from, size_t to, bool expected)
{
    constexpr size_t kSlab = size_t(4) << 20;
    size_t done = from;
    while (done < to) {
        const size_t end = std::min(to, done + kSlab);
        if (expected)
            faultIn(block + done, end - done);
        while (done < end) {
            const ssize_t n = ::pread(fd, block + done, end - done, off_t(done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return {done - from, n < 0 ? errno : 0};
            done += size_t(n);
        }
    }
    return {done - from, 0};
}

// Reads the file open on fd, of the size it had when opened.
bool readAll(int fd, const QString &path, size_t size, ByteBlock &bytes, QString &error)
{
    // Room after the text for the CRs lone LFs will need, so breaks are made
    // CR LF in place.
    if (!bytes.reserve(size + size / 16 + (1 << 16)))
        throw std::bad_alloc();
    bytes.setOffset(0);
    // A large file is read in parts at once, each into its own place.
    const int parts = bulkParts(size);
    std::vector<ReadResult> read(static_cast<size_t>(parts));
    runParts(parts, [&](int k) {
        read[size_t(k)] = readRange(fd, bytes.block(), size * size_t(k) / size_t(parts),
                                    size * size_t(k + 1) / size_t(parts), true);
    });
    // Up to the first part cut short (the file shrank meanwhile), then on to
    // the end as the file is now (it may have grown).
    size_t end = 0;
    for (int k = 0; k < parts; ++k) {
        const ReadResult &r = read[size_t(k)];
        if (r.error != 0) {
            error = QStringLiteral("Cannot read file %1: %2").arg(path, systemReason(r.error));
            return false;
        }
        end += r.bytes;
        if (end < size * size_t(k + 1) / size_t(parts))
            break;
    }
    for (;;) {
        if (end == bytes.capacity() && !bytes.reserve(bytes.capacity() + bytes.capacity() / 8))
            throw std::bad_alloc();
        const ReadResult r = readRange(fd, bytes.block(), end, bytes.capacity(), false);
        if (r.error != 0) {
            error = QStringLiteral("Cannot read file %1: %2").arg(path, systemReason(r.error));
            return false;
        }
        end += r.bytes;
        if (end < bytes.capacity())
            break;
    }
    bytes.setSize(end);
    return true;
}

} // namespace

// Plain system calls, no Qt object: this also runs before the application
// object exists, on a thread of its own.
bool readWholeFile(const QString &path, ByteBlock &bytes, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = QStringLiteral("Cannot open file %1: %2").arg(path, systemReason(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    return readAll(fd, path, S_ISREG(st.st_mode) ? size_t(std::max<off_t>(0, st.st_size)) : 0, bytes, error);
}


// --- reading ahead -------------------------------------------------------------------

namespace {

// Smaller files are read at once when their window opens.
constexpr qint64 kPreloadFrom = qint64(8) << 20;

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

bool statOf(const QString &path, struct stat &st) { return ::stat(QFile::encodeName(path).constData(), &st) == 0; }

struct Preload {
    std::thread thread;
    struct stat file {};
    bool ready = false; // read and prepared, from a file that did not change meanwhile
    PreparedText text;

    ~Preload() { finish(); }
    void finish()
    {
        if (thread.joinable())
            thread.join();
    }
};

Preload g_preload;

} // namespace

void startPreload(const QString &path)
{
    Preload &p = g_preload;
    struct stat st {};
    if (p.thread.joinable() || !statOf(path, st) || !S_ISREG(st.st_mode) || st.st_size < kPreloadFrom ||
        st.st_size > kMaxTextLength)
        return;
    p.file = st;
    try {
        p.thread = std::thread([&p, path] {
            try {
                ByteBlock raw;
                QString error;
                struct stat after {};
                p.ready = readWholeFile(path, raw, error) && statOf(path, after) && sameFile(p.file, after) &&
                          TextStore::prepare(std::move(raw), p.text);
            } catch (...) {
                p.ready = false; // the window reads it again and reports what fails
            }
        });
    } catch (const std::system_error &) {
        // No thread: the file is read when its window opens.
    }
}

bool takePreload(const QString &path, PreparedText &text)
{
    Preload &p = g_preload;
    struct stat st {};
    if (!p.thread.joinable() || !statOf(path, st) || st.st_dev != p.file.st_dev || st.st_ino != p.file.st_ino)
        return false;
    p.finish();
    const bool same = p.ready && sameFile(p.file, st);
    if (same)
        text = std::move(p.text);
    p.text = {};
    p.ready = false;
    return same;
}

void dropPreload()
{
    g_preload.finish();
    g_preload.text = {};
    g_preload.ready = false;
}

namespace {

bool defaultFolderWritable(const QByteArray &folder) { return ::access(folder.constData(), W_OK) == 0; }
FolderWritableCheck g_folderWritable = defaultFolderWritable;

mode_t creationMode()
{
    const mode_t m = ::umask(0);
    ::umask(m);
    return 0666 & ~m;
}

bool writeAt(int fd, const TextPieces &text)
{
    off_t offset = 0;
    for (std::string_view piece : text) {
        size_t done = 0;
        while (done < piece.size()) {
            const ssize_t n = ::pwrite(fd, piece.data() + done, piece.size() - done, offset);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            done += size_t(n);
            offset += n;
        }
    }
    return true;
}

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

struct SaveTarget {
    QString path;        // as the user named it, for messages
    QByteArray native;   // the real file, links followed
    struct stat old {};
    bool existed = false;
    bool backup = false;
};

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
    const size_t size = sizeOf(text);
    if (size > oldBytes.size()) {
        const int r = ::posix_fallocate(fd, 0, off_t(size));
        if (r != 0 && r != EOPNOTSUPP && r != ENOSYS) {
            ::ftruncate(fd, off_t(oldBytes.size()));
            ::close(fd);
            error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(r));
            return false;
        }
    }
    if (t.backup) {
        const QByteArray bak = QFile::encodeName(backupName(QFile::decodeName(t.native)));
        if (bak != t.native)
            copyForBackup(bak, oldBytes, t.old.st_mode & 07777);
    }
    bool ok = writeAt(fd, text) && ::ftruncate(fd, off_t(size)) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        // Put the old text back as well as we can.
        const int again = ::open(t.native.constData(), O_WRONLY | O_CLOEXEC);
        if (again >= 0) {
            if (writeAt(again, TextPieces{oldBytes}))
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
    bool ok = writeAll(fd, text);
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

// New text in a temporary file beside the target, renamed over it once it is
// safely on disk. Only used when that keeps everything the file was.
Replace saveByRename(const SaveTarget &t, const TextPieces &text, QString &error)
{
    const QFileInfo info(QFile::decodeName(t.native));
    QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                        + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        if (t.existed)
            return Replace::NotPossible;
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(errno));
        return Replace::Failed;
    }
    if (t.existed && ::fchown(fd, t.old.st_uid, t.old.st_gid) != 0) {
        // The new file could not be given the old owner and group.
        ::close(fd);
        ::unlink(temp.constData());
        return Replace::NotPossible;
    }
    bool ok = writeAll(fd, text);
    int err = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        ::fchmod(fd, t.existed ? (t.old.st_mode & 07777) : creationMode());
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        error = QStringLiteral("Cannot write file %1: %2").arg(t.path, systemReason(err));
        return Replace::Failed;
    }
    QByteArray movedTo;
    if (t.existed && t.backup) {
        const QByteArray bak = QFile::encodeName(backupName(QFile::decodeName(t.native)));
        // A file that is its own backup name simply gets replaced.
        if (bak != t.native) {
            ::unlink(bak.constData());
            // A hard link keeps the old text under both names until the new
            // file takes the name over, so the name is never missing.
            if (::link(t.native.constData(), bak.constData()) != 0
                && ::rename(t.native.constData(), bak.constData()) == 0)
                movedTo = bak;
        }
    }
    if (::rename(temp.constData(), t.native.constData()) != 0) {
        err = errno;
        ::unlink(temp.constData());
        if (!movedTo.isEmpty())
            ::rename(movedTo.constData(), t.native.constData());
        error = QStringLiteral("Cannot create file %1: %2").arg(t.path, systemReason(err));
        return Replace::Failed;
    }
    return Replace::Done;
}

} // namespace

void setFolderWritableCheck(FolderWritableCheck check)
{
    g_folderWritable = check ? check : defaultFolderWritable;
}

bool saveWholeFile(const QString &path, const TextPieces &text, bool backup, QString &error)
{
    SaveTarget t;
    t.path = path;
    t.native = QFile::encodeName(resolveTarget(path));
    t.existed = ::stat(t.native.constData(), &t.old) == 0;
    t.backup = backup;
    if (t.existed && !S_ISREG(t.old.st_mode))
        return writeToSpecial(t, text, error);
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(t.native)).absolutePath());
    // Replacing the file by a new one would split hard links, or fail in a
    // folder the user may not write; then the file itself is overwritten.
    const bool replaceable = !t.existed || (t.old.st_nlink == 1 && g_folderWritable(folder));
    if (replaceable) {
        const Replace r = saveByRename(t, text, error);
        if (r != Replace::NotPossible)
            return r == Replace::Done;
    }
    return saveInPlace(t, text, error);
}

} // namespace verno
