#pragma once
// Text is single-byte. Each byte shows as exactly one Unicode character and
// maps back to the same byte: 128-255 as the Windows-1252 glyphs where that
// code page has one, the rest as the matching control characters; NUL shows as
// a visible symbol so it never cuts the text.
#include <cstdint>

namespace verno {

constexpr char16_t kNulSymbol = u'\u2400';

char16_t ByteToChar(unsigned char byte);
// -1 when the character has no single-byte code.
int CharToByte(char16_t ch);

} // namespace verno
