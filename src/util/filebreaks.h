#pragma once
// The line breaks a file was written with. A text in memory always has CR LF
// breaks; these routines tell which ones a file had and give the text back
// with them.
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// A file with breaks of more than one kind is written with CR LF.
enum class LineBreaks { CrLf, Lf, Cr };

// The breaks of bytes: LF or CR when every break is one, else CR LF (also
// for a text without any break).
LineBreaks detectLineBreaks(std::string_view bytes);
// The same from counts of a text's breaks: all, lone ones, lone CRs.
LineBreaks lineBreaksOf(size_t breaks, size_t lone, size_t loneCr);

// A text with CR LF breaks, given as pieces in order, with each CR LF
// written as breaks; CR LF gives the pieces joined unchanged.
std::string withLineBreaks(const std::vector<std::string_view> &pieces, LineBreaks breaks);

// "LF" or "CR"; "" for CR LF.
const char *lineBreaksName(LineBreaks breaks);

} // namespace verno
