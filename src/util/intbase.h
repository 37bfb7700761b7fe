#pragma once
// Number labels in a chosen base.
#include <string>

namespace verno {

// The last count digits of value (taken as unsigned 16-bit) in base 2 to 36,
// with leading zeros; digits 0-9 then A-Z. Another base gives "".
std::string IntToBase(int value, int base, int count);
// The same with leading zeros blanked, never the last digit.
std::string IntToBaseBlank(int value, int base, int count);

} // namespace verno
