// Bytes read as UTF-8: which sequences are characters, what a file holds,
// and where the units the caret steps over begin, forwards and backwards.
#include "util/charwidths.h"
#include "util/textmodel.h"
#include "util/utf8.h"
#include "util/wordbounds.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace verno;
using namespace verno::utf8;

namespace {

int decoded(const std::string &s, char32_t &cp) {
    return decode(reinterpret_cast<const unsigned char *>(s.data()), s.size(), cp);
}

// Unit starts found walking forwards from the start of s.
std::vector<size_t> forwardStarts(const std::string &s) {
    std::vector<size_t> starts;
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    for (size_t i = 0; i < s.size();) {
        starts.push_back(i);
        char32_t first;
        i += unitLength(p + i, s.size() - i, first);
    }
    starts.push_back(s.size());
    return starts;
}

// Pieces random texts are made of: every kind of valid and broken sequence.
const std::vector<std::string> kPieces = {
    "a",
    "Z",
    " ",
    "\t",
    "\r\n",
    "\r",
    "\n",
    "\xD0\x96" /* Ж */,
    "\xC3\xA9" /* é */,
    "\xE4\xB8\xAD" /* 中 */,
    "\xF0\x9F\x98\x80" /* emoji */,
    "\xCC\x81" /* combining acute */,
    "\xE2\x80\x8D" /* zero width joiner */,
    "\xF0\x9F\x8F\xBD" /* skin tone */,
    "\xC0\x80" /* overlong */,
    "\xE0\x80\x80",
    "\xED\xA0\x80" /* surrogate */,
    "\xF4\x90\x80\x80" /* past U+10FFFF */,
    "\x80",
    "\xBF",
    "\xFF",
    "\xC3" /* truncated */,
    "\xE4\xB8",
    "\xF0\x9F\x98",
    "\xEF\xBB\xBF" /* mark */,
    std::string(1, '\0'),
};

std::string randomText(std::mt19937 &rng, int pieces) {
    std::string s;
    std::uniform_int_distribution<size_t> pick(0, kPieces.size() - 1);
    for (int i = 0; i < pieces; ++i)
        s += kPieces[pick(rng)];
    return s;
}

} // namespace

