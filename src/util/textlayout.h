#pragma once
// Display lines of a text: its lines, or with word wrap the pieces each line
// is broken into to fit a width. Widths come from a table of 256 advances, so
// wrapping is a pass of table lookups and painting can use the very same
// advances; a UTF-8 text adds the advances of its characters past ASCII,
// each measured once. With wrap on, the display lines of every chunk of the
// text's line index are kept in a partition, so an edit re-wraps only the
// chunks it touched, and wrapping a whole text is a pass over its chunks on
// every core.
#include "util/partition.h"
#include "util/textstore.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace verno {

class CharWidths;

struct ByteWidths {
    std::array<float, 256> advance{}; // every byte; in a UTF-8 text, ASCII
    // A UTF-8 text: bytes 0x80-0xFF in no valid sequence (each drawn alone),
    // and the characters past ASCII.
    std::array<float, 128> invalid{};
    std::shared_ptr<CharWidths> chars; // none: each as wide as the widest byte
    bool utf8 = false; // whether the text is read as UTF-8
    float tab = 8;     // distance between tab stops
    float widest = 1;
};

class TextLayout {
public:
    explicit TextLayout(const TextStore &text) : text_(text) {}

    const ByteWidths &widths() const { return widths_; }
    // The font's widths; whether the text is UTF-8 stays as it was.
    void setWidths(const ByteWidths &widths);
    bool utf8() const { return widths_.utf8; }
    void setUtf8(bool on);

    // What the caret steps over at s (n bytes to the end of its line): its
    // length, and where it ends when it starts at x (a tab at its stop). The
    // one measure of text that wrapping, positions and painting share.
    struct Step {
        int length;
        double next;
    };
    Step step(const unsigned char *s, size_t n, double x) const;
    // Word wrap at this width; 0 turns wrapping off.
    void setWrapWidth(double width);
    bool wrapping() const { return wrapWidth_ > 0; }
    double wrapWidth() const { return wrapWidth_; }

    // Display lines, an empty last line included.
    int lineCount() const { return wrapping() ? display_.total() : text_.lineCount(); }
    // A wrap point belongs to the display line it starts.
    int lineOf(int pos) const;
    int lineStart(int n) const;
    // End of display line n: its wrap point, or where its line's break begins.
    int lineEnd(int n) const;
    // The line holding display line n, and the first display line of a line.
    int logicalLine(int n) const { return wrapping() ? walkToDisplay(n).line : n; }
    int firstDisplayLine(int line) const { return wrapping() ? walkTo(line).display : line; }

    // Called after the text changed: lines [first, first + removed) became
    // [first, first + added), and the chunks as given.
    void linesReplaced(int first, int removed, int added, const ChunkChange &chunks);
    // Room for the chunks an insert of this many bytes may add.
    void reserve(size_t bytes) { display_.reserve(int(bytes / size_t(text_.chunkBytes())) + 2); }
    void rebuild();

    // x of pos from the start of its display line, and the position in
    // display line n nearest to x.
    double xOf(int pos) const;
    double xOf(int pos, int n) const;
    int positionAt(int n, double x) const;
    // Where the tab at x ends.
    double tabEnd(double x) const;

    // Wraps one line; the offsets where display lines after the first begin
    // go to breaks when given. Returns the number of display lines.
    static int wrap(std::string_view line, const ByteWidths &widths, double width, std::vector<int> *breaks);
    // Display lines of the lines in a run of them ending in a break (the
    // text's last run also holds the line after its last break).
    static int countRun(std::string_view run, bool last, const ByteWidths &widths, double width);

private:
    struct Breaks {
        int line = -1;
        unsigned used = 0;
        std::vector<int> offsets; // wrap points, as offsets into the line
    };
    struct Checkpoint {
        int offset; // from the line's start, where a unit begins
        double x;
    };
    struct Checkpoints {
        int line = -1;
        unsigned used = 0;
        std::vector<Checkpoint> at; // about every 4096 bytes of the line
    };
    template <typename Entry> Entry &slotFor(std::vector<Entry> &cache, int line, bool &found) const;

    int countLine(int line) const;
    int countChunk(int c) const;
    // The display line where logical line walks from; kept near the last lookup.
    struct Walk {
        int line = 0;
        int display = 0;
    };
    Walk walkTo(int line) const;
    Walk walkToDisplay(int n) const;
    const std::vector<int> &breaksOf(int line) const;
    const std::vector<Checkpoint> &checkpointsOf(int line) const;
    // x at to, from x at from; the unit at to's left may end past it, at *end.
    double advanceRun(int from, int to, double x, int *end = nullptr) const;
    void dropCaches() const;

    const TextStore &text_;
    ByteWidths widths_;
    double wrapWidth_ = 0;
    Partition display_; // display lines per chunk
    mutable Walk memo_;
    // Recently used long lines.
    mutable std::vector<Breaks> breaks_;
    mutable std::vector<Checkpoints> checkpoints_;
    mutable std::vector<int> shortBreaks_;
    mutable unsigned useClock_ = 0;
    mutable std::string scratch_;
};

} // namespace verno
