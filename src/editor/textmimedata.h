#pragma once
// The program's own copies of text (clipboard, primary selection, drags)
// carry the exact bytes beside the plain text every program reads, so bytes
// that no character stands for exactly (NUL now; bytes that are no valid
// UTF-8 in a UTF-8 text) come back as they went. Text from other programs is
// only ever read as characters.
#include <QString>
#include <string>
#include <string_view>

class QMimeData;

namespace verno {

// The private format: the name of the code the bytes are in, a line feed,
// then the bytes as the text holds them (CR LF breaks). A paste takes the
// bytes only into a text in that same code, and the characters otherwise
// (a NUL staying a NUL).
inline const QString kTextBytesMimeType = QStringLiteral("application/x-verno-bytes");
// The codes of the program's single-byte and UTF-8 texts.
inline constexpr std::string_view kSingleByteCode = "windows-1252";
inline constexpr std::string_view kUtf8Code = "utf-8";

// Text and bytes of a text in that code, for the clipboard or a drag. To
// other programs the bytes of a UTF-8 text that are no valid sequence go as
// U+FFFD; the private format keeps them.
QMimeData *textMimeData(std::string_view bytes, bool utf8 = false);
// The bytes pasted or dropped data puts in a text in that code: the
// program's own bytes when they are in the same code, else its characters,
// a NUL kept (empty when it holds no text).
std::string incomingBytes(const QMimeData &data, bool utf8 = false);

} // namespace verno
