#pragma once
#include "print/printdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <optional>

class QPrinter;

namespace verno {

// A QPrinter, drawn on through a QPainter. Characters are single bytes, shown
// as the edit control shows them.
class QtPrintDevice : public PrintDevice {
public:
    explicit QtPrintDevice(QPrinter &printer) : printer_(printer) {}
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

    QPrinter &printer_;
    bool utf8_ = false;
    QPainter painter_;
    std::optional<QFontMetrics> metrics_;
};

} // namespace verno
