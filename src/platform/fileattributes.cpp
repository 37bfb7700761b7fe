#include "platform/fileattributes.h"

#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace verno {

bool isReadOnlyFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return true;
    if (!(st.st_mode & S_IWUSR))
        return true;
    return ::access(native.constData(), W_OK) != 0;
}

} // namespace verno
