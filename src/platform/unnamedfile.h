#pragma once
// A new file that gets its name only once it is complete, so that a write cut
// short (a kill, a crash, a full disk) leaves nothing behind. Where the file
// system cannot hold a file without a name, it gets a hidden temporary name
// beside its future one at once, which only an interruption can leave behind.
#include <QByteArray>
#include <sys/types.h>

namespace verno {

class UnnamedFile {
public:
    UnnamedFile() = default;
    // Closes it; a file still without its name is gone.
    ~UnnamedFile();
    UnnamedFile(const UnnamedFile &) = delete;
    UnnamedFile &operator=(const UnnamedFile &) = delete;

    // Opens a new, empty file in the folder of beside, for reading and
    // writing, with exactly the given permissions. False with errno set when the
    // folder takes no new file.
    bool create(const QByteArray &beside, mode_t mode);
    int fd() const { return fd_; }

    // Gives it the name target, replacing what had that name in one step.
    bool replace(const QByteArray &target);
    // Gives it the name stem followed by six random characters, never
    // replacing anything; the name given goes to name.
    bool nameUnique(const QByteArray &stem, QByteArray &name);

private:
    bool linkAs(const QByteArray &name);

    int fd_ = -1;
    QByteArray tempName_; // where the file system could not leave it unnamed
};

// Flushes the entries of the folder that holds path, so that a name just
// given or taken survives a crash of the system.
void syncFolderOf(const QByteArray &path);

} // namespace verno
