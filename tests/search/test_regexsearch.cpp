// Find and replace with the find text as a regular expression.
#include "search/finddialog.h"
#include "search/regexmatcher.h"
#include "search/searchengine.h"
#include "search/searchoptions.h"
#include "searchtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <optional>

using namespace verno;
using verno::test::Place;
using verno::test::SearchTest;

namespace {

enum Flag : unsigned { Cs = 1, Ww = 2, Back = 4, Entire = 8, All = 16, Again = 32 };

class RegexTest : public SearchTest {
protected:
    void setOptions(const std::string &find, unsigned flags, const std::string &replace = {})
    {
        T_SearchOptions &o = options();
        o.RegularExpression = true;
        o.SetFindText(find);
        o.SetReplaceText(replace);
        o.CaseSensitive = flags & Cs;
        o.WholeWords = flags & Ww;
        o.Backward = flags & Back;
        o.Origin = (flags & Entire) ? T_SearchOptions::kOriginEntire : T_SearchOptions::kOriginCurrent;
        o.AllOccurrences = flags & All;
        o.PromptOnReplace = false;
        o.FirstSearch = !(flags & Again);
        o.ReportNotFound = true;
    }
    SearchEngine engine() { return SearchEngine(memo(), options(), frame); }
};

TEST_F(RegexTest, FindsWithTheSearchOptions)
{
    const struct {
        const char *name;
        std::string text;
        std::string pattern;
        unsigned flags;
        Place from;
        std::optional<Place> hit;
    } cases[] = {
        {"digits", "abc 123 def", "\\d+", 0, {0, 0, 0}, Place{0, 4, 3}},
        {"no case by default", "Hello", "h\\w+", 0, {0, 0, 0}, Place{0, 0, 5}},
        {"case sensitive", "Hello", "h\\w+", Cs, {0, 0, 0}, std::nullopt},
        {"next line, from its start", "ab\r\nab", "^a", 0, {0, 1, 0}, Place{1, 0, 1}},
        {"backward from the caret", "a1 b2 c3", "[a-z]\\d", Back, {0, 5, 0}, Place{0, 3, 2}},
        {"backward: greatest start", "aaaa", "a+", Back, {0, 4, 0}, Place{0, 3, 1}},
        {"entire text whatever the caret", "x1\r\nx2", "x\\d", Entire, {1, 2, 0}, Place{0, 0, 2}},
        {"backward over the entire text", "x1\r\nx2", "x\\d", Back | Entire, {0, 0, 0}, Place{1, 0, 2}},
        {"whole words", "concat cat", "cat", Ww, {0, 0, 0}, Place{0, 7, 3}},
        {"$ only at the line's end", "ab\r\nabb", "b$", Back, {1, 2, 0}, Place{0, 1, 1}},
        {"long lines are searched whole", std::string(300, 'x') + "cat", "cat", 0, {0, 0, 0}, Place{0, 300, 3}},
        {"again: not the empty match just found", "ab\r\ncd", "^", Again, {0, 0, 0}, Place{1, 0, 0}},
        {"again backward likewise", "ab\r\ncd", "$", Back | Again, {1, 2, 0}, Place{0, 2, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        setOptions(c.pattern, c.flags);
        select(c.from.line, c.from.column, c.from.length);
        EXPECT_EQ(engine().Search(), c.hit.has_value());
        EXPECT_EQ(place(), c.hit.value_or(c.from));
    }
    EXPECT_EQ(prompter.messages.size(), 1u) << "the miss reported";
}

TEST_F(RegexTest, ReplacesWithGroupsAndEscapes)
{
    const struct {
        const char *name;
        std::string text;
        std::string pattern;
        std::string replace;
        unsigned flags;
        std::string result;
    } cases[] = {
        {"groups swapped", "alpha beta\r\ngamma delta", "(\\w+) (\\w+)", "\\2 \\1", All | Entire,
         "beta alpha\r\ndelta gamma"},
        {"match, tab, backslash, unset group", "a-b", "-|(z)", "[\\0\\t\\\\\\1\\q]", All | Entire,
         "a[-\t\\\\q]b"},
        {"empty matches at each line start", "x\r\ny", "^", "> ", All | Entire, "> x\r\n> y"},
        {"empty matches between characters", "abc", "x*", "-", All | Entire, "-a-b-c-"},
        {"backward, all", "a a a", "a", "b", All | Back | Entire, "b b b"},
        {"first only", "a a", "a", "b", Entire, "b a"},
        {"from the caret on", "a a\r\na", "a", "b", All, "a b\r\nb"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        setOptions(c.pattern, c.flags, c.replace);
        select(0, 1);
        engine().ReplaceOccurrences();
        EXPECT_EQ(text(), c.result);
        // One at a time, as with word wrap or a question, gives the same.
        setText(c.text);
        setOptions(c.pattern, c.flags, c.replace);
        options().PromptOnReplace = true;
        prompter.answers.assign(20, Answer::Yes);
        select(0, 1);
        engine().ReplaceOccurrences();
        EXPECT_EQ(text(), c.result);
    }
}

TEST_F(RegexTest, ABadPatternKeepsTheDialogOpenAndSaysWhy)
{
    setText("text");
    options().RegularExpression = false;
    prompter.dialogActions.push_back([](QDialog &d) {
        d.findChild<QComboBox *>("TxtFind")->setEditText(QString::fromUtf8("(\u0416b"));
        d.findChild<QCheckBox *>("ChkRegex")->setChecked(true);
        d.findChild<QPushButton *>("BtnOK")->click();
        EXPECT_TRUE(d.isVisible());
        d.findChild<QComboBox *>("TxtFind")->setEditText("(te)xt");
        d.findChild<QPushButton *>("BtnOK")->click();
    });
    window->FindClick();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Error");
    EXPECT_EQ(prompter.messages[0].text, QString::fromUtf8("Bad regular expression \"(\u0416b\":\rmissing closing parenthesis at the end of the pattern"));
    EXPECT_TRUE(options().RegularExpression);
    EXPECT_EQ(place(), (Place{0, 0, 4}));
    EXPECT_EQ(regexError("a\\", {}), "\\ at end of pattern");
    EXPECT_EQ(regexError("a)b", {}), "unmatched closing parenthesis at character 2");
}


// In a UTF-8 window a pattern takes characters, with letter case folded in
// every script; the same bytes in a single-byte window stay bytes.
TEST_F(RegexTest, AUtf8WindowMatchesCharacters)
{
    const std::string text = "\xce\xb1\xce\xb2\xce\xb3 caf\xc3\xa9"; // U+03B1..U+03B3, "cafe" with e-acute
    setText(text);
    memo().SetUtf8(true);
    setOptions("(\\w)(\\w)\xce\x93", Entire | All, "\\2\\1"); // capital gamma
    engine().ReplaceOccurrences();
    EXPECT_EQ(memo().WholeText(), "\xce\xb2\xce\xb1 caf\xc3\xa9");
    setOptions("CAF\xc3\x89", Entire | Ww); // capital E-acute, then the word's end
    EXPECT_TRUE(engine().Search());
    EXPECT_EQ(memo().SelectedText(100), "caf\xc3\xa9");

    setText(text);
    memo().SetUtf8(false);
    setOptions("^..\xc3\x8e", Entire); // the third byte, I-circumflex in Windows-1252
    EXPECT_TRUE(engine().Search());
    EXPECT_EQ(memo().SelectionLength(), 3) << "single bytes";

    // Whole words know the letters of Windows-1252: "caf" is no word in "caf\xe9".
    setText("caf\xe9 caf \xe9t\xe9");
    setOptions("caf", Entire | Ww);
    EXPECT_TRUE(engine().Search());
    EXPECT_EQ(place(), (Place{0, 5, 3}));
    setOptions("t", Entire | Ww);
    EXPECT_FALSE(engine().Search());
}

} // namespace

TEST(RegexMatcher, ReadsUtf8OnlyWhenTold)
{
    const std::string line = "\xff\xc3\xa9!"; // an invalid byte, then U+00E9
    RegexMatcher bytes, utf8;
    ASSERT_TRUE(bytes.compile("^.?(.)", {}));
    ASSERT_TRUE(utf8.compile(".", {false, false, true}));
    const auto b = bytes.find(line, 0);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->end, 2u) << "two single bytes";
    const auto u = utf8.find(line, 0);
    ASSERT_TRUE(u);
    EXPECT_EQ(u->start, 1u) << "the invalid byte matches nothing";
    EXPECT_EQ(u->end, 3u) << "one character of two bytes";
    EXPECT_FALSE(utf8.compile("\xe9", {false, false, true})) << "a pattern that is not UTF-8";
}
