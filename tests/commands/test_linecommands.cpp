// Line editing commands on an edit control without a window: texts written
// with "|" for the caret or "[...]" for a selection.
#include "commands/linecommands.h"
#include "editor/clipboardstash.h"
#include "editor/qteditcontrol.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace verno;

namespace {

using Command = void (LineCommands::*)();

class LineCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->setText(QStringLiteral("user text")); }

    // Puts the marked text in and places caret or selection.
    void set(const std::string &marked)
    {
        std::string text;
        int from = -1;
        int to = -1;
        for (char c : marked) {
            if (c == '|' || c == '[')
                from = int(text.size());
            else if (c == ']')
                to = int(text.size());
            else
                text += c;
        }
        memo->SetWholeText(text);
        memo->SetCaret(from);
        memo->SetSelectionLength(to < 0 ? 0 : to - from);
    }

    // The text with the caret marked, or the selection bracketed.
    std::string marked() const
    {
        std::string text = memo->WholeText();
        const int start = memo->SelectionStart();
        const int length = memo->SelectionLength();
        if (length == 0)
            return text.insert(size_t(start), "|");
        text.insert(size_t(start + length), "]");
        return text.insert(size_t(start), "[");
    }

    void run(Command c) { (lines.*c)(); }

    std::unique_ptr<QtEditControl> memo = makeBufferEditControl();
    ClipboardStash stash;
    LineCommands lines{*memo, stash};
};

struct Case {
    Command command;
    const char *before;
    const char *after;
};

TEST_F(LineCommandsTest, CommandsOnTextsWithAndWithoutAFinalBreak)
{
    const Case cases[] = {
        {&LineCommands::DeleteLine, "a\r\n|b\r\nc", "a\r\n|c"},
        {&LineCommands::DeleteLine, "a\r\nb|", "a\r\n|"}, // the break before it stays
        {&LineCommands::DeleteLine, "|", "|"},
        {&LineCommands::InsertLine, "ab|cd", "ab|\r\ncd"},
        {&LineCommands::InsertLine, "a[bc]d", "a|\r\nd"},
        {&LineCommands::MoveLineUp, "a\r\nb|\r\nc", "|b\r\na\r\nc"},
        {&LineCommands::MoveLineUp, "a|\r\nb", "a|\r\nb"},
        {&LineCommands::MoveLineUp, "a\r\nb\r\n|", "a\r\n|\r\nb\r\n"}, // an empty line moves up
        {&LineCommands::MoveLineUp, "a\r\nb|", "|b\r\na"},             // swapped, never glued
        {&LineCommands::MoveLineDown, "|a\r\nb\r\nc", "b\r\n|a\r\nc"},
        {&LineCommands::MoveLineDown, "|a\r\nb", "b\r\n|a"},
        {&LineCommands::MoveLineDown, "a\r\n|b\r\n", "a\r\n|b\r\n"},
        {&LineCommands::MoveLineDown, "a\r\nb\r\n|", "a\r\nb\r\n|"},
        {&LineCommands::MoveLineDown, "a\r\n|b", "a\r\n|b"},
        {&LineCommands::RepeatLine, "a|\r\nb", "|a\r\na\r\nb"},
        {&LineCommands::RepeatLine, "a\r\nb|", "a\r\n|b\r\nb"}, // the copy on a line of its own
        {&LineCommands::RepeatLine, "|ab", "|ab\r\nab"},
        {&LineCommands::RepeatLine, "a\r\n|", "a\r\n|"},
        {&LineCommands::DelToWord, "|foo_bar, baz", "|baz"},
        {&LineCommands::DelToWord, "f[o]o  \r\n\r\n\t9x", "f|9x"},
        {&LineCommands::DelToWord, "ab|", "ab|"},
        {&LineCommands::Delete, "a|\r\nb", "a|b"}, // the whole break in one step
        {&LineCommands::Delete, "a|\xE9\r\n", "a|\r\n"},
        {&LineCommands::Delete, "ab|", "ab|"},
        {&LineCommands::Delete, "[ab]\r\n", "|\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.before)));
        set(c.before);
        run(c.command);
        EXPECT_EQ(marked(), c.after);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("user text"));
    }
}

// A copy the program made comes back with its exact bytes, NUL included.
TEST_F(LineCommandsTest, TheProgramsOwnCopyComesBackWhole)
{
    set(std::string("[a\0b]\r\nc\r\nd", 11));
    memo->CopySelection();
    for (Command c : {&LineCommands::MoveLineDown, &LineCommands::MoveLineUp, &LineCommands::RepeatLine})
        run(c);
    memo->SetCaret(0);
    memo->PasteClipboard();
    EXPECT_EQ(memo->LineText(0), std::string("a\0ba\0b", 6));
}

