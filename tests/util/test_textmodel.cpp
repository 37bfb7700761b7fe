// The text model without a screen: the buffer and its line index against a
// plain string, loading, word wrap against a from-scratch layout, undo steps.
#include "util/textmodel.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace verno;

namespace {

std::vector<int> naiveLineStarts(const std::string &s)
{
    std::vector<int> starts{0};
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '\n')
            starts.push_back(int(i) + 1);
    return starts;
}

void expectIndexMatches(const TextStore &store, const std::string &oracle)
{
    ASSERT_EQ(store.length(), int(oracle.size()));
    ASSERT_EQ(store.text(0, store.length()), oracle);
    const auto [before, after] = store.pieces(); // what a save writes
    ASSERT_EQ(std::string(before) + std::string(after), oracle);
    const std::vector<int> starts = naiveLineStarts(oracle);
    ASSERT_EQ(store.lineCount(), int(starts.size()));
    for (size_t k = 0; k < starts.size(); ++k)
        ASSERT_EQ(store.lineStart(int(k)), starts[k]) << "line " << k;
    for (size_t k = starts.size(); k-- > 0;) // backwards from the line found last
        ASSERT_EQ(store.lineEnd(int(k)), k + 1 < starts.size() ? starts[k + 1] - 2 : int(oracle.size())) << "line " << k;
    for (int p = 0; p <= int(oracle.size()); p += 1 + p / 50) {
        const int k = int(std::upper_bound(starts.begin(), starts.end(), p) - starts.begin()) - 1;
        ASSERT_EQ(store.lineOf(p), k) << "position " << p;
    }
}

// Texts with CR LF breaks, long and empty lines, NUL and high bytes.
std::string randomText(std::mt19937 &rng, int maxLength)
{
    static const char *const parts[] = {"\r\n", "a", "bc ", "\0", "\xE9\x80", "\t", "word ", "\r\n\r\n", "xyz"};
    std::string s;
    const int n = int(rng() % unsigned(maxLength + 1));
    while (int(s.size()) < n) {
        const char *p = parts[rng() % 9];
        s.append(p, *p ? std::char_traits<char>::length(p) : 1);
    }
    return s;
}

// A position that does not split a CR LF.
int randomPosition(std::mt19937 &rng, const std::string &s)
{
    int p = int(rng() % (s.size() + 1));
    if (p > 0 && p < int(s.size()) && s[size_t(p) - 1] == '\r')
        --p;
    return p;
}

ByteWidths testWidths()
{
    ByteWidths w;
    for (int b = 0; b < 256; ++b)
        w.advance[size_t(b)] = float(4 + b % 5);
    w.tab = 30;
    w.widest = 8;
    return w;
}

} // namespace

// Chunk sizes from a few bytes up, so edits cross, split and merge chunks.
const int kChunkSizes[] = {2, 16, 100, TextStore::kChunkBytes};

TEST(TextStore, LineIndexFollowsRandomEdits)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        TextStore store(kChunkSizes[round % 4]);
        std::string oracle = randomText(rng, 300);
        ASSERT_TRUE(store.assign(oracle));
        for (int edit = 0; edit < 60; ++edit) {
            int at = randomPosition(rng, oracle);
            if (rng() % 2) {
                // Now and then more than the buffer has room for.
                const std::string s = randomText(rng, rng() % 10 ? 20 : 6000);
                store.insert(at, s);
                oracle.insert(size_t(at), s);
            } else {
                const int b = randomPosition(rng, oracle);
                const int a = std::min(at, b);
                store.erase(a, std::max(at, b) - a);
                oracle.erase(size_t(a), size_t(std::max(at, b) - a));
                at = a;
            }
            // Right after the edit, at it and elsewhere, before the full check
            // walks the lines anew.
            const std::vector<int> starts = naiveLineStarts(oracle);
            for (const int q : {at, randomPosition(rng, oracle)}) {
                const int k = int(std::upper_bound(starts.begin(), starts.end(), q) - starts.begin()) - 1;
                ASSERT_EQ(store.lineOf(q), k) << "position " << q;
                ASSERT_EQ(store.lineEnd(k), size_t(k) + 1 < starts.size() ? starts[size_t(k) + 1] - 2 : int(oracle.size()));
            }
            expectIndexMatches(store, oracle);
        }
    }
}

