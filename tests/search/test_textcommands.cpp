// Case conversion, shift, trim and bracket matching over an edit control.
#include "search/bracketmatch.h"
#include "search/textcommands.h"
#include "searchtest.h"

using namespace verno;
using verno::test::Place;
using verno::test::SearchTest;

TEST(ConvertedCase, OnlyAsciiLettersChangeAndInitialCapsHasItsOwnWords)
{
    const struct {
        CaseKind kind;
        std::string in;
        bool inWord;
        std::string out;
    } cases[] = {
        {CaseKind::Invert, "Hello World 123\xE9\xC9", false, "hELLO wORLD 123\xE9\xC9"},
        {CaseKind::Upper, "abc\xE9\r\nz", false, "ABC\xE9\r\nZ"},
        {CaseKind::Lower, "ABC\xC9", false, "abc\xC9"},
        {CaseKind::InitialCaps, "hELLO wORLD", false, "Hello World"},
        {CaseKind::InitialCaps, "o'neil", false, "O'Neil"},
        {CaseKind::InitialCaps, "3RD place", false, "3rd Place"},
        {CaseKind::InitialCaps, "my_var", false, "My_Var"},
        {CaseKind::InitialCaps, "#ABC $DEF @X x@Y", false, "#abc $def @x X@y"},
        {CaseKind::InitialCaps, "NNING fast", true, "nning Fast"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ConvertedCase(c.in, c.kind, c.inWord), c.out);
    }
}

