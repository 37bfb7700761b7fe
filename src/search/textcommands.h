#pragma once
// Case conversion, shift and trim over an edit control. All of them leave a
// read-only control alone; their changes are not undoable.
#include <string>

namespace verno {

class EditControl;

enum class CaseKind { Invert = 0, Upper = 1, Lower = 2, InitialCaps = 3 };

// The selection, or the one character after the caret, converted in place and
// left selected.
void ConvertCase(EditControl &memo, CaseKind kind);
// text converted; inWord: whether the character before it continues a word
// (initial caps only, whose words are letters, digits, "#", "$" and "@").
// Single-byte text changes only the 26 ASCII letters; UTF-8 text the letters
// of every script, character by character (the length may change), its
// bytes in no valid sequence never.
std::string ConvertedCase(const std::string &text, CaseKind kind, bool inWord, bool utf8 = false);

// The selected lines, or the caret's line, moved by count columns: right
// inserts blanks, left removes the first count characters of each line (all of
// a shorter line's characters, never its line break).
void ShiftLines(EditControl &memo, bool right, int count);

// Trailing characters with codes 0 to 32 removed from the caret's line, or from
// the selected lines except the one holding the selection end.
void TrimLines(EditControl &memo);

} // namespace verno
