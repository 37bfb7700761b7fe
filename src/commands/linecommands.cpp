#include "commands/linecommands.h"
#include "editor/clipboardstash.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <algorithm>

namespace verno {

// --- positions -------------------------------------------------------------------

// A wrap holds no character, so a display line that ends exactly where the
// next one starts was wrapped; a line break leaves a gap of two.
LineCommands::Span LineCommands::wholeLine(int p) const
{
    const int line = m_.LineOf(p);
    int start = m_.LineStart(line);
    for (int k = line; k > 0; --k) {
        const int above = m_.LineStart(k - 1);
        if (above + m_.LineLength(above) != start)
            break;
        start = above;
    }
    int last = line;
    int lastStart = m_.LineStart(line);
    int end = lastStart + m_.LineLength(lastStart);
    int next = m_.LineStart(last + 1);
    while (next == end) {
        lastStart = next;
        end = lastStart + m_.LineLength(lastStart);
        next = m_.LineStart(++last + 1);
    }
    return {start, end, next < 0 ? m_.TextLength() : next};
}

// After the rest of the word at p and the characters up to the next word
// character; line breaks count as such characters.
int LineCommands::nextWordStart(int p) const
{
    const int length = m_.TextLength();
    bool inWord = true;
    for (int line = m_.LineOf(p); p < length; ++line) {
        const int start = m_.LineStart(line);
        const std::string text = m_.LineText(line);
        for (int k = p - start; k < int(text.size());) {
            bool word = IsWordChar(static_cast<unsigned char>(text[size_t(k)]));
            // In a UTF-8 text the letters of every script make words too.
            const int step = m_.Utf8() ? int(utf8::wordUnitAt(text, size_t(k), word)) : 1;
            if (word && !inWord)
                return p;
            inWord = inWord && word;
            k += step;
            p += step;
        }
        const int next = m_.LineStart(line + 1);
        if (next < 0)
            return length;
        inWord = inWord && next == p; // a wrap continues the word, a break ends it
        p = next;
    }
    return std::min(p, length);
}

// The leading tabs and blanks of p's line, no more than p's column.
std::string LineCommands::indentAt(int p) const
{
    const int start = wholeLine(p).start;
    const std::string text = m_.LineText(m_.LineOf(start));
    size_t n = 0;
    while (n < text.size() && int(n) < p - start && (text[n] == ' ' || text[n] == '\t'))
        ++n;
    return text.substr(0, n);
}

void LineCommands::select(int from, int to)
{
    m_.SetCaret(from);
    m_.SetSelectionLength(to - from);
}

std::string LineCommands::selectedText() const { return m_.SelectedText(m_.SelectionLength() + 1); }

// The clipboard carries the text; should it come back empty, the text goes in
// all the same rather than being lost.
void LineCommands::pasteAt(int p, const std::string &text)
{
    m_.SetCaret(p);
    m_.SetSelectionLength(0);
    const int before = m_.TextLength();
    m_.PasteClipboard();
    if (m_.TextLength() == before)
        m_.ReplaceSelection(text);
}

void LineCommands::appendBreak()
{
    m_.SetCaret(m_.TextLength());
    m_.ReplaceSelection("\r\n");
}

void LineCommands::removeFinalBreak()
{
    const int length = m_.TextLength();
    select(length - 2, length);
    m_.ReplaceSelection("");
}

// --- clipboard commands and Del ----------------------------------------------------

void LineCommands::Cut()
{
    if (!m_.ReadOnly())
        m_.CutSelection();
}

void LineCommands::Paste()
{
    if (!m_.ReadOnly())
        m_.PasteClipboard();
}

void LineCommands::Delete()
{
    if (m_.ReadOnly())
        return;
    if (m_.SelectionLength() == 0) {
        // At the end of a line the whole CR LF goes at once; at a wrap, the
        // character after it.
        const int p = m_.SelectionStart();
        const int line = m_.LineOf(p);
        const int start = m_.LineStart(line);
        int n = 1;
        if (p == start + m_.LineLength(start)) {
            const int next = m_.LineStart(line + 1);
            n = next < 0 ? 0 : std::max(1, next - p);
        }
        m_.SetSelectionLength(n);
    }
    m_.DeleteSelection();
}

// --- line commands -----------------------------------------------------------------

void LineCommands::DeleteLine()
{
    if (m_.ReadOnly() || m_.LineCount() == 0)
        return;
    const Span line = caretLine();
    select(line.start, line.next);
    m_.DeleteSelection();
}

void LineCommands::InsertLine()
{
    if (m_.ReadOnly())
        return;
    m_.ReplaceSelection("\r\n");
    m_.SetCaret(m_.SelectionStart() - 2);
}

// A last line moves with a break of its own; true when it was given one.
bool LineCommands::lendBreak(Span &line)
{
    if (line.hasBreak())
        return false;
    appendBreak();
    line.next = line.end + 2;
    return true;
}

// Cuts the line with its break and pastes it at target (counted once the line
// is cut); the caret goes to the moved line. Not undoable.
void LineCommands::moveLine(const Span &line, int target, bool dropFinalBreak)
{
    select(line.start, line.next);
    const std::string text = selectedText();
    m_.CutSelection();
    pasteAt(target, text);
    if (dropFinalBreak)
        removeFinalBreak();
    m_.SetCaret(target);
    m_.SetSelectionLength(0);
    m_.ForgetUndo();
}

void LineCommands::MoveLineUp()
{
    if (m_.ReadOnly())
        return;
    Span line = caretLine();
    if (line.start == 0)
        return;
    const int above = wholeLine(line.start - 2).start;
    ClipboardSetAside aside(clipboard_);
    // A text that ended without a break still does afterwards; the empty last
    // line moves up as an empty line.
    const bool empty = line.end == line.start;
    const bool lent = lendBreak(line);
    moveLine(line, above, lent && !empty);
}

void LineCommands::MoveLineDown()
{
    if (m_.ReadOnly())
        return;
    const Span line = caretLine();
    if (line.next >= m_.TextLength())
        return; // nothing below it but, at most, the empty last line
    Span below = wholeLine(line.next);
    ClipboardSetAside aside(clipboard_);
    const bool lent = lendBreak(below);
    // Once this line is cut, the line below starts where it started.
    moveLine(line, line.start + (below.next - below.start), lent);
}

void LineCommands::RepeatLine()
{
    if (m_.ReadOnly())
        return;
    const Span line = caretLine();
    if (line.start == line.next)
        return; // the empty last line
    ClipboardSetAside aside(clipboard_);
    Span copy = line;
    const bool lent = lendBreak(copy);
    select(copy.start, copy.next);
    const std::string text = selectedText();
    m_.CopySelection();
    // A last line without a break is copied with a break lent for the moment,
    // and the copy goes above it, so that one Undo still removes it.
    if (lent)
        removeFinalBreak();
    pasteAt(lent ? line.start : line.next, text);
    m_.SetCaret(line.start);
    m_.SetSelectionLength(0);
}

void LineCommands::DelToWord()
{
    if (m_.ReadOnly())
        return;
    const int start = m_.SelectionStart();
    const int n = nextWordStart(start) - start;
    m_.SetSelectionLength(n);
    if (n > 0)
        m_.ReplaceSelection("");
}

// --- typing ------------------------------------------------------------------------

void LineCommands::KeyPress(char &key, bool insertMode, bool autoIndent)
{
    if (m_.ReadOnly())
        return;
    // A UTF-8 character past ASCII comes as its first byte; one character is
    // selected by a selection of one byte, which covers the whole character.
    const auto c = static_cast<unsigned char>(key);
    const bool printable = IsPrintable(c) || (m_.Utf8() && c >= 0xC2 && c <= 0xF4);
    if (!insertMode && m_.SelectionLength() == 0 && printable
        && m_.SelectionStart() < m_.LineStart(-1) + m_.LineLength(-1))
        m_.SetSelectionLength(1);
    if (autoIndent && key == '\r') {
        m_.ReplaceSelection("\r\n" + indentAt(m_.SelectionStart()));
        key = 0;
    }
}

} // namespace verno
