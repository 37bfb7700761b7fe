#pragma once
// Unsaved texts kept on disk while the program runs, so that a crash, a kill
// or a lost display leaves them to be offered at the next start. Each running
// program has a folder of its own under the recovery root, named by its
// process id and start time and held by a lock on a file inside it: a folder
// whose lock can be taken belongs to a program that is no longer running.
#include "platform/diskstamp.h"
#include "util/filebreaks.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// What is kept of one window besides its text.
struct RecoveryRecord {
    QString path;     // the file's full name; empty for an untitled text
    int untitled = 0; // tells untitled texts apart
    long long caret = 0;
    DiskStamp disk; // the file as the text was last read from or written to it
    LineBreaks breaks = LineBreaks::CrLf; // the breaks the file is written with
    int utf8 = -1;                        // the window's code: 1 UTF-8, 0 single-byte, -1 untold
    long long length = 0;
    // Where a record read back lies, and where its text starts in it.
    QString file;
    long long offset = 0;
};

// $XDG_STATE_HOME/Verno, or ~/.local/state/Verno when the variable is unset.
QString defaultRecoveryRoot();

// This program's own folder, made at the first write. Its operations are not
// safe to run at the same time from two threads.
class RecoveryFolder {
public:
    explicit RecoveryFolder(const QString &root);
    ~RecoveryFolder(); // lets go of the lock; the texts stay
    RecoveryFolder(const RecoveryFolder &) = delete;
    RecoveryFolder &operator=(const RecoveryFolder &) = delete;

    const QString &root() const { return root_; }
    const QString &path() const { return path_; } // empty before the first write

    // Writes a record whole and replaces the one of that id only once it is
    // on disk; false with the reason when it cannot.
    bool write(int id, const RecoveryRecord &record, const std::vector<std::string_view> &text, QString &error);
    void remove(int id);
    // The folder and everything in it.
    void removeAll();

private:
    bool ensure(QString &error);

    QString root_;
    QString path_;
    int lockFd_ = -1;
};

// The records left by programs that are no longer running. Their folders stay
// locked while this object lives, so no other program starting now offers
// them as well.
class RecoveryOrphans {
public:
    explicit RecoveryOrphans(const QString &root);
    ~RecoveryOrphans(); // lets go of the locks; what was not discarded stays
    RecoveryOrphans(const RecoveryOrphans &) = delete;
    RecoveryOrphans &operator=(const RecoveryOrphans &) = delete;

    const std::vector<RecoveryRecord> &records() const { return records_; }
    // The text of a record, exactly as kept; false when it cannot be read whole.
    static bool readText(const RecoveryRecord &record, std::string &text);
    // Deletes a record, and its folder once nothing is left in it.
    void discard(const RecoveryRecord &record);

private:
    struct Held {
        QString path;
        int lockFd;
        int left; // records not yet discarded
    };
    void scan(const QString &folder);
    void release(Held &held, bool removeFolder);

    std::vector<Held> held_;
    std::vector<RecoveryRecord> records_;
};

} // namespace verno
