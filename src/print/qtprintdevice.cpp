#include "print/qtprintdevice.h"
#include "editor/textconvert.h"

#include <QPrinter>

namespace verno {

namespace {

// The soft hyphen shows on screen as the font draws it; text drawing would
// leave it out, so it prints as the hyphen it looks like.
QString shown(std::string_view run)
{
    return bytesToDisplay(std::string(run)).replace(QChar(u'\u00AD'), QLatin1Char('-'));
}

} // namespace

QtPrintDevice::~QtPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrintDevice::StartDocument()
{
    printer_.setDocName(QString());
    if (painter_.begin(&printer_))
        return;
    if (printer_.outputFormat() == QPrinter::PdfFormat)
        throw PrintError(QStringLiteral("Unable to write the file \"%1\"")
                             .arg(printer_.outputFileName())
                             .toStdString());
    throw PrintError(QStringLiteral("Printer \"%1\" is not available")
                         .arg(printer_.printerName())
                         .toStdString());
}

void QtPrintDevice::NewPage()
{
    if (!printer_.newPage())
        throw PrintError("Unable to start a new page");
}

void QtPrintDevice::EndDocument()
{
    if (painter_.isActive() && !painter_.end())
        throw PrintError("Unable to finish printing");
}

void QtPrintDevice::SetFont(const PrintFont &font)
{
    QFont f(QString::fromStdString(font.name));
    f.setPointSize(std::max(1, font.pointSize));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    painter_.setFont(f);
    painter_.setPen(QColor(QRgb(font.rgb)));
    metrics_.reset();
}

const QFontMetrics &QtPrintDevice::metrics()
{
    // Measured on the printer, at its resolution.
    if (!metrics_)
        metrics_.emplace(painter_.font(), &printer_);
    return *metrics_;
}

TextExtent QtPrintDevice::Extent(std::string_view run)
{
    return {metrics().horizontalAdvance(shown(run)), metrics().height()};
}

int QtPrintDevice::CharHeight() { return metrics().height(); }
int QtPrintDevice::AverageCharWidth() { return metrics().averageCharWidth(); }

void QtPrintDevice::DrawText(int x, int y, std::string_view run)
{
    painter_.drawText(x, y + metrics().ascent(), shown(run));
}

int QtPrintDevice::PageWidth() { return printer_.width(); }
int QtPrintDevice::PageHeight() { return printer_.height(); }

} // namespace verno
