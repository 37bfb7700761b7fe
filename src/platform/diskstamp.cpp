#include "platform/diskstamp.h"

#include <QFile>
#include <sys/stat.h>

namespace verno {

DiskStamp DiskStamp::of(const QString &path)
{
    DiskStamp s;
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = (long long)st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec;
    return s;
}

} // namespace verno
