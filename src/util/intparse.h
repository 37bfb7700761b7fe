#pragma once
#include <optional>
#include <string_view>

namespace verno {

// A signed 32-bit integer: leading blanks skipped, then either an optional
// sign and decimal digits, or a "$", "x", "X", "0x" or "0X" prefix and
// hexadecimal digits. Anything else, trailing blanks included, or a value
// outside the 32-bit range gives nothing.
std::optional<int> ParseInt32(std::string_view text);

} // namespace verno
