#pragma once
// Line printing: the characters a job emits, placed on pages.
#include "print/printdevice.h"

#include <string>
#include <string_view>

namespace verno {

class EditControl;

// What a job prints: lines StartLine to EndLine, without the first StartCol
// characters of the first and keeping EndCol characters of the last (255 or
// more: all of it).
struct PrintRange {
    int StartLine = 0;
    int StartCol = 0;
    int EndLine = -1;
    int EndCol = 255;
    int Copies = 1;
};

// The whole text, one copy (EndCol past any line's length).
PrintRange wholeTextRange(const EditControl &memo);
// The selection (its end exclusive), in the given number of copies.
PrintRange selectionRange(const EditControl &memo, int copies);

// Places emitted characters: runs of ordinary characters wrapped at the page
// width without splitting a character, tab stops every 8 average character
// widths, CR ending a run, LF a new line, form feed a new page. A page break
// reaches the device only when something is drawn after it, so a job never
// ends on an empty page.
class PageLayout {
public:
    // The device's document is started and its font set; utf8: the emitted
    // characters are UTF-8, and a run is split only between characters.
    explicit PageLayout(PrintDevice &device, bool utf8 = false);
    void write(std::string_view chars);
    // The next character goes to the top of a new page (no empty page when it
    // is there already).
    void startAtPageTop();
    // Draws what is still collected.
    void finish() { flushRun(); }

private:
    void flushRun();
    void draw(std::string_view run);
    void tab();
    void newLine();
    void newPage();
    std::size_t longestFit(std::string_view run, int room);

    PrintDevice &device_;
    bool utf8_;
    int width_, height_, charHeight_, tabWidth_;
    int x_ = 0, y_ = 0, h_ = 0;
    bool pageBreakPending_ = false;
    std::string run_;
};

// The print job: every copy of the range through the layout, each copy from
// the top of a page, lines cut to 255 characters and led by leftMargin spaces
// when not empty. A started document is ended also when the job fails; the
// failure is then thrown on.
void printRange(PrintDevice &device, const EditControl &memo, const PrintRange &range,
                int leftMargin, const PrintFont &font);

// One line as the job emits it: cut to 255 characters, to EndCol on the last
// line, without StartCol on the first, then margin and CR LF. In a UTF-8 text
// the columns count bytes, the 255 characters are cut between characters,
// and a byte-order mark at the start is left out.
std::string printedLine(std::string text, int index, const PrintRange &range, int leftMargin, bool utf8 = false);

} // namespace verno
