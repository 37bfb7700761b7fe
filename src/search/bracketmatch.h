#pragma once

namespace verno {

class EditControl;

// From an opening bracket at the caret to just after its partner (right), or
// from a closing bracket before the caret to just before its partner (left).
// Counts only brackets of the starting kind; without a partner nothing moves.
void MatchBracket(EditControl &memo, bool right);

} // namespace verno
