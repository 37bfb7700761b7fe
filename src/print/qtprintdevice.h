#pragma once
#include "print/printdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <memory>
#include <optional>

class QPdfWriter;
class QPrinter;

namespace verno {

class PdfFile;

// A QPrinter, drawn on through a QPainter. Characters are single bytes, shown
// as the edit control shows them. A printer that prints to a file writes the
// PDF through a checked file, with the printer's page layout and resolution,
// so that a file that cannot be written whole ends the job.
class QtPrintDevice : public PrintDevice {
public:
    explicit QtPrintDevice(QPrinter &printer);
    ~QtPrintDevice() override;

    void StartDocument() override;
    void NewPage() override;
    void EndDocument() override;
    void SetFont(const PrintFont &font) override;
    void SetUtf8(bool on) override { utf8_ = on; }
    TextExtent Extent(std::string_view run) override;
    int CharHeight() override;
    int AverageCharWidth() override;
    void DrawText(int x, int y, std::string_view run) override;
    int PageWidth() override;
    int PageHeight() override;

private:
    const QFontMetrics &metrics();
    QString shown(std::string_view run) const;
    void startPdf();
    // The printer, or the PDF writer standing in for it.
    QPaintDevice &device() const;
    void throwIfPdfFailed();

    QPrinter &printer_;
    bool utf8_ = false;
    std::unique_ptr<PdfFile> pdfFile_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
    std::optional<QFontMetrics> metrics_;
};

} // namespace verno