// With nothing or an image on the clipboard the line is left there as text.
TEST_F(LineCommandsTest, ClipboardWithoutTextKeepsTheLastLineMoved)
{
    const auto empty = [] { QGuiApplication::clipboard()->clear(); };
    const auto image = [] { QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32)); };
    for (const auto &prepare : {std::function<void()>(empty), std::function<void()>(image)}) {
        for (Command c : {&LineCommands::MoveLineUp, &LineCommands::MoveLineDown, &LineCommands::RepeatLine}) {
            set("a\r\n|b\r\nc");
            prepare();
            run(c);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("b\n"));
        }
    }
}

TEST_F(LineCommandsTest, MovesForgetUndoAndUndoRemovesARepeat)
{
    for (Command c : {&LineCommands::MoveLineUp, &LineCommands::MoveLineDown}) {
        set("a\r\n|b\r\nc");
        memo->PasteClipboard(); // something to undo
        run(c);
        EXPECT_FALSE(memo->UndoAvailable());
    }
    for (const char *text : {"a\r\n|b\r\nc", "a\r\nb|", "|b"}) {
        set(text);
        const std::string before = memo->WholeText();
        lines.RepeatLine();
        memo->UndoLast();
        EXPECT_EQ(memo->WholeText(), before);
    }
}

TEST_F(LineCommandsTest, NothingChangesInAReadOnlyControl)
{
    for (Command c : {&LineCommands::Cut, &LineCommands::Paste, &LineCommands::Delete, &LineCommands::DeleteLine,
                      &LineCommands::InsertLine, &LineCommands::MoveLineUp, &LineCommands::MoveLineDown,
                      &LineCommands::RepeatLine, &LineCommands::DelToWord}) {
        set("a\r\n[b]\r\nc");
        memo->SetReadOnly(true);
        run(c);
        EXPECT_EQ(marked(), "a\r\n[b]\r\nc");
        memo->SetReadOnly(false);
    }
}

struct KeyCase {
    const char *before;
    char key;
    bool insertMode;
    bool autoIndent;
    const char *after; // once the key, unless dropped, has gone in
};

TEST_F(LineCommandsTest, OverwriteAndAutoIndent)
{
    const KeyCase cases[] = {
        {"a|bc", 'x', true, false, "ax|bc"},
        {"a|bc", 'x', false, false, "ax|c"},
        {"ab|\r\ncd", 'x', false, false, "abx|\r\ncd"}, // a line break is never overwritten
        {"a|bc", '\xE9', false, false, "a\xE9|bc"},
        {"a|bc", '\t', false, false, "a\t|bc"},
        {"a[bc]d", 'x', false, false, "ax|d"},
        {"\t\tx|", '\r', true, true, "\t\tx\r\n\t\t|"},
        {"\t|\tx", '\r', true, true, "\t\r\n\t|\tx"},
        {"  a[bc]d", '\r', false, true, "  a\r\n  |d"},
        {"\tx|", '\r', true, false, "\tx\r\n|"},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.before)));
        set(c.before);
        char key = c.key;
        lines.KeyPress(key, c.insertMode, c.autoIndent);
        if (key == '\r')
            memo->ReplaceSelection("\r\n");
        else if (key != 0)
            memo->ReplaceSelection(std::string(1, key));
        EXPECT_EQ(marked(), c.after);
    }
}

// With word wrap on, the display lines of a wrapped line stay together.
TEST_F(LineCommandsTest, WrappedLinesAreWholeLines)
{
    memo->widget()->resize(160, 200);
    memo->widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(memo->widget()));
    memo->SetWordWrap(true);
    std::string words;
    for (int i = 0; i < 12; ++i)
        words += "word" + std::to_string(i) + " ";
    const std::string para = words + std::string(80, 'x') + " tail"; // the x's wrap mid-word
    const std::string text = "top\r\n" + para + "\r\nend";
    const struct {
        Command command;
        std::string after;
    } cases[] = {
        {&LineCommands::MoveLineUp, para + "\r\ntop\r\nend"},
        {&LineCommands::MoveLineDown, "top\r\nend\r\n" + para},
        {&LineCommands::RepeatLine, "top\r\n" + para + "\r\n" + para + "\r\nend"},
        {&LineCommands::DeleteLine, "top\r\nend"},
    };
    for (const auto &c : cases) {
        memo->SetWholeText(text);
        ASSERT_GT(memo->LineCount(), 4);
        const int third = memo->LineStart(3); // inside the wrapped line
        memo->SetCaret(third + 1);
        run(c.command);
        EXPECT_EQ(memo->WholeText(), c.after);
    }
    // Del just after a wrap takes one character; Ctrl+T runs over wraps.
    memo->SetWholeText(text);
    memo->SetCaret(memo->LineStart(2));
    lines.Delete();
    EXPECT_EQ(memo->TextLength(), int(text.size()) - 1);
    memo->SetWholeText(text);
    memo->SetCaret(int(5 + words.size()));
    lines.DelToWord();
    EXPECT_EQ(memo->WholeText(), "top\r\n" + words + "tail\r\nend");
}

} // namespace
