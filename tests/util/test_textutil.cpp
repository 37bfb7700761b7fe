#include "util/textutil.h"

#include <gtest/gtest.h>

#include <string>

using namespace verno;

namespace {

CharClass expectedClass(int c)
{
    if (c >= 128) return CharClass::Other;
    if (c < 32 || c == 127) return CharClass::Control;
    if (c >= '0' && c <= '9') return CharClass::Digit;
    if (c >= 'a' && c <= 'z') return CharClass::Lower;
    if (c >= 'A' && c <= 'Z') return CharClass::Upper;
    return CharClass::BlankPunct;
}

} // namespace

TEST(CharTests, ClassTableAndTestsAgreeForEveryByte)
{
    for (int c = 0; c < 256; ++c) {
        const auto b = static_cast<unsigned char>(c);
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        EXPECT_EQ(CharClassOf(b), expectedClass(c)) << c;
        EXPECT_EQ(IsLetterOrDigit(b), alnum) << c;
        EXPECT_EQ(IsPrintable(b), c >= 32 && c <= 126) << c;
        EXPECT_EQ(IsWordChar(b), alnum || c == '_') << c;
    }
}

TEST(CharTests, WordCharAtIsFalseOutsideTheText)
{
    const std::string t = "a_ -\xE9";
    EXPECT_TRUE(IsWordCharAt(t, 0));
    EXPECT_TRUE(IsWordCharAt(t, 1));
    EXPECT_FALSE(IsWordCharAt(t, 2));
    EXPECT_FALSE(IsWordCharAt(t, 4));
    EXPECT_FALSE(IsWordCharAt(t, 5));
    EXPECT_FALSE(IsWordCharAt(t, -1));
    for (int i : {-1, 0, 1})
        EXPECT_FALSE(IsWordCharAt("", i));
}

TEST(CharTests, CaseConversionTouchesAsciiLettersOnly)
{
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool up = c >= 'A' && c <= 'Z', low = c >= 'a' && c <= 'z';
        EXPECT_EQ(UpperCaseChar(ch), low ? static_cast<char>(c - 32) : ch) << c;
        EXPECT_EQ(LowerCaseChar(ch), up ? static_cast<char>(c + 32) : ch) << c;
        EXPECT_EQ(InvertCaseChar(ch), up ? static_cast<char>(c + 32) : low ? static_cast<char>(c - 32) : ch) << c;
    }
}

