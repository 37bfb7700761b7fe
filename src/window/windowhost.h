#pragma once
// What an edit window tells the frame that holds it: when it is renamed,
// activated or closed, and when its context menu opens.
#include "editor/frameservices.h"

namespace verno {

class TFileWindow;

class WindowHost : public FrameServices {
public:
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
