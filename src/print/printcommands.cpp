#include "print/printcommands.h"
#include "editor/busystatus.h"
#include "editor/frameservices.h"
#include "editor/qteditcontrol.h"
#include "platform/printerhost.h"
#include "platform/prompter.h"
#include "print/qtprintdevice.h"

namespace verno {

void printWithDialog(QtEditControl &memo, FrameServices &frame, int leftMargin)
{
    PrintDialogRequest request;
    request.selectionAvailable = memo.SelectionLength() > 0;
    frame.setStatusMessage(frame.menuHint(QStringLiteral("MnuFilePrint")));
    const PrintDialogResult chosen = prompter().printDialog(request);
    if (chosen.accepted) {
        PrintRange range = chosen.selection ? selectionRange(memo, chosen.copies) : wholeTextRange(memo);
        range.Copies = chosen.copies;
        printText(memo, frame, leftMargin, range);
    }
    frame.setStatusMessage(QString());
}

void printAll(QtEditControl &memo, FrameServices &frame, int leftMargin)
{
    printText(memo, frame, leftMargin, wholeTextRange(memo));
}

void printText(QtEditControl &memo, FrameServices &frame, int leftMargin, const PrintRange &range)
{
    if (!ensurePrinterOutput())
        return;
    BusyStatus busy(frame, QStringLiteral("Printing..."));
    QtPrintDevice device(programPrinter());
    try {
        printRange(device, memo, range, leftMargin, printFontOf(memo));
    } catch (const PrintError &e) {
        busy.end();
        reportError(QString::fromStdString(e.what()));
    }
}

PrintFont printFontOf(const QtEditControl &memo)
{
    const QFont f = memo.font();
    PrintFont p;
    p.name = f.family().toStdString();
    // A font given in pixels is taken at the screen's 96 dots per inch.
    p.pointSize = f.pointSize() > 0 ? f.pointSize() : std::max(1, f.pixelSize() * 72 / 96);
    p.bold = f.bold();
    p.italic = f.italic();
    p.underline = f.underline();
    p.strikeOut = f.strikeOut();
    p.rgb = memo.textColor().rgb() & 0xFFFFFFu;
    return p;
}

} // namespace verno
