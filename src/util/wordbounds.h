#pragma once
// Words for moving and selecting by words: runs of letters, digits and
// underscores (Windows-1252 letters included; in a UTF-8 text the letters of
// every script), runs of blanks, and runs of other characters; a line break
// stands alone.
#include "util/textstore.h"

#include <utility>

namespace verno {

bool isWordByte(unsigned char c);
// The run holding the character at pos (the last one at the end): [start, end).
std::pair<int, int> wordAround(const TextStore &text, int pos, bool utf8 = false);
// Where Ctrl+Right and Ctrl+Left go: the start of the next or previous word.
int nextWordStart(const TextStore &text, int pos, bool utf8 = false);
int previousWordStart(const TextStore &text, int pos, bool utf8 = false);

} // namespace verno
