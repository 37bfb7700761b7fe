#pragma once
// The bytes of a text in a gap buffer, with an index of its line starts.
// Every line break is CR LF: text is normalised on the way in, and positions
// handed to erase never split a break.
#include "util/byteblock.h"
#include "util/gapvector.h"
#include "util/partition.h"

#include <climits>
#include <string>
#include <string_view>

namespace verno {

// Positions are ints; a text may not grow past this.
inline constexpr int kMaxTextLength = INT_MAX / 2;

class TextStore {
public:
    int length() const { return int(bytes_.size()); }
    // Lines, an empty last line included: at least one.
    int lineCount() const { return lines_.count(); }
    int lineStart(int line) const { return lines_.start(line); }
    // Where the line's break begins (the text's end for the last line).
    int lineEnd(int line) const
    {
        return line + 1 < lines_.count() ? lines_.start(line + 1) - 2 : length();
    }
    int lineOf(int pos) const { return lines_.rangeOf(pos); }
    unsigned char at(int pos) const { return static_cast<unsigned char>(bytes_[size_t(pos)]); }
    // Byte access for routines written for strings and texts alike.
    struct Bytes {
        const TextStore *text;
        size_t size() const { return size_t(text->length()); }
        unsigned char operator[](size_t i) const { return text->at(int(i)); }
    };
    Bytes bytes() const { return {this}; }

    std::string text(int pos, int count) const;
    // [pos, pos + count) without a copy when the gap does not split it,
    // otherwise copied into scratch.
    std::string_view view(int pos, int count, std::string &scratch) const;
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
    bool adopt(ByteBlock &&block);
    void clear();

    // Longest line seen in bytes: exact after assign, only grows with edits.
    int longestLineHint() const { return longestLine_; }

    // Every lone LF and lone CR becomes CR LF.
    static std::string normalizeBreaks(std::string_view text);

private:
    struct Index {
        Partition lines;
        size_t loneLf = 0; // LFs without a CR before them
        int longest = 0;
    };
    static Index indexLines(const char *data, size_t size);

    GapVector<char> bytes_;
    Partition lines_;
    int longestLine_ = 0;
};

} // namespace verno