TEST(CharTests, SameTextIgnoreCaseFoldsWindows1252Letters)
{
    EXPECT_TRUE(SameTextIgnoreCase("Hello", "hELLO"));
    EXPECT_TRUE(SameTextIgnoreCase("", ""));
    EXPECT_TRUE(SameTextIgnoreCase("\xC9t\xE9", "\xE9T\xC9"));     // Été
    EXPECT_TRUE(SameTextIgnoreCase("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    EXPECT_TRUE(SameTextIgnoreCase("\xDE", "\xFE"));
    EXPECT_FALSE(SameTextIgnoreCase("\xD7", "\xF7"));              // multiply / divide
    EXPECT_FALSE(SameTextIgnoreCase("\xDF", "\xFF"));              // sharp s is no capital
    EXPECT_FALSE(SameTextIgnoreCase("abc", "abcd"));
    EXPECT_FALSE(SameTextIgnoreCase("[", "{"));                    // 0x5B vs 0x7B
    EXPECT_FALSE(SameTextIgnoreCase("@", "`"));
}

TEST(ShortText, PosAndLastPos)
{
    struct Case { std::string s, sub; int pos, last; };
    const Case cases[] = {
        {"aaaa", "aa", 1, 3},  {"abc", "x", 0, 0},  {"abcabc", "bc", 2, 5},
        {"", "a", 0, 0},       {"abc", "", 0, 0},   {"ab", "abc", 0, 0},
        {"abc", "abc", 1, 1},  {"a\xE9" "A\xC9", "\xC9", 4, 4}, // bytewise, case matters
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ShortPos(c.s, c.sub), c.pos) << c.s << " / " << c.sub;
        EXPECT_EQ(ShortLastPos(c.s, c.sub), c.last) << c.s << " / " << c.sub;
    }
    std::string s(255, '.');
    s[254] = 'x';
    EXPECT_EQ(ShortLastPos(s, "x"), 255);
    EXPECT_EQ(ShortPos(s, "x"), 255);
    // Nothing past the 255th character is seen.
    s += "yx";
    EXPECT_EQ(ShortPos(s, "y"), 0);
    EXPECT_EQ(ShortLastPos(s, "x"), 255);
    EXPECT_EQ(ShortLength(s), 255);
}

TEST(ShortText, CopyHeadDeleteTruncateTakeAnyArguments)
{
    const std::string s = "abcdef";
    EXPECT_EQ(ShortCopy(s, 0, 3), ShortCopy(s, 1, 3));
    EXPECT_EQ(ShortCopy(s, -5, 3), "abc");
    EXPECT_EQ(ShortCopy(s, 3, 2), "cd");
    EXPECT_EQ(ShortCopy(s, 5, 100), "ef");
    EXPECT_EQ(ShortCopy(s, 7, 1), "");
    EXPECT_EQ(ShortCopy(s, 2, -1), "");
    EXPECT_EQ(ShortCopy("", 1, 1), "");

    EXPECT_EQ(ShortHead(s, 2), "ab");
    EXPECT_EQ(ShortHead(s, -1), "");

    EXPECT_EQ(ShortDelete(s, 2, 2), "adef");
    EXPECT_EQ(ShortDelete(s, 0, 1), "bcdef");
    EXPECT_EQ(ShortDelete(s, 5, 99), "abcd");
    EXPECT_EQ(ShortDelete(s, 7, 1), s);
    EXPECT_EQ(ShortDelete(s, 2, -3), s);

    EXPECT_EQ(ShortTruncate(s, 3), "abc");
    EXPECT_EQ(ShortTruncate(s, 99), s);
    EXPECT_EQ(ShortTruncate(s, -2), "");

    const std::string longText(300, 'q');
    EXPECT_EQ(ShortHead(longText, 300).size(), 255u);
    EXPECT_EQ(ShortTruncate(longText, 1000).size(), 255u);
    EXPECT_EQ(ShortDelete(longText, 1, 5).size(), 250u);
    EXPECT_EQ(ShortCopy(longText, 256, 10), "");
}

TEST(ShortText, UpperAndZeroText)
{
    EXPECT_EQ(ShortUpper("ab\xE9z_9"), "AB\xE9Z_9");
    EXPECT_EQ(ShortUpper(std::string(400, 'a')), std::string(255, 'A'));
    EXPECT_EQ(ShortFromZeroText(nullptr), "");
    EXPECT_EQ(ShortFromZeroText(""), "");
    EXPECT_EQ(ShortFromZeroText("abc"), "abc");
    const std::string longText(300, 'z');
    EXPECT_EQ(ShortFromZeroText(longText.c_str()), std::string(255, 'z'));
}

TEST(ShortText, BeforeAndAfterSeparator)
{
    struct Case { std::string s, sep, before, after; };
    const Case cases[] = {
        {"cmd %f rest", "%f", "cmd ", " rest"},
        {"a|b|c", "|", "a", "b|c"},
        {"abc", "|", "abc", ""},
        {"|x", "|", "", "x"},
        {"x|", "|", "x", ""},
        {"abc", "", "abc", ""},
        {"", "|", "", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ShortBefore(c.s, c.sep), c.before) << c.s;
        EXPECT_EQ(ShortAfter(c.s, c.sep), c.after) << c.s;
        EXPECT_EQ(TextBefore(c.s, c.sep), c.before) << c.s;
        EXPECT_EQ(TextAfter(c.s, c.sep), c.after) << c.s;
    }
    // Only the Short forms stop at 255 characters.
    const std::string longText = std::string(300, 'a') + "|" + std::string(300, 'b');
    EXPECT_EQ(TextBefore(longText, "|"), std::string(300, 'a'));
    EXPECT_EQ(TextAfter(longText, "|"), std::string(300, 'b'));
    EXPECT_EQ(ShortBefore(longText, "|"), std::string(255, 'a'));
    EXPECT_EQ(ShortAfter(longText, "|"), "");
    const std::string nearEnd = std::string(250, 'a') + "|" + std::string(20, 'b');
    EXPECT_EQ(ShortAfter(nearEnd, "|"), std::string(4, 'b'));
}

TEST(TextUtil, WildcardFramingAndIntegers)
{
    EXPECT_TRUE(HasWildcard("*.txt"));
    EXPECT_TRUE(HasWildcard("a?c"));
    EXPECT_FALSE(HasWildcard("notes.txt"));
    EXPECT_FALSE(HasWildcard(""));

    EXPECT_EQ(ReframeName(" notes.txt ", true), "[notes.txt]");
    EXPECT_EQ(ReframeName("[notes.txt]", false), " notes.txt ");
    EXPECT_EQ(ReframeName("[]", false), "  ");
    EXPECT_EQ(ReframeName("x", true), "[]");
    EXPECT_EQ(ReframeName("", false), "  ");

    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMin(-3, 2), -3);
}
