#pragma once
// The program's one printer: the system's default at start, then whatever the
// print and printer setup dialogs choose, kept until the program ends.
#include "platform/prompter.h"

class QPrinter;

namespace verno {

QPrinter &programPrinter();
// True when no printer is installed: jobs go to a PDF file.
bool noPrinterInstalled();
// A PDF printer still needs a file to write: without one, the user is asked
// (through the prompter's save dialog). False when no file was chosen.
bool ensurePrinterOutput();

// The Qt dialogs behind the prompter.
PrintDialogResult runPrintDialog(const PrintDialogRequest &request);
bool runPrintSetup();

} // namespace verno
