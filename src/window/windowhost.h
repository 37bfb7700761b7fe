#pragma once
// What an edit window tells the frame that holds it: when it is renamed,
// activated or closed, and when its context menu opens.
#include "editor/frameservices.h"

namespace verno {

class FileWatcher;
class RecoveryKeeper;
class TFileWindow;

class WindowHost : public FrameServices {
public:
    // Files changed by other programs are read again without asking.
    virtual bool autoReload() const = 0;
    virtual FileWatcher &fileWatcher() = 0;
    virtual RecoveryKeeper &recoveryKeeper() = 0;
    // The window is in front of a program the user is at, with no dialog
    // open: it may ask its questions now.
    virtual bool inFront(const TFileWindow *window) const = 0;

    virtual void windowRenamed(TFileWindow *window) = 0;
    virtual void windowActivated(TFileWindow *window, bool active) = 0;
    virtual void windowClosing(TFileWindow *window) = 0;
    virtual void popupOpening() = 0;
};

// 0 single close, 1 closing all (the question offers "&All"), 2 save the rest
// without asking, 3 aborted.
enum CloseModes { CloseSingle = 0, CloseAll = 1, CloseSaveRest = 2, CloseAborted = 3 };
extern int CloseMode;

} // namespace verno