// Forward and backward, folding or not, for hits before, across and after
// the gap.
TEST(TextStore, FindAgreesWithAPlainSearchWhereverTheGapIs)
{
    std::mt19937 rng(3);
    const auto fold = [](std::string s) {
        for (char &c : s)
            c = c >= 'a' && c <= 'z' ? char(c - 32) : c;
        return s;
    };
    for (int round = 0; round < 30; ++round) {
        std::string text;
        while (text.size() < 150)
            text += "abAB\xE1\xC1 "[rng() % 7];
        TextStore store;
        ASSERT_TRUE(store.assign(text));
        const int gap = int(rng() % text.size());
        store.insert(gap, "z"); // the gap now follows this
        text.insert(size_t(gap), "z");
        const std::string needle = text.substr(rng() % 140, 1 + rng() % 5);
        const int from = int(rng() % 50);
        const int to = int(text.size()) - int(rng() % 50);
        for (const bool folding : {false, true}) {
            SCOPED_TRACE(testing::Message() << text << " / " << needle << " gap " << gap << " fold " << folding);
            const std::string hay = folding ? fold(text) : text;
            const std::string pin = folding ? fold(needle) : needle;
            const size_t first = hay.find(pin, size_t(from));
            const size_t last = hay.rfind(pin, size_t(to) - pin.size());
            EXPECT_EQ(store.find(from, to, needle, folding),
                      first != std::string::npos && first + pin.size() <= size_t(to) ? int(first) : -1);
            EXPECT_EQ(store.findBackward(from, to, needle, folding),
                      last != std::string::npos && last >= size_t(from) ? int(last) : -1);
        }
    }
}

TEST(TextStore, LoadingMakesEveryBreakCrLf)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"\n\r", "\r\n\r\n"},          // LF CR: two breaks
        {"\r\r\n", "\r\n\r\n"},        // a lone CR before a pair
        {std::string("\0\n\xFF", 3), std::string("\0\r\n\xFF", 4)},
        {"\r\n\n\r\n", "\r\n\r\n\r\n"},
    };
    // Read with no room around the text, or with room in front of it (some
    // of the breaks then expand into that room, some need more).
    for (const size_t room : {0, 1, 64}) {
        for (const auto &[raw, expect] : cases) {
            SCOPED_TRACE(testing::Message() << testing::PrintToString(raw) << " room " << room);
            ByteBlock block;
            ASSERT_TRUE(block.reserve(room + raw.size()));
            block.setOffset(room);
            std::copy(raw.begin(), raw.end(), block.data());
            block.setSize(raw.size());
            TextStore store;
            ASSERT_TRUE(store.adopt(std::move(block)));
            expectIndexMatches(store, expect);
            store.insert(0, "x");
            EXPECT_EQ(store.text(0, store.length()), "x" + expect);
            EXPECT_EQ(TextStore::normalizeBreaks(raw), expect);
        }
    }
}

TEST(TextLayout, WrapBreaksAfterBlanksAndInsideLongWords)
{
    ByteWidths w;
    w.advance.fill(10);
    w.tab = 40;
    w.widest = 10;
    const struct {
        std::string line;
        double width;
        std::vector<int> breaks;
    } cases[] = {
        {"aaa bbb", 100, {}},
        {"aaa bbb ccc", 65, {4, 8}},
        {"aaaaaaaaaa", 35, {3, 6, 9}},  // one word wider than the line
        {"aa      bb", 50, {8}},         // blanks hang past the edge
        {"a\tb\tc", 75, {4}},            // tabs to stops 40 and 80
        {"", 10, {}},
        {"abc", 5, {1, 2}},              // narrower than one character
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<int> breaks;
        EXPECT_EQ(TextLayout::wrap(c.line, w, c.width, &breaks), int(c.breaks.size()) + 1);
        EXPECT_EQ(breaks, c.breaks);
    }
}

// With wrap on, display lines after any edit must be those a fresh layout of
// the same text gives.
TEST(TextLayout, IncrementalWrapMatchesAFreshLayout)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 20; ++round) {
        TextModel model(kChunkSizes[round % 4]);
        ASSERT_TRUE(model.assign(randomText(rng, 2000)));
        model.layout().setWidths(testWidths());
        model.layout().setWrapWidth(40 + rng() % 200);
        for (int edit = 0; edit < 40; ++edit) {
            const std::string now = model.wholeText();
            int a = randomPosition(rng, now), b = randomPosition(rng, now);
            if (a > b)
                std::swap(a, b);
            model.replace(a, rng() % 3 ? a : b, randomText(rng, 30), TextModel::Edit::Undoable);

            TextModel fresh;
            ASSERT_TRUE(fresh.assign(model.wholeText()));
            fresh.layout().setWidths(testWidths());
            fresh.layout().setWrapWidth(model.layout().wrapWidth());
            const TextLayout &l = model.layout();
            ASSERT_EQ(l.lineCount(), fresh.layout().lineCount());
            for (int n = 0; n < l.lineCount(); ++n) {
                ASSERT_EQ(l.lineStart(n), fresh.layout().lineStart(n)) << n;
                ASSERT_EQ(l.lineEnd(n), fresh.layout().lineEnd(n)) << n;
                ASSERT_EQ(l.lineOf(l.lineStart(n)), n);
            }
        }
    }
}

