#pragma once
// Between the program's CR LF text, single-byte or UTF-8, and the characters
// Qt shows.
#include <QString>
#include <string>
#include <string_view>

namespace verno {

// Bytes to display characters; every CR LF, lone CR and lone LF becomes '\n'.
// Read as UTF-8, a byte in no valid sequence becomes U+FFFD; NUL is the NUL
// symbol either way.
QString bytesToDisplay(const std::string &bytes, bool utf8 = false);
QString utf8ToDisplay(std::string_view bytes);
// Display characters to bytes; '\n' and U+2029 become CR LF, a character with
// no single-byte code becomes '?'.
std::string displayToBytes(const QString &text);
// The same; firstUnheld, when given, is set to the position in the result of
// the first '?' that stands for a character with no code (-1: none).
std::string displayToBytes(const QChar *chars, qsizetype count, int *firstUnheld = nullptr);
// Whether a key's text types something: any character but a control one
// (Backspace, Enter, Esc and Delete carry those). A character with no
// single-byte code types too, and goes in as '?'.
bool isTypedText(const QString &text);
// Text coming in from outside (typing, another program's clipboard or drop)
// as the bytes it stands for: a letter and its accent typed as two characters
// are one byte, a character with no single-byte code is '?'. The NUL symbol
// is such a character here: only the program's own copies carry NUL.
std::string incomingBytes(const QString &text);
// For a text in either code: into UTF-8 every character goes as it is (the
// NUL symbol too), line breaks made CR LF.
std::string incomingBytes(const QString &text, bool utf8);
// The same as display characters, line breaks made '\n'.
QString filterIncoming(const QString &text);

} // namespace verno
