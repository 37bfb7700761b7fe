#include "print/pdffile.h"
#include "platform/unnamedfile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

PdfFile::PdfFile(const QString &path) : path_(path) {}

PdfFile::~PdfFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void PdfFile::fail(const char *what, int err)
{
    if (failure_.isEmpty())
        failure_ = QStringLiteral("%1 %2: %3")
                       .arg(QLatin1String(what), path_, QString::fromLocal8Bit(std::strerror(err)));
}

bool PdfFile::start()
{
    const QByteArray native = QFile::encodeName(path_);
    struct stat st {};
    const bool exists = ::stat(native.constData(), &st) == 0;
    // A device or a pipe is written to as it is.
    if (!exists || S_ISREG(st.st_mode)) {
        auto file = std::make_unique<UnnamedFile>();
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (file->create(native, exists ? (st.st_mode & 07777) : (0666 & ~mask)))
            unnamed_ = std::move(file);
    }
    // A folder that takes no new file still lets an existing one be overwritten.
    if (!unnamed_)
        fd_ = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (!unnamed_ && fd_ < 0) {
        fail("Cannot create file", errno);
        return false;
    }
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 PdfFile::writeData(const char *data, qint64 size)
{
    if (failed())
        return -1;
    const int fd = unnamed_ ? unnamed_->fd() : fd_;
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            fail("Cannot write file", errno);
            setErrorString(failure_);
            return -1;
        }
        done += n;
    }
    return size;
}

bool PdfFile::finish()
{
    close();
    if (failed())
        return false;
    if (!unnamed_) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail("Cannot write file", errno);
        return !failed();
    }
    if (::fsync(unnamed_->fd()) != 0)
        fail("Cannot write file", errno);
    else if (!unnamed_->replace(QFile::encodeName(path_)))
        fail("Cannot create file", errno);
    return !failed();
}

} // namespace verno
