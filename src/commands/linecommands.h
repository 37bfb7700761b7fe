#pragma once
// The editing commands beyond plain typing, over the edit-control interface: a
// Delete that takes a whole line break, the line commands, delete to the next
// word, and overwrite and auto indent on typed keys. Each does nothing in a
// read-only control.
//
// The line commands work on whole lines, from one line break to the next:
// - with word wrap on, the display lines of one wrapped line are deleted,
//   moved and repeated together, never split apart or glued to another line;
// - a last line without a line break is a line like any other: Move Line Up
//   swaps it with the line above, Move Line Down moves the line above it
//   below it, Repeat Line puts the copy on a line of its own, and the text
//   still ends without a break afterwards.
// The empty last line after a final break moves up as an empty line.
#include "editor/editcontrol.h"

#include <string>

namespace verno {

class ClipboardStash;

class LineCommands {
public:
    // The commands that move text through the clipboard set the user's text
    // aside in clipboard and put it back.
    LineCommands(EditControl &memo, ClipboardStash &clipboard) : m_(memo), clipboard_(clipboard) {}

    void Cut();
    void Paste();
    void Delete();
    void DeleteLine();
    void InsertLine();
    void MoveLineUp();    // not undoable
    void MoveLineDown();  // not undoable
    void RepeatLine();    // Undo removes the copy
    void DelToWord();

    // Before a typed character goes in: in overwrite mode a printable one
    // replaces the character after the caret (never a line break); with auto
    // indent, Enter inserts a break and the line's leading blanks, and the key
    // is dropped.
    void KeyPress(char &key, bool insertMode, bool autoIndent);

private:
    struct Span {
        int start; // first position
        int end;   // after the last character, before the break
        int next;  // start of the following line, or the text's length
        bool hasBreak() const { return next > end; }
    };

    Span wholeLine(int p) const;
    Span caretLine() const { return wholeLine(m_.LineStart(-1)); }
    int nextWordStart(int p) const;
    std::string indentAt(int p) const;
    void select(int from, int to);
    std::string selectedText() const;
    void pasteAt(int p, const std::string &text);
    void appendBreak();
    bool lendBreak(Span &line);
    void moveLine(const Span &line, int target, bool dropFinalBreak);
    void removeFinalBreak();

    EditControl &m_;
    ClipboardStash &clipboard_;
};

} // namespace verno
