#pragma once
// The bytes of a text in a gap buffer, with an index of its lines. Every line
// break is CR LF: text is normalised on the way in, and positions handed to
// erase never split a break.
//
// The index keeps runs of whole lines (chunks of a few kilobytes) rather than
// every line, so a text of millions of lines needs little memory for it; a
// line inside a chunk is found by scanning the chunk's bytes, and the last
// line found is remembered, so walking lines in order costs one line each.
#include "util/byteblock.h"
#include "util/gapvector.h"
#include "util/partition.h"

#include <climits>
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// Positions are ints; a text may not grow past this.
inline constexpr int kMaxTextLength = INT_MAX / 2;

// Chunks of the line index: [first, first + removed) became [first, first + added).
struct ChunkChange {
    int first = 0;
    int removed = 0;
    int added = 0;
    bool empty() const { return removed == 0 && added == 0; }
    // This change followed by next, as one.
    ChunkChange then(const ChunkChange &next) const;
};

// A raw text made ready for a store, on any thread: its breaks made CR LF,
// the chunks of its line index found.
struct PreparedText {
    ByteBlock bytes;
    std::vector<size_t> chunkStarts;
    std::vector<size_t> chunkBreaks;
    size_t breaks = 0;
    size_t longest = 0;
    // The breaks as read: lone ones, and of those lone CRs.
    size_t loneBreaks = 0;
    size_t loneCr = 0;
};

class TextStore {
public:
    static constexpr int kChunkBytes = 8192;
    // Smaller chunks let tests reach chunk edges with small texts.
    explicit TextStore(int chunkBytes = kChunkBytes);

    int length() const { return int(bytes_.size()); }
    // Lines, an empty last line included: at least one.
    int lineCount() const { return chunkLines_.total() + 1; }
    int lineStart(int line) const;
    // Where the line's break begins (the text's end for the last line).
    int lineEnd(int line) const;
    int lineOf(int pos) const;
    unsigned char at(int pos) const { return static_cast<unsigned char>(bytes_[size_t(pos)]); }
    // Byte access for routines written for strings and texts alike.
    struct Bytes {
        const TextStore *text;
        size_t size() const { return size_t(text->length()); }
        unsigned char operator[](size_t i) const { return text->at(int(i)); }
    };
    Bytes bytes() const { return {this}; }

    // Chunks: runs of whole lines; every chunk but the last ends with a break.
    int chunkBytes() const { return chunkBytes_; }
    int chunkCount() const { return chunks_.count(); }
    int chunkStart(int c) const { return chunks_.start(c); }
    int chunkEnd(int c) const { return chunks_.start(c + 1); }
    int chunkFirstLine(int c) const { return chunkLines_.start(c); }
    // Lines starting in chunk c (the last chunk also holds the last line).
    int chunkLineCount(int c) const
    {
        return chunkLines_.start(c + 1) - chunkLines_.start(c) + (c + 1 == chunkCount());
    }
    int chunkOfLine(int line) const { return chunkLines_.rangeOf(line); }
    int chunkOfPosition(int pos) const { return chunks_.rangeOf(pos); }
    // What the edits since the last call did to the chunks.
    ChunkChange takeChunkChange();

    std::string text(int pos, int count) const;
    // [pos, pos + count) without a copy when the gap does not split it,
    // otherwise copied into scratch.
    std::string_view view(int pos, int count, std::string &scratch) const;
    // The first (or last) place where needle lies wholly in [from, to), or
    // -1; with fold the letters a to z match A to Z as well.
    int find(int from, int to, std::string_view needle, bool fold) const;
    int findBackward(int from, int to, std::string_view needle, bool fold) const;
    // The whole text in order, as at most two pieces.
    std::pair<std::string_view, std::string_view> pieces() const { return bytes_.pieces(); }

    // Room to insert bytes holding lines more breaks without allocating;
    // throws when there is none (or the text would grow too large).
    void reserve(size_t bytes, int lines);
    // text must already have CR LF breaks (see normalizeBreaks).
    void insert(int pos, std::string_view text);
    void erase(int pos, int count);
    // Replaces everything, normalising breaks; false when too large.
    bool assign(std::string_view text);
    // Takes over a block of raw bytes, normalising its breaks in place.
    bool adopt(ByteBlock &&block);
    // The same in two steps, the first of which touches no store; false
    // when the text is too large or memory is short.
    static bool prepare(ByteBlock &&block, PreparedText &out, int chunkBytes = kChunkBytes);
    bool take(PreparedText &&text);
    void clear();

    // Longest line seen in bytes: exact after assign, only grows with edits.
    int longestLineHint() const { return longestLine_; }

    // Every lone LF and lone CR becomes CR LF.
    static std::string normalizeBreaks(std::string_view text);

private:
    // LFs in [from, to), and the first LF in [from, to) (-1: none) or the
    // last one before to (-1: none at or after from).
    int countLfs(int from, int to) const;
    int nextLf(int from, int to) const;
    int previousLf(int from, int to) const;
    void remember(int line, int start, int next = -1) const;
    // Where the line after the one starting at start begins; past the end
    // (length() + 1) for the last line.
    int nextLineStart(int start) const;
    void splitChunk(int c);
    void noteChange(const ChunkChange &change);

    int chunkBytes_;
    GapVector<char> bytes_;
    Partition chunks_;     // chunk c covers [start(c), start(c + 1))
    Partition chunkLines_; // start(c): the breaks before chunk c, so the number of its first line
    int longestLine_ = 0;
    ChunkChange change_;
    // The last line found, and where the next one starts (-1: not known):
    // lines near it are found from here.
    mutable int memoLine_ = 0;
    mutable int memoStart_ = 0;
    mutable int memoNext_ = -1;
};

} // namespace verno
