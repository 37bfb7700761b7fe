#pragma once
// A text with its selection, modified flag and undo steps: what an edit
// control holds, without any of its drawing. Positions count a CR LF as two
// and never fall between its halves.
#include "util/textlayout.h"
#include "util/textstore.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// One change, after it happened: [pos, pos + removed) became [pos, pos +
// inserted); lines [firstLine, firstLine + removedLines) became [firstLine,
// firstLine + addedLines).
struct TextChange {
    int pos = 0;
    int removed = 0;
    int inserted = 0;
    int firstLine = 0;
    int removedLines = 0;
    int addedLines = 0;
    std::string removedText; // only while wantRemovedText answers true
};

class TextModel {
public:
    // How an edit is kept for undo.
    enum class Edit {
        Command,   // not undoable; earlier steps are forgotten
        Undoable,  // its own step; a plain insert may extend the step before
        Backspace, // one character before the caret: runs of them make one step
        DeleteKey, // one character after the caret: likewise
        Alone,     // its own step, never joined to the one before or after (a drop)
        Joined,    // part of the step just made
    };

    explicit TextModel(int chunkBytes = TextStore::kChunkBytes);
    TextModel(const TextModel &) = delete;
    TextModel &operator=(const TextModel &) = delete;

    const TextStore &store() const { return store_; }
    TextLayout &layout() { return layout_; }
    const TextLayout &layout() const { return layout_; }

    int length() const { return store_.length(); }
    std::string text(int pos, int count) const { return store_.text(pos, count); }
    std::string wholeText() const { return store_.text(0, length()); }
    // Replace everything: caret to 0, unmodified, no undo. False when too large.
    bool assign(std::string_view text);
    bool adopt(ByteBlock &&block);
    bool take(PreparedText &&text);
    void clear();

    // Whether the bytes are read as UTF-8; turning it over changes no byte,
    // and the selection moves out of any unit it would split.
    bool utf8() const { return layout_.utf8(); }
    void setUtf8(bool on);

    // The one place positions pass through: clamped to the text; between CR
    // and LF moved before the CR; in a UTF-8 text out of a unit (a character
    // with its marks), to its start, or its end when forward; and never
    // before or inside a byte-order mark that begins the text.
    int snap(int pos, bool forward = false) const;
    // Where the caret goes one step right or left: over a CR LF or a unit.
    int nextPosition(int pos) const;
    int previousPosition(int pos) const;
    // The steps between two positions: bytes, or in a UTF-8 text units.
    int characters(int from, int to) const;
    int anchor() const { return anchor_; }
    int caret() const { return caret_; }
    int selectionStart() const { return std::min(anchor_, caret_); }
    int selectionEnd() const { return std::max(anchor_, caret_); }
    void select(int anchor, int caret);
    std::string selectedText(int max) const;

    // Lines as the contract counts them: display lines, an empty last line
    // not counted by lineCount but addressable.
    int lineCount() const;
    bool lineExists(int n) const { return n >= 0 && n < layout_.lineCount(); }
    std::string lineText(int n) const;
    int lineStart(int n) const;  // -1: the caret's line; -1 when n is not a line
    int lineLength(int p) const; // -1: the caret's line less the selection
    int lineOf(int p) const;     // negative: the selection start's line

    // Replaces [from, to) (snapped positions) by text, whose breaks are made
    // CR LF; the caret goes after it.
    void replace(int from, int to, std::string_view text, Edit kind);
    // Moves [from, to) to dest, a position outside it, as one undo step; the
    // moved text then starts at the position returned.
    int move(int from, int to, int dest);
    // The whole text becomes text (breaks made CR LF) in one step Alone that
    // replaces only the part that differs; the selection keeps its place in
    // the text around that part. A file read again goes in this way.
    void replaceDiffering(std::string_view text);

    bool canUndo() const { return !steps_.empty(); }
    // Undoes the last step; the caret goes where that step began.
    void undo();
    // What undo undid, until the next edit; the caret goes after the text
    // the step put back.
    bool canRedo() const { return !redo_.empty(); }
    void redo();
    // Forgets both the undo and the redo steps.
    void forgetUndo();
    bool modified() const { return modified_; }
    void setModified(bool on);
    // Grows with every change of the text: an equal count means the same text.
    unsigned long long changeCount() const { return changes_; }

    // Told of every change of the text.
    std::function<void(const TextChange &)> onChange;
    std::function<bool()> wantRemovedText;

private:
    struct Piece { // [pos, pos + inserted.size()) was removed before
        int pos;
        std::string removed;
        std::string inserted;
    };
    struct Step {
        std::vector<Piece> pieces;
        bool singleRemovals = false; // Backspace or Delete key runs
        long long insertedUpTo = -1;  // see insertCount_
    };

    void apply(int from, int to, std::string_view text);
    bool startsWithMark() const;
    // The piece of the last step this edit extends, if any.
    Piece *mergeTarget(int from, int to, std::string_view text, Edit kind);
    void reset(int oldLength, int oldLines);

    TextStore store_;
    TextLayout layout_;
    int anchor_ = 0;
    int caret_ = 0;
    std::vector<Step> steps_;
    std::vector<Step> redo_; // undone steps, the last undone at the back
    int cleanStep_ = 0; // steps_.size() when last marked unmodified; -1 none
    bool modified_ = false;
    // Bytes ever inserted: a plain insert extends the last step only when no
    // other text went in since, so an undone step is never merged over.
    long long insertCount_ = 0;
    unsigned long long changes_ = 0;
};

} // namespace verno