TEST(TextLayout, PositionsAndXAgreeOnLongLines)
{
    TextModel model;
    std::string line;
    for (int i = 0; line.size() < 30000; ++i)
        line += (i % 7 ? "word " : "\tx ");
    ASSERT_TRUE(model.assign("first\r\n" + line + "\r\nlast"));
    model.layout().setWidths(testWidths());
    const int start = model.layout().lineStart(1);
    for (int off : {0, 1, 4095, 4096, 4097, 12345, 29999}) {
        const double x = model.layout().xOf(start + off);
        EXPECT_EQ(model.layout().positionAt(1, x + 0.1), start + off) << off;
    }
    EXPECT_EQ(model.layout().positionAt(1, 1e12), model.layout().lineEnd(1));
    EXPECT_EQ(model.layout().positionAt(1, -5), start);
}

TEST(TextModel, UndoStepsAndTheModifiedFlag)
{
    using E = TextModel::Edit;
    struct Op {
        int from, to;
        const char *text;
        E kind;
    };
    struct Case {
        const char *label;
        std::vector<Op> ops;
        const char *afterOneUndo;
        int caret;
    };
    // Start: "hello world", unmodified.
    const Case cases[] = {
        {"typing runs merge", {{5, 5, "a", E::Undoable}, {6, 6, "b", E::Undoable}}, "hello world", 5},
        {"typing elsewhere does not", {{5, 5, "a", E::Undoable}, {2, 2, "b", E::Undoable}}, "helloa world", 2},
        {"typing after a paste extends it", {{5, 5, "XY", E::Undoable}, {7, 7, "z", E::Undoable}}, "hello world", 5},
        {"a break starts a new step", {{5, 5, "a", E::Undoable}, {6, 6, "\n", E::Undoable}}, "helloa world", 6},
        {"backspaces merge", {{4, 5, "", E::Backspace}, {3, 4, "", E::Backspace}}, "hello world", 5},
        {"delete keys merge", {{1, 2, "", E::DeleteKey}, {1, 2, "", E::DeleteKey}}, "hello world", 3},
        {"selection delete stands alone", {{1, 3, "", E::Undoable}, {1, 2, "", E::DeleteKey}}, "hlo world", 2},
        {"replacing a selection then typing", {{2, 5, "q", E::Undoable}, {3, 3, "r", E::Undoable}}, "hello world", 5},
        {"a moved text is one step", {{6, 6, "he", E::Undoable}, {0, 2, "", E::Joined}}, "hello world", 6},
        {"a drop stays apart from typing before it", {{5, 5, "a", E::Undoable}, {6, 6, "XY", E::Alone}}, "helloa world", 6},
        {"and from typing after it", {{5, 5, "XY", E::Alone}, {7, 7, "z", E::Undoable}}, "helloXY world", 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        TextModel m;
        ASSERT_TRUE(m.assign("hello world"));
        for (const Op &op : c.ops)
            m.replace(op.from, op.to, op.text, op.kind);
        EXPECT_TRUE(m.modified());
        const std::string edited = m.wholeText();
        m.undo();
        EXPECT_EQ(m.wholeText(), c.afterOneUndo);
        EXPECT_EQ(m.caret(), c.caret);
        // Redo puts the step back whole, and it undoes again as one step.
        ASSERT_TRUE(m.canRedo());
        m.redo();
        EXPECT_EQ(m.wholeText(), edited);
        EXPECT_FALSE(m.canRedo());
        m.undo();
        EXPECT_EQ(m.wholeText(), c.afterOneUndo);
    }

    TextModel m;
    ASSERT_TRUE(m.assign("abc"));
    m.replace(3, 3, "d", E::Undoable);
    m.setModified(false); // saved
    m.replace(4, 4, "e", E::Undoable);
    EXPECT_TRUE(m.modified());
    m.undo();
    EXPECT_FALSE(m.modified()) << "back at the saved text";
    m.undo();
    EXPECT_TRUE(m.modified()) << "before the saved text";
    EXPECT_EQ(m.wholeText(), "abc");
    m.replace(0, 0, "x", E::Undoable);
    m.replace(0, 1, "", E::Command);
    EXPECT_FALSE(m.canUndo()) << "a command forgets the steps before it";
    EXPECT_TRUE(m.modified());
    m.replace(2, 2, "", E::Command);
    EXPECT_EQ(m.caret(), 2);
}

TEST(TextModel, ReplacingByAFileReadAgainIsOneStepOverWhatDiffers)
{
    struct Case {
        const char *label;
        const char *before;
        int caret;
        const char *file;  // as read from disk
        const char *after; // the text
        int caretAfter;
        int changes; // steps of the change: 0 when nothing differs
    };
    const Case cases[] = {
        {"a line appended, caret kept", "one\r\ntwo\r\n", 5, "one\ntwo\nthree\n", "one\r\ntwo\r\nthree\r\n", 5, 1},
        {"a line inserted above the caret", "a\r\nb\r\nc", 6, "a\r\nnew\r\nb\r\nc", "a\r\nnew\r\nb\r\nc", 11, 1},
        {"the caret's line removed", "a\r\nbbb\r\nc", 5, "a\r\nc", "a\r\nc", 3, 1},
        {"truncated to nothing", "text", 2, "", "", 0, 1},
        {"a break added where a line ended", "ab", 2, "ab\r", "ab\r\n", 2, 1},
        {"lone CR and LF breaks", "x\r\ny", 0, "x\ry\n", "x\r\ny\r\n", 0, 1},
        {"a break inserted at the caret", "a\r\n\r\nb", 5, "a\r\n\r\n\r\nb", "a\r\n\r\n\r\nb", 5, 1},
        {"nothing differs", "same\r\n", 3, "same\n", "same\r\n", 3, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        TextModel m;
        ASSERT_TRUE(m.assign(c.before));
        m.select(c.caret, c.caret);
        const unsigned long long count = m.changeCount();
        m.replaceDiffering(c.file);
        EXPECT_EQ(m.wholeText(), c.after);
        EXPECT_EQ(m.caret(), c.caretAfter);
        EXPECT_EQ(m.changeCount() - count, unsigned(c.changes));
        EXPECT_EQ(m.canUndo(), c.changes > 0);
        m.undo();
        EXPECT_EQ(m.wholeText(), c.before) << "one undo brings the old text back";
    }

    // Typing right after the new text stays a step of its own.
    TextModel m;
    ASSERT_TRUE(m.assign("ab"));
    m.replace(2, 2, "c", TextModel::Edit::Undoable);
    m.setModified(false);
    m.replaceDiffering("abcd");
    m.setModified(false);
    m.replace(4, 4, "e", TextModel::Edit::Undoable);
    m.undo();
    EXPECT_EQ(m.wholeText(), "abcd");
    EXPECT_FALSE(m.modified());
    m.undo();
    EXPECT_EQ(m.wholeText(), "abc");
    EXPECT_TRUE(m.modified()) << "the text no longer matches the file";
}

TEST(TextModel, RedoUntilTheNextEdit)
{
    using E = TextModel::Edit;
    TextModel m;
    ASSERT_TRUE(m.assign("abc"));
    m.replace(3, 3, "d", E::Undoable);
    m.setModified(false); // saved
    m.replace(0, 0, "x", E::Undoable);
    m.undo();
    m.undo();
    EXPECT_EQ(m.wholeText(), "abc");
    m.redo();
    EXPECT_EQ(m.wholeText(), "abcd");
    EXPECT_EQ(m.caret(), 4);
    EXPECT_FALSE(m.modified()) << "back at the saved text";
    m.redo();
    EXPECT_EQ(m.wholeText(), "xabcd");
    EXPECT_TRUE(m.modified());
    m.replace(5, 5, "e", E::Undoable);
    EXPECT_FALSE(m.canRedo()) << "nothing undone since";
    // An edit after an undo, of any kind, ends what can be redone.
    const std::pair<const char *, std::function<void(TextModel &)>> edits[] = {
        {"typing", [](TextModel &t) { t.replace(0, 0, "y", E::Undoable); }},
        {"a command", [](TextModel &t) { t.replace(0, 1, "", E::Command); }},
        {"forgetting", [](TextModel &t) { t.forgetUndo(); }},
        {"a new text", [](TextModel &t) { t.assign("new"); }},
    };
    for (const auto &[label, edit] : edits) {
        m.replace(0, 0, "z", E::Undoable);
        m.undo();
        ASSERT_TRUE(m.canRedo()) << label;
        edit(m);
        EXPECT_FALSE(m.canRedo()) << label;
        m.redo();
        EXPECT_EQ(m.wholeText().find('z'), std::string::npos) << label;
    }
    // Typing after a redo starts a step of its own.
    ASSERT_TRUE(m.assign("ab"));
    m.replace(2, 2, "c", E::Undoable);
    m.undo();
    m.redo();
    m.replace(3, 3, "d", E::Undoable);
    m.undo();
    EXPECT_EQ(m.wholeText(), "abc");
}
