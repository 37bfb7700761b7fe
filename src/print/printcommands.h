#pragma once
// The print commands of an edit window, over its edit control.
#include "print/pagelayout.h"

namespace verno {

class FrameServices;
class QtEditControl;

// Print: the print dialog (the selection offered only when there is one),
// then the job on the chosen range and copies.
void printWithDialog(QtEditControl &memo, FrameServices &frame, int leftMargin);
// The toolbar's Print: the whole text, one copy, no dialog.
void printAll(QtEditControl &memo, FrameServices &frame, int leftMargin);
// The job on the program's printer, in the edit control's font; a failure is
// reported after the document is closed and the status cleared.
void printText(QtEditControl &memo, FrameServices &frame, int leftMargin, const PrintRange &range);

PrintFont printFontOf(const QtEditControl &memo);

} // namespace verno