TEST(Utf8, DecodesOnlyWellFormedSequences) {
    struct Case {
        std::string bytes;
        int length;
        char32_t cp;
    } cases[] = {
        {"A", 1, 'A'},
        {"\xC3\xA9", 2, 0xE9},
        {"\xD0\x96", 2, 0x416},
        {"\xE2\x82\xAC", 3, 0x20AC},
        {"\xF0\x9F\x98\x80", 4, 0x1F600},
        {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
        {"\xEF\xBB\xBF", 3, 0xFEFF},
        {"\xC0\x80", 0, 0},         // overlong NUL
        {"\xC1\xBF", 0, 0},         // overlong
        {"\xE0\x9F\xBF", 0, 0},     // overlong three bytes
        {"\xF0\x8F\xBF\xBF", 0, 0}, // overlong four bytes
        {"\xED\xA0\x80", 0, 0},     // surrogate
        {"\xF4\x90\x80\x80", 0, 0}, // past U+10FFFF
        {"\xF5\x80\x80\x80", 0, 0},
        {"\x80", 0, 0}, // a lone continuation byte
        {"\xC3", 0, 0}, // cut short
        {"\xE2\x82", 0, 0},
        {"\xC3\x28", 0, 0}, // not followed by a continuation byte
    };
    for (const Case &c : cases) {
        char32_t cp = 0;
        EXPECT_EQ(decoded(c.bytes, cp), c.length) << testing::PrintToString(c.bytes);
        if (c.length > 0) {
            EXPECT_EQ(cp, c.cp);
            EXPECT_EQ(encode(cp), c.bytes);
        }
    }
    EXPECT_EQ(encode(0xD800), "");
}

TEST(Utf8, ClassifiesWhatAFileHolds) {
    struct Case {
        const char *name;
        std::string bytes;
        Kind kind;
    } cases[] = {
        {"empty", "", Kind::Ascii},
        {"ASCII", "plain text\r\nover two lines, long enough for the wide steps", Kind::Ascii},
        {"Windows-1252",
         "Gr\xFC\xDF"
         "e aus K\xF6ln",
         Kind::Other},
        {"UTF-8",
         "Gr\xC3\xBC\xC3\x9F"
         "e aus K\xC3\xB6ln",
         Kind::Utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBFmark", Kind::Utf8},
        {"cut at the end", "abcdefgh\xD0", Kind::Other},
        {"overlong", "abc\xC0\xAF", Kind::Other},
        {"surrogate", "\xED\xB0\x80", Kind::Other},
        {"emoji after 8 ASCII bytes", "12345678\xF0\x9F\x98\x80", Kind::Utf8},
        {"inside a word of ASCII", "abc\xD0\x96" "de fghijklmnop", Kind::Utf8},
        {"invalid inside a word of ASCII", "abc\xD0\x96" "d\xFF fghijklmnop", Kind::Other},
    };
    for (const Case &c : cases)
        EXPECT_EQ(classify(c.bytes.data(), c.bytes.size()), c.kind) << c.name;
}

// A large text is told in parts, on several threads where there are cores:
// sequences cut by a part's end are still read whole.
TEST(Utf8, ClassifiesLargeTextsInParts) {
    std::string pattern = "a\xF0\x9F\x98\x80\xC3\xA9\xE2\x82\xAC"; // 1, 4, 2 and 3 bytes
    std::string valid;
    while (valid.size() < (size_t(17) << 20))
        valid += pattern;
    EXPECT_EQ(classify(valid.data(), valid.size()), Kind::Utf8);
    for (const size_t at : {valid.size() / 2 + 3, valid.size() - 1}) {
        std::string invalid = valid;
        invalid[at] = '\xFF';
        EXPECT_EQ(classify(invalid.data(), invalid.size()), Kind::Other) << at;
    }
    std::string ascii(size_t(17) << 20, 'x');
    EXPECT_EQ(classify(ascii.data(), ascii.size()), Kind::Ascii);
    ascii.replace(ascii.size() - 2, 2, "\xC3\xA9");
    EXPECT_EQ(classify(ascii.data(), ascii.size()), Kind::Utf8);
}

TEST(Utf8, UnitsHoldACharacterWithItsMarks) {
    const std::string acute = "\xCC\x81";
    struct Case {
        const char *name;
        std::string text;
        std::vector<size_t> starts;
    } cases[] = {
        {"letters",
         "a\xD0\x96"
         "b",
         {0, 1, 3, 4}},
        {"a mark joins its letter", "e" + acute + "x", {0, 3, 4}},
        {"two marks join", "\xD0\x96" + acute + acute, {0, 6}},
        {"a mark at the start stands alone", acute + "a", {0, 2, 3}},
        {"a mark after a tab stands alone", "\t" + acute, {0, 1, 3}},
        {"a mark after a blank stands alone", " " + acute, {0, 1, 3}},
        {"a mark after a break stands alone", "\r\n" + acute, {0, 1, 2, 4}},
        {"a mark after an invalid byte stands alone", "\xFF" + acute, {0, 1, 3}},
        {"invalid bytes one by one",
         "\xE4\xB8"
         "a\xC3",
         {0, 1, 2, 3, 4}},
        {"emoji with skin tone", "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD", {0, 8}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(forwardStarts(c.text), c.starts) << c.name;
        const StringBytes b{c.text};
        for (size_t p = 0; p <= c.text.size(); ++p) {
            const bool start = std::find(c.starts.begin(), c.starts.end(), p) != c.starts.end();
            EXPECT_EQ(isUnitStart(b, p), start) << c.name << " at " << p;
        }
    }
    // Past kMaxJoined marks, each further mark is a unit of its own.
    std::string many = "a";
    for (int i = 0; i < kMaxJoined + 2; ++i)
        many += acute;
    const std::vector<size_t> starts = forwardStarts(many);
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_EQ(starts[1], size_t(1 + 2 * kMaxJoined));
}

// Forwards and backwards agree on every position of random texts, and the
// steps between units go from start to start.
TEST(Utf8, ForwardAndBackwardAgreeOnRandomTexts) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 300; ++round) {
        const std::string s = randomText(rng, 1 + round % 40);
        const std::vector<size_t> starts = forwardStarts(s);
        const StringBytes b{s};
        size_t k = 0;
        for (size_t p = 0; p <= s.size(); ++p) {
            const bool start = starts[k] == p;
            ASSERT_EQ(isUnitStart(b, p), start) << testing::PrintToString(s) << " at " << p;
            ASSERT_EQ(unitStart(b, p), start ? p : starts[k - 1]);
            ASSERT_EQ(unitEndAfter(b, p), starts[k]);
            if (start) {
                ASSERT_EQ(nextUnit(b, p), starts[std::min(k + 1, starts.size() - 1)]);
                ASSERT_EQ(previousUnit(b, p), starts[k == 0 ? 0 : k - 1]);
                ++k;
            }
        }
        EXPECT_EQ(countUnits(s), starts.size() - 1);
        EXPECT_EQ(headUnits(s, 3), starts[std::min<size_t>(3, starts.size() - 1)]);
    }
}

TEST(Utf8, WordCharactersCoverEveryScript) {
    for (const char32_t c :
         {U'a', U'Z', U'0', U'_', U'é', U'Ж', U'ж', U'λ', U'中', U'\u0301', U'ß'})
        EXPECT_TRUE(isWordChar(c)) << uint32_t(c);
    for (const char32_t c : {U' ', U',', U'-', U'\u00A0', U'\u2014', U'«', U'\U0001F600'})
        EXPECT_FALSE(isWordChar(c)) << uint32_t(c);
}

namespace {

// Advances a font would give: wide for CJK, and a count of the questions.
class FakeWidths : public CharWidths {
public:
    int asked = 0;

protected:
    float measure(char32_t cp) override
    {
        ++asked;
        return cp >= 0x1100 ? 20 : 10;
    }
    float measureUnit(std::string_view) override { return 15; }
};

ByteWidths fakeWidths(const std::shared_ptr<FakeWidths> &chars)
{
    ByteWidths w;
    w.advance.fill(10);
    w.invalid.fill(30);
    w.chars = chars;
    w.tab = 80;
    w.widest = 30;
    return w;
}

} // namespace

// Each character measures what the font gives, asked once; word wrap and
// the caret's place use the same widths and never split a character.
TEST(Utf8Layout, CharactersTakeTheirOwnWidths)
{
    auto chars = std::make_shared<FakeWidths>();
    TextModel m;
    m.layout().setWidths(fakeWidths(chars));
    m.setUtf8(true);
    // a (10) | CJK (20) | e + acute (15) | 0xFF (30) | c (10)
    ASSERT_TRUE(m.assign("a\xE4\xB8\xAD" "e\xCC\x81\xFF" "c"));
    const TextLayout &layout = m.layout();
    const std::pair<int, double> xs[] = {{0, 0}, {1, 10}, {4, 30}, {7, 45}, {8, 75}, {9, 85}};
    for (const auto &[pos, x] : xs)
        EXPECT_DOUBLE_EQ(layout.xOf(pos), x) << pos;
    EXPECT_EQ(layout.positionAt(0, 19), 1);
    EXPECT_EQ(layout.positionAt(0, 21), 4);
    EXPECT_EQ(layout.positionAt(0, 40), 7);
    EXPECT_EQ(chars->asked, 1);

    // Wrapped at 35: no blank, so each line breaks before the character that overflows.
    m.layout().setWrapWidth(35);
    std::vector<int> starts;
    for (int n = 0; n < layout.lineCount(); ++n)
        starts.push_back(layout.lineStart(n));
    EXPECT_EQ(starts, (std::vector<int>{0, 4, 7, 8}));
    m.setUtf8(false); // one byte a character: nine of them, 10 wide each
    EXPECT_EQ(layout.lineCount(), 3);
    EXPECT_EQ(layout.lineStart(1), 3);
}

// The one place positions pass through: out of a character, out of a CR LF,
// and never before or inside a byte-order mark at the start.
TEST(Utf8Layout, PositionsStayBetweenCharacters)
{
    TextModel m;
    m.setUtf8(true);
    const std::string bom(utf8::kBom);
    ASSERT_TRUE(m.assign(bom + "\xD0\x96\r\nx"));
    const struct {
        int pos;
        bool forward;
        int snapped;
    } cases[] = {{0, false, 3}, {2, true, 3}, {4, false, 3}, {4, true, 5}, {6, false, 5}, {9, false, 8}};
    for (const auto &c : cases)
        EXPECT_EQ(m.snap(c.pos, c.forward), c.snapped) << c.pos;
    EXPECT_EQ(m.nextPosition(3), 5);
    EXPECT_EQ(m.nextPosition(5), 7);
    EXPECT_EQ(m.previousPosition(3), 3);
    EXPECT_EQ(m.characters(0, 8), 4); // Ж, CR, LF, x; the mark counts none
    m.select(0, m.length());
    EXPECT_EQ(m.selectionStart(), 3);
    m.setUtf8(false);
    EXPECT_EQ(m.snap(0), 0);
    EXPECT_EQ(m.characters(0, 8), 8);
}

// Words are letters of every script; blanks and punctuation end them.
TEST(Utf8Layout, WordsHoldTheLettersOfEveryScript)
{
    TextStore t;
    // "привет, мир" : 6 letters of 2 bytes, comma, blank, 3 letters
    ASSERT_TRUE(t.assign("\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80"));
    EXPECT_EQ(wordAround(t, 4, true), std::make_pair(0, 12));
    EXPECT_EQ(nextWordStart(t, 0, true), 12);
    EXPECT_EQ(nextWordStart(t, 12, true), 14);
    EXPECT_EQ(previousWordStart(t, 20, true), 14);
    EXPECT_EQ(wordAround(t, 4, false), std::make_pair(4, 5)); // one byte a character: no letters
}
