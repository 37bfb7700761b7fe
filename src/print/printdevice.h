#pragma once
// What a print job needs of a printer, in device units. Plain C++ so the page
// layout can run against a recording device in tests.
#include <stdexcept>
#include <string>
#include <string_view>

namespace verno {

struct PrintFont {
    std::string name;
    int pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    unsigned rgb = 0; // 0xRRGGBB
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// A printer or platform failure; it ends the job.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every operation may throw PrintError.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual void StartDocument() = 0;
    virtual void NewPage() = 0;
    virtual void EndDocument() = 0;
    virtual void SetFont(const PrintFont &font) = 0;
    // Whether the runs that follow are UTF-8 (else single-byte); a device
    // that keeps runs as bytes has nothing to do.
    virtual void SetUtf8(bool) {}
    virtual TextExtent Extent(std::string_view run) = 0;
    virtual int CharHeight() = 0;
    virtual int AverageCharWidth() = 0;
    // x, y: the top left of the run, from the top left of the printable area.
    virtual void DrawText(int x, int y, std::string_view run) = 0;
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
};

} // namespace verno
