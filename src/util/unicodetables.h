#pragma once
// Code point ranges of the Unicode character database, as the UTF-8 text
// routines use them (see scripts/unicode-tables).
#include <span>

namespace verno::unicode {

struct Range {
    char32_t first;
    char32_t last;
};

// Marks and joiners that belong to the character before them.
std::span<const Range> joiningRanges();
// Letters of every script, digits, marks and connectors such as "_".
std::span<const Range> wordRanges();

} // namespace verno::unicode
