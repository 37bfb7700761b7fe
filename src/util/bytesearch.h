#pragma once
// Where a run of bytes occurs in a large buffer, at memory speed: candidates
// are places where the first and the last byte both match, found sixteen at
// a time, and only those are compared in full.
#include <cstddef>
#include <string_view>

namespace verno {

// The offset in [p, p + n) of the first (or last) occurrence of needle, or
// -1. With fold, the bytes a to z match A to Z as well; nothing else folds.
long findBytes(const char *p, size_t n, std::string_view needle, bool fold);
long findBytesBackward(const char *p, size_t n, std::string_view needle, bool fold);

} // namespace verno
