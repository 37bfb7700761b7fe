#include "util/intbase.h"

#include <gtest/gtest.h>

using namespace verno;

TEST(IntBase, DigitsAndBlanks)
{
    struct Case {
        int value, base, count;
        const char *digits, *blanked;
    };
    const Case cases[] = {
        {64, 16, 2, "40", "40"},
        {64, 10, 3, "064", " 64"},
        {64, 8, 3, "100", "100"},
        {1, 16, 3, "001", "  1"},
        {15, 10, 3, "015", " 15"},
        {15, 8, 3, "017", " 17"},
        {0, 16, 3, "000", "  0"},   // the last digit stays
        {240, 16, 2, "F0", "F0"},
        {256, 16, 2, "00", " 0"},   // higher digits are dropped
        {35, 36, 1, "Z", "Z"},
        {-1, 16, 5, "0FFFF", " FFFF"}, // taken as unsigned 16-bit
        {0x1FFFF, 2, 3, "111", "111"},
        {5, 1, 3, "", ""},
        {5, 37, 3, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " base " << c.base << " count " << c.count);
        EXPECT_EQ(IntToBase(c.value, c.base, c.count), c.digits);
        EXPECT_EQ(IntToBaseBlank(c.value, c.base, c.count), c.blanked);
    }
}
