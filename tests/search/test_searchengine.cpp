// Find, replace, Search Again and the word at the caret, on short texts.
#include "search/searchengine.h"
#include "search/searchoptions.h"
#include "searchtest.h"

#include <QGuiApplication>
#include <optional>
#include <vector>

using namespace verno;
using verno::test::SearchTest;

namespace {

enum Flag : unsigned { Cs = 1, Ww = 2, Back = 4, Entire = 8, All = 16, Prompt = 32 };

using verno::test::Place;

class EngineTest : public SearchTest {
protected:
    void setOptions(const std::string &find, unsigned flags, const std::string &replace = {})
    {
        T_SearchOptions &o = options();
        o.SetFindText(find);
        o.SetReplaceText(replace);
        o.CaseSensitive = flags & Cs;
        o.WholeWords = flags & Ww;
        o.Backward = flags & Back;
        o.Origin = (flags & Entire) ? T_SearchOptions::kOriginEntire : T_SearchOptions::kOriginCurrent;
        o.AllOccurrences = flags & All;
        o.PromptOnReplace = flags & Prompt;
        o.FirstSearch = true;
        o.ReportNotFound = true;
    }
    SearchEngine engine() { return SearchEngine(memo(), options(), frame); }
    // Whatever happened, nothing busy is left behind.
    void expectIdle()
    {
        EXPECT_TRUE(frame.statusMessage().isEmpty());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
};

const std::string kLong300 = std::string(300, 'x') + "cat";

struct FindCase {
    const char *name;
    std::string text;
    std::string find;
    unsigned flags;
    Place from;
    std::optional<Place> hit;
};

const FindCase kFindCases[] = {
    {"forward from the caret", "aaaa", "aa", 0, {0, 0, 0}, Place{0, 0, 2}},
    {"forward matches do not overlap", "aaaa", "aa", 0, {0, 0, 2}, Place{0, 2, 2}},
    {"forward never wraps to the top", "aaaa", "aa", 0, {0, 2, 2}, std::nullopt},
    {"backward from the line end", "aaaa", "aa", Back, {0, 4, 0}, Place{0, 2, 2}},
    {"backward before the selection", "aaaa", "aa", Back, {0, 2, 2}, Place{0, 0, 2}},
    {"backward never wraps to the end", "aaaa", "aa", Back, {0, 0, 2}, std::nullopt},
    {"folding finds upper case", "x ABC", "abc", 0, {0, 0, 0}, Place{0, 2, 3}},
    {"case sensitive skips upper case", "ABC abc", "abc", Cs, {0, 0, 0}, Place{0, 4, 3}},
    {"letters above 127 are not folded", "caf\xC9", "caf\xC3\xA9" /* café */, 0, {0, 0, 0}, std::nullopt},
    {"a find text is put in the text's code", "x caf\xE9", "caf\xC3\xA9", Cs, {0, 0, 0}, Place{0, 2, 4}},
    {"whole word between blanks", "the cat sat", "cat", Ww, {0, 0, 0}, Place{0, 4, 3}},
    {"whole word not inside a word or before a comma", "concat cat, cat", "cat", Ww, {0, 0, 0}, Place{0, 12, 3}},
    {"whole word not after a tab", "\tcat cat", "cat", Ww, {0, 0, 0}, Place{0, 5, 3}},
    {"whole word alone on a line", "cat", "cat", Ww, {0, 0, 0}, Place{0, 0, 3}},
    {"whole word at the line end, backward", "x cat", "cat", Ww | Back, {0, 5, 0}, Place{0, 2, 3}},
    {"word cut by the backward start is whole", "cat catalog", "cat", Ww | Back, {0, 7, 0}, Place{0, 4, 3}},
    {"nothing past column 255", kLong300, "cat", 0, {0, 0, 0}, std::nullopt},
    {"ending at column 254 is found", std::string(252, 'x') + "cat yy", "cat", 0, {0, 0, 0}, Place{0, 252, 3}},
    {"whole word ending at the 254th character is not", std::string(250, 'x') + " cat tail", "cat", Ww, {0, 0, 0}, std::nullopt},
    {"whole word ending at the 253rd character is", std::string(249, 'x') + " cat tail", "cat", Ww, {0, 0, 0}, Place{0, 250, 3}},
    {"forward on a later line", "one\r\ntwo one", "one", 0, {0, 1, 0}, Place{1, 4, 3}},
    {"backward over an empty line", "one two\r\n\r\nx", "two", Back, {2, 1, 0}, Place{0, 4, 3}},
    {"entire text forward starts at the top", "ab ab", "ab", Entire, {0, 5, 0}, Place{0, 0, 2}},
    {"entire text backward starts at the end", "ab ab\r\nab x", "ab", Entire | Back, {0, 0, 0}, Place{1, 0, 2}},
    {"empty last line has nothing to find", "ab\r\n", "ab", 0, {1, 0, 0}, std::nullopt},
    // Lines holding the text only past column 255, or only in other case, are passed over.
    {"past a line holding it beyond column 255", kLong300 + "\r\n\r\nx cat", "cat", 0, {0, 0, 0}, Place{2, 2, 3}},
    {"back past a line holding it beyond column 255", "cat y\r\n" + kLong300, "cat", Back, {1, 303, 0},
     Place{0, 0, 3}},
    {"folding finds it lines later", "abc\r\nx\r\nx ABC", "abc", 0, {0, 3, 0}, Place{2, 2, 3}},
    {"case sensitive passes the other case lines later", "x\r\nABC\r\nabc", "abc", Cs, {0, 0, 0}, Place{2, 0, 3}},
    {"a whole-word pattern cut to 255 matches the find text's first 254 characters",
     "a\r\n" + std::string(254, 'y') + "q", std::string(254, 'y') + "z", Ww, {0, 0, 0}, Place{1, 0, 255}},
};

} // namespace

TEST_F(EngineTest, SearchSelectsTheOccurrenceOrLeavesTheSelection)
{
    for (const FindCase &c : kFindCases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        select(c.from.line, c.from.column, c.from.length);
        setOptions(c.find, c.flags);
        prompter.messages.clear();
        EXPECT_EQ(engine().Search(), c.hit.has_value());
        EXPECT_EQ(place(), c.hit.value_or(c.from));
        EXPECT_EQ(prompter.messages.size(), c.hit ? 0u : 1u);
        expectIdle();
    }
}

// The message comes after the busy state has ended, and only when asked for.
TEST_F(EngineTest, NotFoundMessageShowsTheTextWithTheNormalPointer)
{
    struct Watching : verno::test::ScriptedPrompter {
        TMainWindow *frame = nullptr;
        bool busy = false;
        Answer message(MessageKind kind, const QString &title, const QString &text, Buttons b) override
        {
            busy = !frame->statusMessage().isEmpty() || QGuiApplication::overrideCursor();
            return ScriptedPrompter::message(kind, title, text, b);
        }
    } watching;
    watching.frame = &frame;
    setText("Abc");
    setOptions("zZ", 0);
    EXPECT_FALSE(engine().SearchForward());
    ASSERT_EQ(watching.messages.size(), 1u);
    EXPECT_EQ(watching.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(watching.messages[0].text, "\"zZ\" not found");
    EXPECT_FALSE(watching.busy);
    options().ReportNotFound = false;
    EXPECT_FALSE(engine().SearchBackward());
    EXPECT_EQ(watching.messages.size(), 1u);
    expectIdle();
}

namespace {

struct ReplaceCase {
    const char *name;
    std::string text;
    std::string find;
    std::string replace;
    unsigned flags;
    std::vector<Answer> answers;
    std::string result;
    size_t questions;
    Place after;
};

const ReplaceCase kReplaceCases[] = {
    {"a by aa in one pass", "banana\r\na", "a", "aa", All | Entire, {}, "baanaanaa\r\naa", 0, {1, 2, 0}},
    {"only the first without all", "a a a", "a", "b", Entire, {}, "b a a", 0, {0, 1, 0}},
    {"All answers every later one", "a a a", "a", "b", All | Prompt | Entire, {Answer::All}, "b b b", 1, {0, 5, 0}},
    {"Cancel stops and keeps the selection", "a a a", "a", "b", All | Prompt | Entire, {Answer::Cancel}, "a a a", 1, {0, 0, 1}},
    {"No skips, Yes replaces", "a a a", "a", "b", All | Prompt | Entire, {Answer::No, Answer::Yes, Answer::No}, "a b a", 3, {0, 4, 1}},
    {"one question without all", "a a a", "a", "b", Prompt | Entire, {Answer::Yes}, "b a a", 1, {0, 1, 0}},
    {"backward, before each replacement", "ab ab ab", "ab", "x", All | Back | Entire, {}, "x x x", 0, {0, 0, 0}},
    {"empty replacement deletes", "a-b-c", "-", "", All | Entire, {}, "abc", 0, {0, 2, 0}},
    {"whole words only", "cat concat cat", "cat", "dog", All | Ww | Entire, {}, "dog concat dog", 0, {0, 14, 0}},
};

} // namespace

TEST_F(EngineTest, ReplaceLoopFollowsTheAnswers)
{
    for (const ReplaceCase &c : kReplaceCases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        setOptions(c.find, c.flags, c.replace);
        prompter.messages.clear();
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        engine().ReplaceOccurrences();
        EXPECT_EQ(text(), c.result);
        EXPECT_EQ(prompter.messages.size(), c.questions);
        for (const auto &m : prompter.messages) {
            EXPECT_EQ(m.text, "Replace this occurrence?");
            EXPECT_EQ(m.buttons, Buttons(BtnYes | BtnNo | BtnCancel) | ((c.flags & All) ? Buttons(BtnAll) : 0u));
        }
        EXPECT_EQ(place(), c.after);
        expectIdle();
    }
    // Read-only: finding works, replacing does nothing.
    setText("a a");
    memo().SetReadOnly(true);
    setOptions("a", All | Entire, "b");
    engine().ReplaceOccurrences();
    EXPECT_EQ(text(), "a a");
    EXPECT_TRUE(engine().Search());
}

// Replacing all without a question rewrites each line once; answering Yes to
// every question goes one occurrence at a time. Both must agree.
TEST_F(EngineTest, ReplaceAllAgreesWithAnsweringYesToEachQuestion)
{
    const std::string wide = std::string(250, 'x') + " ab ab ab\r\nab";
    const struct {
        std::string text;
        std::string find;
        std::string replace;
    } texts[] = {
        {"aaa\r\naaaa\r\n", "aa", "a"},
        {"ab aab\r\n\r\nAB ab", "ab", "b"},
        {wide, "ab", "abab"},
        {"cat cat,cat\r\n cat", "cat", "cat cat"},
    };
    for (const auto &t : texts) {
        for (unsigned flags : {0u, unsigned(Back), unsigned(Ww), unsigned(Cs | Back)}) {
            SCOPED_TRACE(t.text + " flags " + std::to_string(flags));
            setText(t.text);
            select(1, 1);
            setOptions(t.find, flags | All, t.replace);
            engine().ReplaceOccurrences();
            const std::string byLines = text();
            const Place placeByLines = place();

            setText(t.text);
            select(1, 1);
            setOptions(t.find, flags | All | Prompt, t.replace);
            prompter.answers.assign(100, Answer::Yes);
            engine().ReplaceOccurrences();
            EXPECT_EQ(text(), byLines);
            EXPECT_EQ(place(), placeByLines);
        }
    }
}

// Search Again goes on from the caret whatever the origin, and reports the end.
TEST_F(EngineTest, SearchAgainRepeatsTheReplaceFromTheCaret)
{
    setText("a a a");
    select(0, 1);
    setOptions("a", Entire, "b");
    options().LastAction = SearchAction::Replace;
    for (const char *expected : {"a b a", "a b b"}) {
        engine().FindAgainClick();
        EXPECT_EQ(text(), expected);
    }
    EXPECT_TRUE(prompter.messages.empty());
    engine().FindAgainClick();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "\"a\" not found");
    options().LastAction = SearchAction::None;
    select(0, 0);
    engine().FindAgainClick();
    EXPECT_EQ(text(), "a b b");
}

TEST_F(EngineTest, WordAtCursorIsTheRunOfWordCharactersAfterTheCaret)
{
    const struct {
        std::string text;
        int column;
        std::string word;
    } cases[] = {
        {"x = my_var2;", 4, "my_var2"},
        {"x = my_var2;", 7, "my_var2"},
        {"x = my_var2;", 11, ""},
        {"x = my_var2;", 1, ""},
        {"caf\xE9 ok", 0, "caf"},
        {"end", 3, ""},
        {"", 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text + " @" + std::to_string(c.column));
        setText(c.text);
        select(0, c.column);
        EXPECT_EQ(WordAtCursor(memo()), c.word);
    }
}

namespace {

std::string times(const std::string &s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

const std::string kZh = "\xD0\x96";   // Ж
const std::string kzh = "\xD0\xB6";   // ж
const std::string kZhuk = kZh + "\xD0\xA3\xD0\x9A";  // ЖУК
const std::string kzhuk = kzh + "\xD1\x83\xD0\xBA";  // жук

const FindCase kUtf8FindCases[] = {
    {"a character finds itself", "x " + kZh, kZh, Cs, {0, 0, 0}, Place{0, 2, 2}},
    {"Cyrillic folds", kZhuk, kzhuk, 0, {0, 0, 0}, Place{0, 0, 6}},
    {"Greek folds, final sigma too", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x9F\xCE\xA3", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xBF\xCF\x82", 0, {0, 0, 0}, Place{0, 0, 10}},
    {"case sensitive skips the other case", kZhuk + " " + kzhuk, kzhuk, Cs, {0, 0, 0}, Place{0, 7, 6}},
    {"whole words of letters", kzhuk + "\xD0\xB8 " + kzhuk, kzhuk, Ww, {0, 0, 0}, Place{0, 9, 6}},
    {"whole words end at punctuation", kzhuk + ", x", kzhuk, Ww, {0, 0, 0}, Place{0, 0, 6}},
    {"a letter with its mark is not the letter", "e\xCC\x81 e", "e", Cs, {0, 0, 0}, Place{0, 4, 1}},
    {"invalid bytes are passed over", "\xFF" + kZh, kZh, 0, {0, 0, 0}, Place{0, 1, 2}},
    {"backward, the last before the caret", kZh + kzh + " " + kZh + kzh, kzh + kzh, Back, {0, 9, 0}, Place{0, 5, 4}},
    {"the 255th character is searched", times(kzh, 254) + kZh, kZh, Cs, {0, 0, 0}, Place{0, 508, 2}},
    {"the 256th is not", times(kzh, 255) + kZh, kZh, Cs, {0, 0, 0}, std::nullopt},
    {"folding may change the length", "x \xE2\x84\xAA", "k", 0, {0, 0, 0}, Place{0, 2, 3}},
};

} // namespace

// In a UTF-8 window the find text is UTF-8 and compared character by
// character, letter case folded in every script.
TEST_F(EngineTest, Utf8WindowsSearchByCharacters)
{
    memo().SetUtf8(true);
    for (const FindCase &c : kUtf8FindCases) {
        SCOPED_TRACE(c.name);
        setText(c.text);
        select(c.from.line, c.from.column, c.from.length);
        setOptions(c.find, c.flags);
        prompter.messages.clear();
        EXPECT_EQ(engine().Search(), c.hit.has_value());
        EXPECT_EQ(place(), c.hit.value_or(c.from));
    }
    // Replaced as found, one character of three bytes by one of one.
    setText("\xE2\x84\xAA k " + kZhuk);
    setOptions("k", All | Entire, "x");
    engine().ReplaceOccurrences();
    EXPECT_EQ(text(), "x x " + kZhuk);
    setOptions(kzhuk, All | Entire, kZh);
    engine().ReplaceOccurrences();
    EXPECT_EQ(text(), "x x " + kZh);
    // The word at the caret holds letters of every script.
    setText("x " + kzhuk + "!");
    select(0, 2);
    EXPECT_EQ(WordAtCursor(memo()), kzhuk);
    // A find text is cut to 255 characters, never inside one.
    options().SetFindText(times(kzh, 300));
    EXPECT_EQ(options().FindText, times(kzh, 255));
}
