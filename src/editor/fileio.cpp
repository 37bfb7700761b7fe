#include "editor/fileio.h"
#include "util/parallel.h"
#include "util/textstore.h"

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

QString systemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

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

} // namespace verno
