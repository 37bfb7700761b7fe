#pragma once
// The clipboard belongs to the user: commands that move text through it set
// the user's text aside first and put it back when they have finished.
#include <QByteArray>
#include <QString>

namespace verno {

class ClipboardStash {
public:
    // Keeps the clipboard's plain text (nothing when it holds no text), with
    // the exact bytes of a copy the program made.
    void SetClipboardAside();
    // Puts the kept text back; with none kept, the clipboard keeps whatever the
    // command last put there.
    void PutClipboardBack();

private:
    // Kept whole, not through a single-byte control, so text outside the code
    // page comes back unchanged.
    QString setAsideText_;
    QByteArray setAsideBytes_;
};

// Runs the set-aside and the put-back around a command, also when it fails.
class ClipboardSetAside {
public:
    explicit ClipboardSetAside(ClipboardStash &stash) : stash_(stash) { stash_.SetClipboardAside(); }
    ~ClipboardSetAside() { stash_.PutClipboardBack(); }
    ClipboardSetAside(const ClipboardSetAside &) = delete;
    ClipboardSetAside &operator=(const ClipboardSetAside &) = delete;

private:
    ClipboardStash &stash_;
};

} // namespace verno
