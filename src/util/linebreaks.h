#pragma once
// Line breaks of a whole text found, and made CR LF, in bulk: a vectorised
// scan split over the machine's cores, so a text of hundreds of megabytes is
// indexed in a fraction of a second. A break is CR LF, a lone LF or a lone CR.
#include <cstddef>
#include <vector>

namespace verno {

// LFs among the n bytes at p.
size_t countLineFeeds(const char *p, size_t n);
// The first LF in [p, p + n), or nullptr.
const char *findLineFeed(const char *p, size_t n);

// What a run of lines with CR LF breaks holds, from one pass over it.
struct RunShape {
    size_t lineFeeds = 0;
    size_t longest = 0; // longest line, counting its CR
    bool plain = true;  // printable ASCII only, besides the breaks: no tab, no control byte
};
RunShape runShape(const char *p, size_t n);

// The breaks of a raw text: where it can be cut into chunks of whole lines
// of about a chosen size, and what making every break CR LF adds.
class BreakScan {
public:
    // Scans text[0, n) in parts pieces at once; a chunk ends at the first
    // break at least chunk bytes after its start.
    BreakScan(const char *text, size_t n, size_t chunk, int parts);

    size_t breaks() const { return breaks_; }
    // Bytes normalising adds: one per lone LF or lone CR.
    size_t extra() const { return extra_; }
    // Of those, the lone CRs.
    size_t loneCr() const { return loneCr_; }
    // The longest line, without its break.
    size_t longest() const { return longest_; }
    // Where each chunk but the first begins in the normalised text, and the
    // breaks before it.
    const std::vector<size_t> &chunkStarts() const { return chunkStarts_; }
    const std::vector<size_t> &chunkBreaks() const { return chunkBreaks_; }

    // Rewrites the scanned text in place with every break CR LF; text must
    // have room for n + extra() bytes and hold what was scanned.
    void normalise(char *text) const;

private:
    struct Mark {
        size_t pos;    // raw position where a chunk begins
        size_t breaks; // breaks before it within its part
        size_t lone;   // lone breaks before it within its part
    };
    struct Part {
        size_t from = 0, to = 0;
        size_t breaks = 0, lone = 0, loneCr = 0;
        size_t loneBefore = 0; // lone breaks in the parts before this one
        bool hasBreak = false;
        long long head = 0; // the open line's length up to this part's first break
        size_t tail = 0;    // bytes after its last break
        size_t longest = 0; // longest line wholly inside it
        std::vector<Mark> marks;
    };
    void scanPart(const char *text, Part &part) const;
    static void expandPart(char *text, const Part &part, const std::vector<char> &head, char before, char after);

    size_t size_;
    size_t chunk_;
    std::vector<Part> parts_;
    size_t breaks_ = 0;
    size_t extra_ = 0;
    size_t loneCr_ = 0;
    size_t longest_ = 0;
    std::vector<size_t> chunkStarts_;
    std::vector<size_t> chunkBreaks_;
};

} // namespace verno
