#pragma once
// What a file on disk looked like when it was last seen: enough to tell that
// another program changed, replaced or removed it, without reading it.
#include <QString>

namespace verno {

struct DiskStamp {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0; // modification time in nanoseconds

    bool operator==(const DiskStamp &) const = default;

    // Symbolic links are followed, as a save follows them.
    static DiskStamp of(const QString &path);
};

} // namespace verno
