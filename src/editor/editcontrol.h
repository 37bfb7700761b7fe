#pragma once
// The operations through which the program reaches a text. Positions and lines
// count from 0; a line break is CR LF and counts as two positions; characters
// are single bytes, unless the text is read as UTF-8: then positions still
// count bytes, but the caret and selection never stop inside a character.
// With word wrap on, lines are display lines and a wrap holds no character.
#include <functional>
#include <string>

namespace verno {

class EditControl {
public:
    virtual ~EditControl() = default;

    // Lines; an empty last line is not counted (empty text: 0).
    virtual int LineCount() const = 0;
    // Line n without its break; empty when n is not a line.
    virtual std::string LineText(int n) const = 0;
    // Replaces line n's text, keeping its break.
    virtual void SetLineText(int n, const std::string &s) = 0;
    // First position of line n; n = -1: the caret's line; -1 when n is at or past
    // the number of lines (an empty last line counts).
    virtual int LineStart(int n) const = 0;
    // Length of p's line without its break; p = -1: the caret's line, or with a
    // selection the unselected characters of the lines it touches.
    virtual int LineLength(int p) const = 0;
    virtual int LineOf(int p) const = 0;
    // A shortcut for searches: the first line from line on (backward: the
    // last line up to it) whose text may hold s, comparing bytes, or unless
    // caseSensitive folding a to z onto A to Z; -1 when no line can. Lines it
    // passes surely do not hold s. Without a faster way, every line may.
    virtual int NextLineHolding(int line, const std::string &s, bool caseSensitive, bool backward) const
    {
        (void)s, (void)caseSensitive, (void)backward;
        return line;
    }

    virtual int TextLength() const = 0;
    virtual bool HasText() const = 0;
    virtual std::string WholeText() const = 0;
    // Caret to 0, modified flag and undo cleared; false if s is too large.
    virtual bool SetWholeText(const std::string &s) = 0;
    // The same, releasing s as early as it can (large files).
    virtual bool SetWholeText(std::string &&s) { return SetWholeText(static_cast<const std::string &>(s)); }
    virtual void ClearText() = 0;

    virtual int SelectionStart() const = 0;
    virtual int SelectionLength() const = 0;
    // No scrolling; p = -1 leaves the caret at the old selection's end.
    virtual void SetCaret(int p) = 0;
    // Selects n characters from the selection start (-1 or past the end: to the
    // end of the text) and scrolls to the caret.
    virtual void SetSelectionLength(int n) = 0;
    virtual void SelectAllText() = 0;
    // Up to max - 1 characters of the selection.
    virtual std::string SelectedText(int max) const = 0;

    // Caret after s, modified flag set; not undoable (and no older undo step
    // survives it).
    virtual void ReplaceSelection(const std::string &s) = 0;
    // Undoable; nothing when the selection is empty.
    virtual void DeleteSelection() = 0;
    virtual void CutSelection() = 0;
    virtual void CopySelection() = 0;
    // Clipboard text replaces the selection, undoable; nothing without text.
    virtual void PasteClipboard() = 0;

    virtual bool UndoAvailable() const = 0;
    virtual void UndoLast() = 0;
    // What UndoLast undid, step by step, until the next change of the text.
    virtual bool RedoAvailable() const = 0;
    virtual void RedoLast() = 0;
    // Forgets the redo steps too.
    virtual void ForgetUndo() = 0;

    virtual bool ModifiedFlag() const = 0;
    virtual void SetModifiedFlag(bool on) = 0;
    // Stops the user's own edits; these operations still work.
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool on) = 0;
    // Changing it keeps text, selection and modified flag.
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool on) = 0;
    // Whether the bytes are read as UTF-8: a valid sequence is one character
    // (with the marks that join it), any other byte a character of its own.
    // Turning it over changes no byte and keeps the modified flag; a caret or
    // selection inside a character moves out of it.
    virtual bool Utf8() const = 0;
    virtual void SetUtf8(bool on) = 0;
    // The characters in [from, to): its bytes, or in a UTF-8 text the
    // characters the caret steps over.
    virtual int CharacterCount(int from, int to) const = 0;

    // Runs before a typed character goes in; may change it, or set 0 to drop it.
    // In a UTF-8 text it sees a character of several bytes once, as its first
    // byte: dropping that drops the character, changing it types that byte.
    using KeyPressHandler = std::function<void(char &key)>;
    virtual void SetOnKeyPress(KeyPressHandler handler) = 0;
};

} // namespace verno
