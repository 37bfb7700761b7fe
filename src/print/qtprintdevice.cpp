#include "print/qtprintdevice.h"
#include "editor/textconvert.h"
#include "print/pdffile.h"

#include <QPdfWriter>
#include <QPrinter>

namespace verno {

// The soft hyphen shows on screen as the font draws it; text drawing would
// leave it out, so it prints as the hyphen it looks like.
QString QtPrintDevice::shown(std::string_view run) const
{
    return bytesToDisplay(std::string(run), utf8_).replace(QChar(u'\u00AD'), QLatin1Char('-'));
}

QtPrintDevice::QtPrintDevice(QPrinter &printer) : printer_(printer) {}

QtPrintDevice::~QtPrintDevice()
{
    if (painter_.isActive())
        painter_.end();
}

void QtPrintDevice::startPdf()
{
    pdfFile_ = std::make_unique<PdfFile>(printer_.outputFileName());
    if (!pdfFile_->start())
        throw PrintError(pdfFile_->failure().toStdString());
    pdf_ = std::make_unique<QPdfWriter>(pdfFile_.get());
    pdf_->setPdfVersion(printer_.pdfVersion());
    pdf_->setCreator(printer_.creator());
    pdf_->setResolution(printer_.resolution());
    pdf_->setPageLayout(printer_.pageLayout());
}

void QtPrintDevice::throwIfPdfFailed()
{
    if (pdfFile_ && pdfFile_->failed())
        throw PrintError(pdfFile_->failure().toStdString());
}

void QtPrintDevice::StartDocument()
{
    printer_.setDocName(QString());
    if (!printer_.outputFileName().isEmpty())
        startPdf();
    if (painter_.begin(&device()))
        return;
    throwIfPdfFailed();
    throw PrintError(
        QStringLiteral("Printer \"%1\" is not available").arg(printer_.printerName()).toStdString());
}

void QtPrintDevice::NewPage()
{
    const bool started = pdf_ ? pdf_->newPage() : printer_.newPage();
    throwIfPdfFailed();
    if (!started)
        throw PrintError("Unable to start a new page");
}

void QtPrintDevice::EndDocument()
{
    if (painter_.isActive() && !painter_.end()) {
        throwIfPdfFailed();
        throw PrintError("Unable to finish printing");
    }
    if (pdfFile_ && !pdfFile_->finish())
        throwIfPdfFailed();
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
    QColor colour{QRgb(font.rgb)};
    // Grey scale chosen in the print dialog.
    if (printer_.colorMode() == QPrinter::GrayScale)
        colour = QColor(qGray(colour.rgb()), qGray(colour.rgb()), qGray(colour.rgb()));
    painter_.setPen(colour);
    metrics_.reset();
}

const QFontMetrics &QtPrintDevice::metrics()
{
    // Measured on the printer, at its resolution.
    if (!metrics_)
        metrics_.emplace(painter_.font(), &device());
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

QPaintDevice &QtPrintDevice::device() const
{
    if (pdf_)
        return *pdf_;
    return printer_;
}

int QtPrintDevice::PageWidth() { return device().width(); }
int QtPrintDevice::PageHeight() { return device().height(); }

} // namespace verno