TEST_F(SearchTest, ConvertCaseWorksOnTheSelectionOrTheCharacterAfterTheCaret)
{
    const struct {
        const char *name;
        std::string text;
        Place from;
        CaseKind kind;
        std::string result;
        Place after;
    } cases[] = {
        {"one character, left selected", "xa b", {0, 1, 0}, CaseKind::Upper, "xA b", {0, 1, 1}},
        {"caret at a line end does nothing", "ab\r\ncd", {0, 2, 0}, CaseKind::Upper, "ab\r\ncd", {0, 2, 0}},
        {"run cut by the selection start stays lower", "RUNNING fast", {0, 2, 10}, CaseKind::InitialCaps, "RUnning Fast", {0, 2, 10}},
        {"over a line break", "ab\r\ncd", {0, 1, 4}, CaseKind::Invert, "aB\r\nCd", {0, 1, 4}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        select(c.from.line, c.from.column, c.from.length);
        ConvertCase(memo(), c.kind);
        EXPECT_EQ(text(), c.result);
        EXPECT_EQ(place(), c.after);
    }
    setText("abc");
    memo().SetReadOnly(true);
    ConvertCase(memo(), CaseKind::Upper);
    EXPECT_EQ(text(), "abc");
}

TEST_F(SearchTest, ShiftMovesTheSelectedLinesAndKeepsThemSelected)
{
    const struct {
        const char *name;
        std::string text;
        Place from;
        bool right;
        int count;
        std::string result;
        Place after;
    } cases[] = {
        {"selection ending at column 0 leaves that line out", "l0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7",
         {4, 1, 11}, true, 2, "l0\r\nl1\r\nl2\r\nl3\r\n  l4\r\n  l5\r\n  l6\r\nl7", {4, 0, 16}},
        {"left takes any characters", " xrest\r\nab", {0, 0, 0}, false, 2, "rest\r\nab", {1, 0, 0}},
        {"left on a short line keeps its break", "ab\r\ncd", {0, 1, 0}, false, 4, "\r\ncd", {1, 0, 0}},
        {"empty lines get blanks too", "a\r\n\r\nb", {0, 0, 6}, true, 1, " a\r\n \r\n b", {0, 0, 9}},
        {"left over lines of any length", "    a\r\nb\r\n   c", {0, 2, 10}, false, 3, " a\r\n\r\nc", {0, 0, 7}},
        {"last line without a break keeps the caret there", "a\r\nb", {1, 0, 0}, true, 2, "a\r\n  b", {1, 2, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        select(c.from.line, c.from.column, c.from.length);
        ShiftLines(memo(), c.right, c.count);
        EXPECT_EQ(text(), c.result);
        EXPECT_EQ(place(), c.after);
    }
}

TEST_F(SearchTest, ShiftWithoutSelectionWalksDownTheLines)
{
    setText("a\r\nb\r\nc\r\n");
    select(1, 1);
    ShiftLines(memo(), true, 2);
    EXPECT_EQ(place(), (Place{2, 0, 0}));
    ShiftLines(memo(), true, 2);
    EXPECT_EQ(text(), "a\r\n  b\r\n  c\r\n");
    EXPECT_EQ(place(), (Place{3, 0, 0}));
}

TEST_F(SearchTest, TrimLeavesTheLineOfTheSelectionEndAlone)
{
    const std::string lines = "0 \r\n1 \r\n2 \t\r\n3\t \x01\r\n\t4 \r\n5 \r\n";
    setText(lines);
    select(2, 0, memo().LineStart(5) + 1 - memo().LineStart(2));
    TrimLines(memo());
    EXPECT_EQ(text(), "0 \r\n1 \r\n2\r\n3\r\n\t4\r\n5 \r\n");
    EXPECT_EQ(place(), (Place{4, 2, 0}));

    setText(lines);
    select(1, 1);
    TrimLines(memo());
    EXPECT_EQ(text(), "0 \r\n1\r\n2 \t\r\n3\t \x01\r\n\t4 \r\n5 \r\n");
    EXPECT_EQ(place(), (Place{1, 1, 0}));
}

// Under word wrap the lines are display lines, but a paragraph's wrapped rows
// are no lines of their own: the blank at a wrap point is no trailing blank,
// and a row's start is no place to shift.
class WrappedParagraphTest : public SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        for (int i = 0; i < 60; ++i)
            paragraph += "word ";
        window->Memo().widget()->resize(200, 200);
        memo().SetWordWrap(true);
    }
    std::string paragraph;
};

TEST_F(WrappedParagraphTest, TrimKeepsTheBlanksAtWrapPoints)
{
    setText(paragraph + "\r\nnext ");
    ASSERT_GT(memo().LineCount(), 3);
    memo().SelectAllText();
    TrimLines(memo());
    EXPECT_EQ(text(), paragraph.substr(0, paragraph.size() - 1) + "\r\nnext ");
}

TEST_F(WrappedParagraphTest, ShiftMovesParagraphsNotRows)
{
    const std::string original = paragraph + "\r\nnext";
    setText(original);
    ASSERT_GT(memo().LineCount(), 3);
    memo().SelectAllText();
    ShiftLines(memo(), true, 2);
    EXPECT_EQ(text(), "  " + paragraph + "\r\n  next");
    EXPECT_EQ(memo().SelectionLength(), int(text().size()));
    ShiftLines(memo(), false, 2);
    EXPECT_EQ(text(), original);

    select(2, 1);  // a wrapped row: its paragraph shifts, and the caret goes on to "next"
    ShiftLines(memo(), true, 1);
    EXPECT_EQ(text(), " " + paragraph + "\r\nnext");
    EXPECT_EQ(memo().SelectionStart(), int(paragraph.size()) + 3);
}

TEST_F(SearchTest, BracketJumpsToThePartnerOfTheSameKind)
{
    const std::string f = "f(a, (b), c) + 1";
    const struct {
        const char *name;
        std::string text;
        Place from;
        bool right;
        Place after;
    } cases[] = {
        {"right over nested pairs", f, {0, 1, 0}, true, {0, 12, 0}},
        {"left back over them", f, {0, 12, 0}, false, {0, 1, 0}},
        {"right across empty lines", "{\r\n\r\n\r\nx}", {0, 0, 0}, true, {3, 2, 0}},
        {"left across empty lines", "<\r\n\r\n>", {2, 1, 0}, false, {0, 0, 0}},
        {"other kinds ignored", "( ] )", {0, 0, 0}, true, {0, 5, 0}},
        {"same kind nested, left", "[[x]]", {0, 5, 0}, false, {0, 0, 0}},
        {"a NUL byte is a character like others", std::string("(a\0b)", 5), {0, 0, 0}, true, {0, 5, 0}},
        {"from the selection start, selection dropped", "x(a)y", {0, 1, 2}, true, {0, 4, 0}},
        {"right on a letter", "ab(c)", {0, 0, 0}, true, {0, 0, 0}},
        {"right at a line end", "(a)\r\nx", {0, 3, 0}, true, {0, 3, 0}},
        {"left at column 0", "(a)\r\nx", {1, 0, 0}, false, {1, 0, 0}},
        {"left after a non-bracket", "(a)x", {0, 4, 0}, false, {0, 4, 0}},
        {"no partner", "((a)\r\n", {0, 0, 0}, true, {0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        select(c.from.line, c.from.column, c.from.length);
        MatchBracket(memo(), c.right);
        EXPECT_EQ(place(), c.after);
    }
}

// In a UTF-8 text the letters of every script change case, character by
// character; bytes in no valid sequence never change.
TEST(ConvertedCase, Utf8TextsChangeTheLettersOfEveryScript)
{
    const struct {
        CaseKind kind;
        std::string in;
        bool inWord;
        std::string out;
    } cases[] = {
        {CaseKind::Upper, "\xD0\xBF\xD1\x80\xD0\xB8 \xC3\xA9\xFF", false, "\xD0\x9F\xD0\xA0\xD0\x98 \xC3\x89\xFF"},
        {CaseKind::Lower, "\xCE\x91\xCE\x92\xCE\x93", false, "\xCE\xB1\xCE\xB2\xCE\xB3"},
        {CaseKind::Invert, "\xD0\x96\xD0\xB6x", false, "\xD0\xB6\xD0\x96X"},
        {CaseKind::Upper, "\xC4\xB1", false, "I"}, // dotless i: one byte fewer
        {CaseKind::InitialCaps, "\xC3\xA9LAN e\xCC\x81T\xC3\x89", false, "\xC3\x89lan E\xCC\x81t\xC3\xA9"},
        {CaseKind::InitialCaps, "\xD0\x96\xD0\x96", true, "\xD0\xB6\xD0\xB6"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ConvertedCase(c.in, c.kind, c.inWord, true), c.out);
    }
}

// The converted text stays selected whatever its length; a shift left takes
// whole characters.
TEST_F(SearchTest, Utf8CommandsTakeWholeCharacters)
{
    memo().SetUtf8(true);
    setText("x\xC4\xB1y");
    select(0, 1);
    ConvertCase(memo(), CaseKind::Upper); // the one character after the caret
    EXPECT_EQ(text(), "xIy");
    EXPECT_EQ(place(), (Place{0, 1, 1}));
    setText("\xD0\x96\xD0\x96\xD0\x96z\r\nnext");
    select(0, 0);
    ShiftLines(memo(), false, 2);
    EXPECT_EQ(text(), "\xD0\x96z\r\nnext");
}
