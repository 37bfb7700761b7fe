#include "editor/fileio.h"
#include "util/textstore.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <new>

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

bool readWholeFile(const QString &path, ByteBlock &bytes, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString());
        return false;
    }
    const size_t size = size_t(std::max<qint64>(0, file.size()));
    // Room in front of the text for the first edits.
    const size_t room = size / 64 + (1 << 16);
    if (!bytes.reserve(room + size + 1))
        throw std::bad_alloc();
    bytes.setOffset(room);
    bytes.setSize(0);
    for (;;) {
        const size_t end = bytes.offset() + bytes.size();
        if (end == bytes.capacity() && !bytes.reserve(bytes.capacity() + bytes.capacity() / 8))
            throw std::bad_alloc(); // the file grew while it was read
        const qint64 n = file.read(bytes.data() + bytes.size(), qint64(bytes.capacity() - end));
        if (n < 0) {
            error = QStringLiteral("Cannot read file %1: %2").arg(path, file.errorString());
            return false;
        }
        if (n == 0)
            return true;
        bytes.setSize(bytes.size() + size_t(n));
    }
}

} // namespace verno
