#include "util/textmodel.h"
#include "util/utf8.h"

#include <algorithm>

namespace verno {

namespace {

bool hasBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

TextModel::TextModel(int chunkBytes) : store_(chunkBytes), layout_(store_) {}

void TextModel::reset(int oldLength, int oldLines)
{
    store_.takeChunkChange();
    ++changes_;
    layout_.rebuild();
    anchor_ = caret_ = 0;
    steps_.clear();
    redo_.clear();
    cleanStep_ = 0;
    modified_ = false;
    if (onChange)
        onChange({0, oldLength, length(), 0, oldLines, store_.lineCount(), {}});
}

bool TextModel::assign(std::string_view text)
{
    const int oldLength = length(), oldLines = store_.lineCount();
    if (!store_.assign(text))
        return false;
    reset(oldLength, oldLines);
    return true;
}

bool TextModel::adopt(ByteBlock &&block)
{
    const int oldLength = length(), oldLines = store_.lineCount();
    if (!store_.adopt(std::move(block)))
        return false;
    reset(oldLength, oldLines);
    return true;
}

bool TextModel::take(PreparedText &&text)
{
    const int oldLength = length(), oldLines = store_.lineCount();
    if (!store_.take(std::move(text)))
        return false;
    reset(oldLength, oldLines);
    return true;
}

void TextModel::clear()
{
    const int oldLength = length(), oldLines = store_.lineCount();
    store_.clear();
    reset(oldLength, oldLines);
}

void TextModel::setUtf8(bool on)
{
    layout_.setUtf8(on);
    select(anchor_, caret_);
}

bool TextModel::startsWithMark() const
{
    return length() >= 3 && store_.at(0) == 0xEF && store_.at(1) == 0xBB && store_.at(2) == 0xBF;
}

int TextModel::snap(int pos, bool forward) const
{
    pos = std::clamp(pos, 0, length());
    if (pos > 0 && pos < length() && store_.at(pos - 1) == '\r')
        --pos;
    if (!utf8())
        return pos;
    if (pos < 3 && startsWithMark())
        return 3;
    const TextStore::Bytes b = store_.bytes();
    return int(forward ? utf8::unitEndAfter(b, size_t(pos)) : utf8::unitStart(b, size_t(pos)));
}

int TextModel::nextPosition(int pos) const
{
    pos = snap(pos);
    if (pos >= length())
        return length();
    if (store_.at(pos) == '\r')
        return pos + 2;
    return utf8() ? int(utf8::nextUnit(store_.bytes(), size_t(pos))) : pos + 1;
}

int TextModel::previousPosition(int pos) const
{
    pos = snap(pos);
    if (pos == 0)
        return 0;
    if (store_.at(pos - 1) == '\n')
        return pos - 2;
    return utf8() ? snap(int(utf8::previousUnit(store_.bytes(), size_t(pos)))) : pos - 1;
}

int TextModel::characters(int from, int to) const
{
    from = std::clamp(from, 0, length());
    to = std::clamp(to, from, length());
    if (!utf8())
        return to - from;
    if (from < 3 && startsWithMark())
        from = std::min(3, to);
    std::string scratch;
    return int(utf8::countUnits(store_.view(from, to - from, scratch)));
}

void TextModel::select(int anchor, int caret)
{
    // A selection covers whole units: its start moves back, its end forward.
    anchor_ = snap(anchor, anchor > caret);
    caret_ = snap(caret, caret > anchor);
}

std::string TextModel::selectedText(int max) const
{
    if (max <= 1)
        return {};
    return store_.text(selectionStart(), std::min(selectionEnd() - selectionStart(), max - 1));
}

// --- lines -------------------------------------------------------------------

int TextModel::lineCount() const
{
    if (length() == 0)
        return 0;
    const bool emptyLast = store_.lineStart(store_.lineCount() - 1) == length();
    return layout_.lineCount() - (emptyLast ? 1 : 0);
}

std::string TextModel::lineText(int n) const
{
    if (!lineExists(n))
        return {};
    const int start = layout_.lineStart(n);
    return store_.text(start, layout_.lineEnd(n) - start);
}

int TextModel::lineStart(int n) const
{
    if (n == -1)
        return layout_.lineStart(layout_.lineOf(caret_));
    return lineExists(n) ? layout_.lineStart(n) : -1;
}

int TextModel::lineLength(int p) const
{
    if (p != -1) {
        const int n = layout_.lineOf(snap(p));
        return layout_.lineEnd(n) - layout_.lineStart(n);
    }
    const int start = selectionStart();
    const int end = selectionEnd();
    if (start == end)
        return lineLength(start);
    return (start - layout_.lineStart(layout_.lineOf(start))) + (layout_.lineEnd(layout_.lineOf(end)) - end);
}

int TextModel::lineOf(int p) const { return layout_.lineOf(p < 0 ? selectionStart() : snap(p)); }

// --- changes -----------------------------------------------------------------

void TextModel::apply(int from, int to, std::string_view text)
{
    TextChange change{from, to - from, int(text.size()), store_.lineOf(from), 0, 0, {}};
    change.removedLines = store_.lineOf(to) - change.firstLine + 1;
    change.addedLines = 1 + int(std::count(text.begin(), text.end(), '\n'));
    if (wantRemovedText && wantRemovedText())
        change.removedText = store_.text(from, to - from);
    // Room first: once the old text is gone, putting the new one in cannot fail.
    store_.reserve(text.size(), change.addedLines - 1);
    layout_.reserve(text.size());
    store_.erase(from, to - from);
    store_.insert(from, text);
    layout_.linesReplaced(change.firstLine, change.removedLines, change.addedLines, store_.takeChunkChange());
    anchor_ = caret_ = from + int(text.size());
    modified_ = true;
    ++changes_;
    if (onChange)
        onChange(change);
}

void TextModel::replace(int from, int to, std::string_view text, Edit kind)
{
    std::string normal;
    if (hasBreak(text)) {
        normal = TextStore::normalizeBreaks(text);
        text = normal;
    }
    if (kind == Edit::Command) {
        // Marks the text modified even when nothing changes.
        forgetUndo();
        if (from != to || !text.empty())
            apply(from, to, text);
        anchor_ = caret_ = snap(from + int(text.size()), true);
        // No undo leads back to the text as it was before.
        modified_ = true;
        cleanStep_ = -1;
        insertCount_ += long(text.size());
        return;
    }
    if (from == to && text.empty())
        return;
    // All the memory the change and its undo step need is taken first, so a
    // failure leaves the text and the steps as they were.
    Piece piece{from, store_.text(from, to - from), std::string(text)};
    Piece *extend = mergeTarget(from, to, text, kind);
    const bool joined = !extend && kind == Edit::Joined && !steps_.empty();
    Step fresh;
    if (extend) {
        extend->removed.reserve(extend->removed.size() + piece.removed.size());
        extend->inserted.reserve(extend->inserted.size() + piece.inserted.size());
    } else if (joined) {
        steps_.back().pieces.reserve(steps_.back().pieces.size() + 1);
    } else {
        steps_.reserve(steps_.size() + 1);
        fresh.pieces.reserve(1);
        fresh.singleRemovals = (kind == Edit::Backspace || kind == Edit::DeleteKey) && text.empty();
    }
    apply(from, to, text);
    // Bytes put in may join the ones after them into one unit.
    anchor_ = caret_ = snap(caret_, true);
    redo_.clear();
    insertCount_ += long(text.size());
    if (extend && to == extend->pos && from != to) { // one more removal to the left
        extend->removed.insert(0, piece.removed);
        extend->pos = from;
    } else if (extend) {
        extend->removed += piece.removed;
        extend->inserted += piece.inserted;
    } else if (joined) {
        steps_.back().pieces.push_back(std::move(piece));
    } else {
        if (cleanStep_ > int(steps_.size()))
            cleanStep_ = -1; // the unmodified text was undone and is now out of reach
        fresh.pieces.push_back(std::move(piece));
        steps_.push_back(std::move(fresh));
    }
    // A drop stays a step of its own: typing after it does not extend it.
    if (!text.empty() && kind != Edit::Alone && kind != Edit::Joined)
        steps_.back().insertedUpTo = insertCount_;
}

int TextModel::move(int from, int to, int dest)
{
    const std::string moved = text(from, to - from);
    // The later change first, so the earlier one's positions still hold.
    if (dest < from) {
        replace(from, to, {}, Edit::Alone);
        replace(dest, dest, moved, Edit::Joined);
        return dest;
    }
    replace(dest, dest, moved, Edit::Alone);
    replace(from, to, {}, Edit::Joined);
    return dest - (to - from);
}

TextModel::Piece *TextModel::mergeTarget(int from, int to, std::string_view text, Edit kind)
{
    if (steps_.empty() || !modified_ || kind == Edit::Joined || kind == Edit::Alone)
        return nullptr;
    Step &last = steps_.back();
    Piece &p = last.pieces.back();
    if (kind == Edit::Backspace || kind == Edit::DeleteKey) {
        // Runs of single removals, to the left or to the right.
        const bool adjacent = to == p.pos || from == p.pos;
        return last.singleRemovals && text.empty() && adjacent ? &p : nullptr;
    }
    // A plain insert continues the text the last step inserted.
    if (from != to || text.empty() || hasBreak(text) || p.inserted.empty() || hasBreak(p.inserted)
        || p.pos + int(p.inserted.size()) != from || last.insertedUpTo != insertCount_)
        return nullptr;
    return &p;
}

namespace {

using Pieces = std::pair<std::string_view, std::string_view>;

// Bytes the old text (as two pieces) and the new one share at their start.
size_t commonPrefix(const Pieces &old, std::string_view neu)
{
    size_t n = 0;
    for (std::string_view piece : {old.first, old.second}) {
        const size_t len = std::min(piece.size(), neu.size() - n);
        const auto mismatch = std::mismatch(piece.begin(), piece.begin() + len, neu.begin() + n).first;
        const size_t same = size_t(mismatch - piece.begin());
        n += same;
        if (same < piece.size())
            return n;
    }
    return n;
}

// Bytes they share at their end, at most limit.
size_t commonSuffix(const Pieces &old, std::string_view neu, size_t limit)
{
    size_t n = 0;
    for (std::string_view piece : {old.second, old.first}) {
        const size_t len = std::min(piece.size(), limit - n);
        const auto mismatch = std::mismatch(piece.rbegin(), piece.rbegin() + len, neu.rbegin() + n).first;
        const size_t same = size_t(mismatch - piece.rbegin());
        n += same;
        if (same < piece.size())
            return n;
    }
    return n;
}

} // namespace

void TextModel::replaceDiffering(std::string_view text)
{
    std::string normal;
    if (hasBreak(text)) {
        normal = TextStore::normalizeBreaks(text);
        text = normal;
    }
    const Pieces old = store_.pieces();
    const size_t oldLength = size_t(length());
    size_t prefix = commonPrefix(old, text);
    size_t suffix = commonSuffix(old, text, std::min(oldLength, text.size()) - prefix);
    // Neither end of the replaced part may split a CR LF.
    if (prefix > 0 && text[prefix - 1] == '\r') {
        --prefix;
        suffix = std::min(suffix, std::min(oldLength, text.size()) - prefix);
    }
    if (suffix > 0 && suffix < text.size() && text[text.size() - suffix - 1] == '\r')
        --suffix;
    const int from = int(prefix);
    const int to = int(oldLength - suffix);
    const std::string_view middle = text.substr(prefix, text.size() - suffix - prefix);
    if (from == to && middle.empty())
        return;
    const int delta = int(middle.size()) - (to - from);
    const auto moved = [&](int p) { return p <= from ? p : p >= to ? p + delta : std::min(p, from + int(middle.size())); };
    const int anchor = moved(anchor_);
    const int caret = moved(caret_);
    replace(from, to, middle, Edit::Alone);
    select(anchor, caret);
}

void TextModel::undo()
{
    if (steps_.empty())
        return;
    redo_.reserve(redo_.size() + 1);
    Step step = std::move(steps_.back());
    steps_.pop_back();
    int caret = 0;
    for (auto it = step.pieces.rbegin(); it != step.pieces.rend(); ++it) {
        apply(it->pos, it->pos + int(it->inserted.size()), it->removed);
        caret = it->pos + int(it->removed.size());
        if (it->removed.empty())
            caret = it->pos;
    }
    anchor_ = caret_ = snap(caret);
    modified_ = int(steps_.size()) != cleanStep_;
    redo_.push_back(std::move(step));
}

void TextModel::redo()
{
    if (redo_.empty())
        return;
    steps_.reserve(steps_.size() + 1);
    Step step = std::move(redo_.back());
    redo_.pop_back();
    int caret = 0;
    for (const Piece &piece : step.pieces) {
        apply(piece.pos, piece.pos + int(piece.removed.size()), piece.inserted);
        caret = piece.pos + int(piece.inserted.size());
        // Typing goes on in a step of its own.
        insertCount_ += long(piece.inserted.size());
    }
    anchor_ = caret_ = caret;
    step.singleRemovals = false; // Backspace runs go on in a step of their own too
    steps_.push_back(std::move(step));
    modified_ = int(steps_.size()) != cleanStep_;
}

void TextModel::forgetUndo()
{
    steps_.clear();
    redo_.clear();
    cleanStep_ = modified_ ? -1 : 0;
}

void TextModel::setModified(bool on)
{
    // Confirming the flag keeps the step where the text was unmodified.
    if (on == modified_)
        return;
    modified_ = on;
    cleanStep_ = on ? -1 : int(steps_.size());
}

} // namespace verno
