#include "util/intparse.h"

#include <gtest/gtest.h>

using namespace verno;

TEST(ParseInt32, DecimalOrPrefixedHexWithinThirtyTwoBits)
{
    const struct {
        const char *text;
        std::optional<int> value;
    } cases[] = {
        {"12", 12}, {"  12", 12}, {"012", 12}, {"0", 0}, {"-3", -3}, {"+7", 7},
        {"$1F", 31}, {"x10", 16}, {"X1f", 31}, {"0x10", 16}, {"0X10", 16},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"$7FFFFFFF", 2147483647},
        {"12 ", std::nullopt}, {"", std::nullopt}, {"   ", std::nullopt}, {"+", std::nullopt},
        {"$", std::nullopt}, {"0x", std::nullopt}, {"-$1", std::nullopt}, {"1a", std::nullopt},
        {"$G", std::nullopt}, {"\t1", std::nullopt}, {"99999999999", std::nullopt},
        {"2147483648", std::nullopt}, {"$80000000", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInt32(c.text), c.value);
    }
}
