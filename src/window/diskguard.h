#pragma once
// Keeps an edit window in step with its file when other programs change it.
// It knows what the file was when the window last read or wrote it; when the
// file changes, an unmodified window reads it again at once (one undo step,
// the caret kept) or asks first when the user chose so, and a modified window
// asks once, when it is next in front. A file removed or moved away leaves
// its window open and marked modified. Before a save it asks whether to
// replace a change the window never saw.
#include "platform/diskstamp.h"

#include <QString>
#include <optional>

namespace verno {

class TFileWindow;
class WindowHost;

class DiskGuard {
public:
    DiskGuard(TFileWindow &window, WindowHost &frame);
    ~DiskGuard();
    DiskGuard(const DiskGuard &) = delete;
    DiskGuard &operator=(const DiskGuard &) = delete;

    // The window's text is the file's as it was at stamp (read or written).
    void inStep(const DiskStamp &stamp);
    // The window's name changed: the same file keeps its stamp (a rename),
    // another one has none until it is read or written.
    void renamed();
    // Looks at the file again: a reload, a question, or a note of its going.
    void check();
    // The window came to the front, or the program to the user.
    void activated();
    // Asks a question left waiting, if the window is in front now.
    void askIfDue();
    // The window is closing: its file is no longer watched.
    void stop();
    // Before a save: false when the user chose not to replace another
    // program's change.
    bool mayOverwrite();
    // What the file was when last read or written; none for a new name.
    const std::optional<DiskStamp> &base() const { return base_; }

private:
    bool changedByUser() const;
    void ask();
    bool reload();
    void noteGone();

    TFileWindow &w_;
    WindowHost &frame_;
    QString watched_;               // the path the watcher has for this window
    std::optional<DiskStamp> base_; // the file as the text last matched it
    DiskStamp seen_;                // the file as last looked at
    bool askPending_ = false;
    bool asking_ = false;
    bool askQueued_ = false;
    // Marked modified only because the file went: a file put back then is
    // read as if the window had not been changed.
    bool goneMark_ = false;
    unsigned long long goneChangeCount_ = 0;
};

} // namespace verno
