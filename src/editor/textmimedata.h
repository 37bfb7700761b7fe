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
// bytes only into a text in that same code, and the characters otherwise.
inline const QString kTextBytesMimeType = QStringLiteral("application/x-verno-bytes");
// The code of the program's single-byte texts.
inline constexpr std::string_view kSingleByteCode = "windows-1252";

// Text and bytes, for the clipboard or a drag.
QMimeData *textMimeData(std::string_view bytes);
// The bytes pasted or dropped data puts in a text: the program's own bytes
// when present, else its characters (empty when it holds no text).
std::string incomingBytes(const QMimeData &data);

} // namespace verno
