// Contract tests for every edit control: each implementation is added to the
// instantiations at the bottom and must pass the same suite.
#include "editor/qteditcontrol.h"
#include "util/bytechars.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <tuple>
#include <vector>

using namespace verno;

namespace {

struct ControlKind {
    const char *name;
    std::unique_ptr<QtEditControl> (*make)();
};

void PrintTo(const ControlKind &kind, std::ostream *os) { *os << kind.name; }

std::unique_ptr<QtEditControl> makePlainText() { return makePlainTextEditControl(); }
std::unique_ptr<QtEditControl> makeBuffer() { return makeBufferEditControl(); }

const ControlKind kKinds[] = {{"PlainText", makePlainText}, {"Buffer", makeBuffer}};

QClipboard *clipboard() { return QGuiApplication::clipboard(); }

std::string words(int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += (i ? " word" : "word") + std::to_string(i);
    return s;
}

// A shown control of a fixed size, so wrapping happens where the tests want it
// and short test lines never wrap.
class ControlHarness {
protected:
    std::unique_ptr<QtEditControl> ctl;

    void create(const ControlKind &kind)
    {
        ctl = kind.make();
        ASSERT_TRUE(ctl);
        ctl->widget()->resize(300, 200);
        ctl->widget()->show();
        QCoreApplication::processEvents();
    }

    // QTest::keyClicks cannot carry characters beyond Latin-1, so those go as
    // key events with their text, one code point each.
    void type(const QString &s)
    {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar ch = s.at(i);
            if (ch.unicode() < 0x80) {
                QTest::keyClick(ctl->widget(), char(ch.unicode()));
                continue;
            }
            const qsizetype n = ch.isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, ctl->widget(), Qt::Key_unknown, s.mid(i, n), Qt::NoModifier);
            i += n - 1;
        }
    }

    void select(int start, int length)
    {
        ctl->SetCaret(start);
        ctl->SetSelectionLength(length);
    }
};

// Everything here must hold with word wrap off and on.
class EditControlContract : public ControlHarness,
                            public ::testing::TestWithParam<std::tuple<ControlKind, bool>> {
protected:
    void SetUp() override
    {
        create(std::get<0>(GetParam()));
        ctl->SetWordWrap(std::get<1>(GetParam()));
        QCoreApplication::processEvents();
    }
};

class EditControlKind : public ControlHarness, public ::testing::TestWithParam<ControlKind> {
protected:
    void SetUp() override { create(GetParam()); }
};

TEST_P(EditControlContract, LinesAndPositionsFollowTheTextShape)
{
    struct Shape {
        const char *label;
        std::string text;
        int lineCount;
        std::vector<int> starts; // every line start, an empty last line included
    };
    const Shape shapes[] = {
        {"empty", "", 0, {0}},
        {"one line", "abc", 1, {0}},
        {"no final break", "ab\r\ncd", 2, {0, 4}},
        {"final break", "ab\r\ncd\r\n", 2, {0, 4, 8}},
        {"only a break", "\r\n", 1, {0, 2}},
        {"empty lines", "\r\n\r\nx", 3, {0, 2, 4}},
    };
    for (const Shape &s : shapes) {
        SCOPED_TRACE(s.label);
        ASSERT_TRUE(ctl->SetWholeText(s.text));
        const int len = int(s.text.size());
        const int lines = int(s.starts.size());
        auto lineLen = [&](int k) { return (k + 1 < lines ? s.starts[k + 1] - 2 : len) - s.starts[k]; };
        EXPECT_EQ(ctl->WholeText(), s.text);
        EXPECT_EQ(ctl->TextLength(), len);
        EXPECT_EQ(ctl->HasText(), len > 0);
        EXPECT_EQ(ctl->LineCount(), s.lineCount);
        for (int k = 0; k < lines; ++k) {
            EXPECT_EQ(ctl->LineStart(k), s.starts[k]) << "line " << k;
            EXPECT_EQ(ctl->LineText(k), s.text.substr(s.starts[k], lineLen(k))) << "line " << k;
        }
        EXPECT_EQ(ctl->LineStart(lines), -1);
        EXPECT_EQ(ctl->LineStart(lines + 7), -1);
        EXPECT_EQ(ctl->LineText(lines), "");
        // Both halves of a break belong to the line it ends.
        for (int p = 0; p <= len; ++p) {
            const int k = int(std::upper_bound(s.starts.begin(), s.starts.end(), p) - s.starts.begin()) - 1;
            EXPECT_EQ(ctl->LineOf(p), k) << "position " << p;
            EXPECT_EQ(ctl->LineLength(p), lineLen(k)) << "position " << p;
        }
    }
}

TEST_P(EditControlContract, CaretLineAndUnselectedLengthFollowTheSelection)
{
    ASSERT_TRUE(ctl->SetWholeText("abcd\r\nefgh\r\nij"));
    struct Case {
        int start, length, caretLineStart, lineLength;
    };
    const Case cases[] = {
        {7, 0, 6, 4},   // caret only: its line
        {12, 0, 12, 2}, // last line
        {1, 2, 0, 2},   // inside one line: "ad" left
        {2, 6, 6, 4},   // across a break: "ab" + "gh"
        {2, 11, 12, 3}, // a whole line inside: "ab" + "" + "j"
        {0, 14, 12, 0}, // everything
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "selection " << c.start << "+" << c.length);
        select(c.start, c.length);
        EXPECT_EQ(ctl->LineStart(-1), c.caretLineStart);
        EXPECT_EQ(ctl->LineLength(-1), c.lineLength);
    }
}

TEST_P(EditControlContract, SelectionOperations)
{
    const std::string text = "hello world";
    ASSERT_TRUE(ctl->SetWholeText(text));
    const int cases[][4] = {// caret, length asked, start, length got
                            {0, 5, 0, 5}, {6, -1, 6, 5}, {6, 100, 6, 5}, {11, 3, 11, 0}, {3, 0, 3, 0}, {100, 0, 11, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "caret " << c[0] << " length " << c[1]);
        select(c[0], c[1]);
        EXPECT_EQ(ctl->SelectionStart(), c[2]);
        EXPECT_EQ(ctl->SelectionLength(), c[3]);
        EXPECT_EQ(ctl->SelectedText(100), text.substr(c[2], c[3]));
    }
    select(2, 3);
    ctl->SetCaret(-1);
    EXPECT_EQ(ctl->SelectionStart(), 5);
    EXPECT_EQ(ctl->SelectionLength(), 0);
    ctl->SetCaret(-1);
    EXPECT_EQ(ctl->SelectionStart(), 5);

    ctl->SelectAllText();
    EXPECT_EQ(ctl->SelectionStart(), 0);
    EXPECT_EQ(ctl->SelectionLength(), 11);
    for (int max : {0, 1, 4, 11, 12, 1000})
        EXPECT_EQ(ctl->SelectedText(max), text.substr(0, std::max(0, max - 1))) << "max " << max;

    // Positions count both halves of a break.
    ASSERT_TRUE(ctl->SetWholeText("ab\r\ncd"));
    select(1, 4);
    EXPECT_EQ(ctl->SelectedText(10), "b\r\nc");
    EXPECT_FALSE(ctl->ModifiedFlag()) << "selecting is no change";
}

TEST_P(EditControlContract, EveryByteButBreaksSurvivesUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all += char(b);
        if (b % 32 == 31)
            all += "\r\n";
    }
    all += '\0'; // a NUL at both ends
    ASSERT_TRUE(ctl->SetWholeText(all));
    EXPECT_EQ(ctl->WholeText(), all);
    EXPECT_EQ(ctl->TextLength(), int(all.size()));
    EXPECT_EQ(ctl->LineText(0).substr(0, 3), std::string("\0\x01\x02", 3));
    ctl->SelectAllText();
    EXPECT_EQ(ctl->SelectedText(int(all.size()) + 1), all);

    // Through the clipboard and back.
    ctl->CopySelection();
    ctl->ClearText();
    EXPECT_EQ(ctl->TextLength(), 0);
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), all);
}

TEST_P(EditControlContract, TypedCharactersBecomeSingleBytes)
{
    const std::pair<QString, std::string> cases[] = {
        {"abc", "abc"},          {QString::fromUtf8("é"), "\xE9"}, {QString::fromUtf8("€"), "\x80"},
        {QString::fromUtf8("ÿ"), "\xFF"}, {QString::fromUtf8("Ж"), "?"}, {QString::fromUtf8("中x"), "?x"},
        {"a\rb", "a\r\nb"},      {"\t", "\t"},
        {QString::fromUtf8("\U0001F600"), "?"}, {QString::fromUtf8("\u00AD"), "\xAD"},
    };
    // Whether a key-press handler is set must not change what goes in.
    for (bool withHandler : {false, true}) {
        ctl->SetOnKeyPress(withHandler ? EditControl::KeyPressHandler([](char &) {}) : nullptr);
        for (const auto &[typed, bytes] : cases) {
            SCOPED_TRACE(testing::Message() << typed.toStdString() << (withHandler ? " handler" : ""));
            ASSERT_TRUE(ctl->SetWholeText("[]"));
            ctl->SetCaret(1);
            type(typed);
            EXPECT_EQ(ctl->WholeText(), "[" + bytes + "]");
            EXPECT_EQ(ctl->SelectionStart(), 1 + int(bytes.size()));
            EXPECT_TRUE(ctl->ModifiedFlag());
            // The control holds the byte, not the character typed: the copy shows it.
            QString shown;
            for (char b : bytes)
                shown += QChar(ByteToChar(static_cast<unsigned char>(b)));
            select(1, int(bytes.size()));
            ctl->CopySelection();
            EXPECT_EQ(clipboard()->text().replace("\r\n", "\n").toStdString(),
                      shown.replace("\r\n", "\n").toStdString());
            EXPECT_TRUE(ctl->UndoAvailable());
            if (!typed.contains('\r')) { // how a typed break splits undo steps is left open
                ctl->UndoLast();
                EXPECT_EQ(ctl->WholeText(), "[]");
            }
        }
    }
}

TEST_P(EditControlContract, KeyPressHandlerSeesTypedBytesOnly)
{
    const std::tuple<const char *, std::function<void(char &)>, std::string> cases[] = {
        {"cab", [](char &k) { if (k == 'a') k = 'b'; }, "cbb"},
        {"axbx", [](char &k) { if (k == 'x') k = 0; }, "ab"},
        {"e", [](char &k) { if (k == 'e') k = '\xE9'; }, "\xE9"},
        // Keys with their own action act as the character they became.
        {"a\r\t\b", [](char &k) { k = k == '\r' ? 'x' : k == '\t' ? 'y' : k == '\b' ? 'z' : k; }, "axyz"},
    };
    for (const auto &[typed, handler, expect] : cases) {
        SCOPED_TRACE(typed);
        ASSERT_TRUE(ctl->SetWholeText(""));
        ctl->SetOnKeyPress(handler);
        type(typed);
        EXPECT_EQ(ctl->WholeText(), expect);
    }

    std::string seen;
    ctl->SetOnKeyPress([&](char &k) { seen += k; k = 0; });
    ASSERT_TRUE(ctl->SetWholeText(""));
    type(QString::fromUtf8("aé€"));
    EXPECT_EQ(seen, "a\xE9\x80");
    EXPECT_EQ(ctl->WholeText(), "");
    // Operations are not typing: the handler stays out of them.
    seen.clear();
    ctl->ReplaceSelection("xy");
    clipboard()->setText("zw");
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), "xyzw");
    EXPECT_EQ(seen, "");
}

// Nothing goes in that would be saved differently from how it shows.
TEST_P(EditControlContract, EveryBreakKeyAndSeparatorGivesCrLf)
{
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Return, Qt::ShiftModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_Enter, Qt::KeypadModifier | Qt::ShiftModifier},
    };
    for (const auto &[key, mods] : keys) {
        SCOPED_TRACE(testing::Message() << key << " " << mods);
        ASSERT_TRUE(ctl->SetWholeText("ab"));
        ctl->SetCaret(1);
        QTest::keyClick(ctl->widget(), key, mods);
        EXPECT_EQ(ctl->WholeText(), "a\r\nb");
        EXPECT_EQ(ctl->LineCount(), 2);
    }
    ASSERT_TRUE(ctl->SetWholeText(""));
    clipboard()->setText(QString::fromUtf8("a\u2028b\u2029c"));
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), "a\r\nb\r\nc");
}

// Files dragged onto the text are the frame's to open, never text to insert.
TEST_P(EditControlContract, DraggedFilesAreNotTakenAsText)
{
    ASSERT_TRUE(ctl->SetWholeText("ab"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/some file.txt"))});
    data.setText(QStringLiteral("file:///tmp/some file.txt"));
    QWidget *target = ctl->widget();
    if (auto *area = qobject_cast<QAbstractScrollArea *>(target))
        target = area->viewport();
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    EXPECT_EQ(ctl->WholeText(), "ab");
}

TEST_P(EditControlContract, ReplacementsMakeCrLfBreaks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"x\r\ny", "ax\r\nyd"}, {"x\ny", "ax\r\nyd"}, {"\n\n", "a\r\n\r\nd"}, {"", "ad"}, {"xyz", "axyzd"},
    };
    for (const auto &[given, expect] : cases) {
        SCOPED_TRACE(given);
        ASSERT_TRUE(ctl->SetWholeText("abcd"));
        select(1, 2);
        ctl->ReplaceSelection(given);
        EXPECT_EQ(ctl->WholeText(), expect);
        EXPECT_EQ(ctl->SelectionStart(), int(expect.size()) - 1) << "caret after the inserted text";
        EXPECT_EQ(ctl->SelectionLength(), 0);
        EXPECT_TRUE(ctl->ModifiedFlag());
    }
    const std::tuple<int, std::string, std::string> lines[] = {
        {0, "", "\r\ncd\r\nef"}, {1, "XYZ", "ab\r\nXYZ\r\nef"}, {2, "Q", "ab\r\ncd\r\nQ"}};
    for (const auto &[line, s, expect] : lines) {
        ASSERT_TRUE(ctl->SetWholeText("ab\r\ncd\r\nef"));
        ctl->SetLineText(line, s);
        EXPECT_EQ(ctl->WholeText(), expect) << "SetLineText " << line;
        EXPECT_TRUE(ctl->ModifiedFlag());
    }
}

TEST_P(EditControlContract, OneUndoStepForTheUsersOwnEdits)
{
    struct Case {
        const char *label;
        std::function<void()> act;
        bool undoable;
        std::string after;
    };
    const Case cases[] = {
        {"typing", [&] { ctl->SetCaret(5); type("abc"); }, true, "helloabc world!"},
        {"delete", [&] { select(0, 6); ctl->DeleteSelection(); }, true, "world!"},
        {"cut", [&] { select(0, 6); ctl->CutSelection(); }, true, "world!"},
        {"paste", [&] { clipboard()->setText("XY"); ctl->SetCaret(5); ctl->PasteClipboard(); }, true,
         "helloXY world!"},
        {"paste over", [&] { clipboard()->setText("bye"); select(0, 5); ctl->PasteClipboard(); }, true,
         "bye world!"},
        {"replace selection", [&] { select(0, 5); ctl->ReplaceSelection("Z"); }, false, "Z world!"},
        {"forget undo", [&] { ctl->ForgetUndo(); }, false, "hello world!"},
        {"set whole text", [&] { ctl->SetWholeText("new"); }, false, "new"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(ctl->SetWholeText("hello world"));
        EXPECT_FALSE(ctl->UndoAvailable());
        ctl->SetCaret(11);
        type("!"); // an older step that a non-undoable change must not leave behind
        const std::string before = ctl->WholeText();
        c.act();
        EXPECT_EQ(ctl->WholeText(), c.after);
        EXPECT_EQ(ctl->UndoAvailable(), c.undoable);
        ctl->UndoLast();
        EXPECT_EQ(ctl->WholeText(), c.undoable ? before : c.after);
        EXPECT_EQ(ctl->RedoAvailable(), c.undoable);
        ctl->RedoLast();
        EXPECT_EQ(ctl->WholeText(), c.after);
        EXPECT_FALSE(ctl->RedoAvailable());
    }
    ctl->SetCaret(2);
    ctl->SetModifiedFlag(true);
    ASSERT_TRUE(ctl->SetWholeText("fresh"));
    EXPECT_FALSE(ctl->ModifiedFlag());
    EXPECT_EQ(ctl->SelectionStart(), 0);
    EXPECT_EQ(ctl->SelectionLength(), 0);
}

TEST_P(EditControlContract, ModifiedFlagOnlyForChanges)
{
    ASSERT_TRUE(ctl->SetWholeText("abc\r\ndef"));
    const std::pair<const char *, std::function<void()>> noChanges[] = {
        {"caret", [&] { ctl->SetCaret(2); }},
        {"select", [&] { select(1, 4); }},
        {"select all", [&] { ctl->SelectAllText(); }},
        {"copy", [&] { select(0, 2); ctl->CopySelection(); }},
        {"empty delete", [&] { ctl->SetCaret(1); ctl->DeleteSelection(); }},
        {"empty cut", [&] { ctl->SetCaret(1); ctl->CutSelection(); }},
        {"paste without text", [&] { clipboard()->clear(); ctl->PasteClipboard(); }},
        {"word wrap", [&] { ctl->SetWordWrap(!ctl->WordWrap()); ctl->SetWordWrap(!ctl->WordWrap()); }},
        {"read only", [&] { ctl->SetReadOnly(true); ctl->SetReadOnly(false); }},
    };
    for (const auto &[label, act] : noChanges) {
        act();
        EXPECT_FALSE(ctl->ModifiedFlag()) << label;
        EXPECT_FALSE(ctl->UndoAvailable()) << label;
        EXPECT_EQ(ctl->WholeText(), "abc\r\ndef") << label;
    }
    ctl->SetModifiedFlag(true);
    EXPECT_TRUE(ctl->ModifiedFlag());
    ctl->SetModifiedFlag(false);
    EXPECT_FALSE(ctl->ModifiedFlag());
    ctl->SetCaret(3);
    type("x");
    EXPECT_TRUE(ctl->ModifiedFlag());
}

TEST_P(EditControlContract, ReadOnlyStopsTypingOnly)
{
    ASSERT_TRUE(ctl->SetWholeText("abc"));
    ctl->SetReadOnly(true);
    EXPECT_TRUE(ctl->ReadOnly());
    ctl->SetCaret(1);
    type("xyz");
    EXPECT_EQ(ctl->WholeText(), "abc");
    EXPECT_FALSE(ctl->ModifiedFlag());

    ctl->ReplaceSelection("R");
    ctl->SetLineText(0, ctl->LineText(0) + "L");
    EXPECT_EQ(ctl->WholeText(), "aRbcL");
    select(0, 2);
    ctl->CopySelection();
    EXPECT_EQ(clipboard()->text(), "aR");

    ctl->SetReadOnly(false);
    EXPECT_FALSE(ctl->ReadOnly());
    ctl->SetCaret(0);
    type("t");
    EXPECT_EQ(ctl->WholeText(), "taRbcL");
}

TEST_P(EditControlContract, ClipboardCarriesPlainText)
{
    ASSERT_TRUE(ctl->SetWholeText("ab\r\nc\xE9\x80"));
    select(1, 6);
    ctl->CopySelection();
    EXPECT_EQ(clipboard()->text().replace("\r\n", "\n"), QString::fromUtf8("b\nc\u00E9\u20AC"));

    // Empty selection: the clipboard is left alone.
    clipboard()->setText("keep");
    ctl->SetCaret(2);
    ctl->CopySelection();
    ctl->CutSelection();
    EXPECT_EQ(clipboard()->text(), "keep");

    select(0, 2);
    ctl->CutSelection();
    EXPECT_EQ(clipboard()->text(), "ab");
    EXPECT_EQ(ctl->WholeText(), "\r\nc\xE9\x80");

    // Beside the text, the program's own copies carry the exact bytes.
    EXPECT_EQ(clipboard()->mimeData()->data("application/x-verno-bytes"), "windows-1252\nab");

    // Text from other programs is read as characters: the NUL symbol too.
    const std::pair<QString, std::string> pastes[] = {
        {"one\ntwo", "one\r\ntwo"}, {"one\r\ntwo", "one\r\ntwo"}, {QString::fromUtf8("é€Ж"), "\xE9\x80?"},
        {QString::fromUtf8("a\u2400b"), "a?b"}};
    for (const auto &[text, bytes] : pastes) {
        SCOPED_TRACE(text.toStdString());
        ASSERT_TRUE(ctl->SetWholeText("[]"));
        ctl->SetCaret(1);
        clipboard()->setText(text);
        ctl->PasteClipboard();
        EXPECT_EQ(ctl->WholeText(), "[" + bytes + "]");
        EXPECT_EQ(ctl->SelectionStart(), 1 + int(bytes.size()));
    }

    // Bytes in another code are not this text's: their characters go in.
    auto *foreign = new QMimeData;
    foreign->setText(QString::fromUtf8("\u00E9"));
    foreign->setData("application/x-verno-bytes", "utf-8\n\xC3\xA9");
    clipboard()->setMimeData(foreign);
    ASSERT_TRUE(ctl->SetWholeText(""));
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), "\xE9");

    // Something on the clipboard that is not text.
    auto *data = new QMimeData;
    data->setData("application/x-verno-test", "xyz");
    clipboard()->setMimeData(data);
    ASSERT_TRUE(ctl->SetWholeText("[]"));
    ctl->SetCaret(1);
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), "[]");
    EXPECT_FALSE(ctl->ModifiedFlag());
}

TEST_P(EditControlContract, MillionCharacterLine)
{
    const int n = 1'000'000;
    std::string line;
    while (int(line.size()) < n)
        line += "abcdefg ";
    line.resize(n);
    line.back() = 'Z';
    // How long this takes is measured by make bench, not here.
    {
        ASSERT_TRUE(ctl->SetWholeText(line));
        QCoreApplication::processEvents();
        EXPECT_EQ(ctl->TextLength(), n);
        const int last = ctl->LineCount() - 1;
        EXPECT_EQ(ctl->LineOf(0), 0);
        EXPECT_EQ(ctl->LineOf(n - 1), last);
        EXPECT_EQ(ctl->LineOf(n), last);
        EXPECT_EQ(ctl->LineStart(last) + ctl->LineLength(n - 1), n);
        EXPECT_EQ(ctl->LineStart(last + 1), -1);
        if (!ctl->WordWrap()) {
            EXPECT_EQ(last, 0);
            EXPECT_EQ(ctl->LineLength(n - 1), n);
        }
        select(n - 5, -1);
        EXPECT_EQ(ctl->SelectionStart(), n - 5);
        EXPECT_EQ(ctl->SelectionLength(), 5);
        EXPECT_EQ(ctl->SelectedText(10), line.substr(n - 5));
    }
    ctl->ReplaceSelection("!");
    EXPECT_EQ(ctl->TextLength(), n - 4);
    EXPECT_EQ(ctl->LineOf(n - 5), ctl->LineCount() - 1);
}

TEST_P(EditControlContract, StatusQueriesStayRightOnLargeTexts)
{
    const int lines = 200'000;
    std::string text;
    text.reserve(lines * 14);
    for (int i = 0; i < lines; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(ctl->SetWholeText(text));
    QCoreApplication::processEvents();
    const int caret = ctl->LineStart(180'000) + 3;
    ctl->SetCaret(caret);
    ASSERT_EQ(ctl->LineOf(ctl->SelectionStart()), 180'000);
    ASSERT_EQ(ctl->LineStart(-1), caret - 3);

    // With word wrap, line counts far down are made exact a bounded slice per
    // query; every answer on the way must already be right. (Their cost is
    // measured by make bench.)
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(ctl->LineOf(ctl->SelectionStart()), 180'000);

    long long sink = 0;
    const std::pair<const char *, std::function<long long()>> queries[] = {
        {"SelectionStart", [&] { return ctl->SelectionStart(); }},
        {"SelectionLength", [&] { return ctl->SelectionLength(); }},
        {"LineOf", [&] { return ctl->LineOf(ctl->SelectionStart()); }},
        {"LineStart caret", [&] { return ctl->LineStart(-1); }},
        {"LineStart line", [&] { return ctl->LineStart(180'000); }},
        {"TextLength", [&] { return ctl->TextLength(); }},
        {"ModifiedFlag", [&] { return ctl->ModifiedFlag(); }},
        {"UndoAvailable", [&] { return ctl->UndoAvailable(); }},
        {"HasText", [&] { return ctl->HasText(); }},
    };
    for (const auto &[name, query] : queries)
        sink += query();
    EXPECT_NE(sink, 0);

    // The status pass runs after every key.
    for (int i = 0; i < 100; ++i) {
        ctl->SetCaret(ctl->LineStart(180'000 + i));
        type("x");
        for (const auto &[name, query] : queries)
            sink += query();
        ASSERT_EQ(ctl->LineOf(ctl->SelectionStart()), 180'000 + i);
    }
    EXPECT_EQ(ctl->LineOf(ctl->SelectionStart()), 180'099);
    EXPECT_EQ(ctl->LineText(180'099), "xline 180099");
}

TEST_P(EditControlKind, FreshControlIsEmptyAndPlain)
{
    EXPECT_FALSE(ctl->WordWrap());
    EXPECT_FALSE(ctl->ReadOnly());
    EXPECT_FALSE(ctl->ModifiedFlag());
    EXPECT_FALSE(ctl->UndoAvailable());
    EXPECT_FALSE(ctl->HasText());
    EXPECT_EQ(ctl->LineCount(), 0);
    EXPECT_EQ(ctl->LineStart(0), 0);
    EXPECT_EQ(ctl->LineStart(1), -1);
}

// The display lines must tile the text: a wrap adds nothing, a break adds CR LF.
void expectDisplayLinesTileText(const EditControl &ctl)
{
    const std::string text = ctl.WholeText();
    const int count = ctl.LineCount();
    int expectStart = 0;
    for (int k = 0; k < count; ++k) {
        SCOPED_TRACE(testing::Message() << "display line " << k);
        const int s = ctl.LineStart(k);
        ASSERT_EQ(s, expectStart);
        const int len = ctl.LineLength(s);
        ASSERT_GE(len, 0);
        EXPECT_EQ(ctl.LineText(k), text.substr(s, len));
        EXPECT_EQ(ctl.LineOf(s), k);
        if (len > 0) {
            EXPECT_EQ(ctl.LineOf(s + len - 1), k);
        }
        expectStart = s + len + (text.compare(s + len, 2, "\r\n") == 0 ? 2 : 0);
    }
    EXPECT_EQ(expectStart, int(text.size()));
    EXPECT_EQ(ctl.LineStart(count), -1);
}

TEST_P(EditControlKind, WrappedLinesAreDisplayLines)
{
    const int para = int(words(200).size());
    ASSERT_TRUE(ctl->SetWholeText(words(200) + "\r\nshort\r\n" + words(200)));
    EXPECT_EQ(ctl->LineCount(), 3);
    ctl->SetWordWrap(true);
    QCoreApplication::processEvents();
    ASSERT_GT(ctl->LineCount(), 5);
    EXPECT_GT(ctl->LineOf(para - 1), 1) << "the first paragraph wraps";
    expectDisplayLinesTileText(*ctl);

    const int mid = ctl->LineStart(4) + 2;
    ctl->SetCaret(mid);
    EXPECT_EQ(ctl->LineStart(-1), ctl->LineStart(4));
    EXPECT_EQ(ctl->LineLength(-1), ctl->LineLength(mid));

    // Line numbers must follow every change of width, font and text.
    QFont big = ctl->font();
    big.setPointSize(big.pointSize() * 2);
    const std::tuple<const char *, std::function<void()>, bool> steps[] = {
        {"wider", [&] { ctl->widget()->resize(600, 200); }, false},
        {"bigger font", [&] { ctl->setFont(big); }, true},
        {"words inserted", [&] { ctl->SetCaret(10); ctl->ReplaceSelection(words(100) + " "); }, true},
        {"words typed", [&] { ctl->SetCaret(para); type(QString::fromStdString(" " + words(30))); }, true},
        {"lines joined", [&] { select(200, int(ctl->WholeText().find("\r\n")) + 4 - 200); ctl->DeleteSelection(); },
         false},
    };
    for (const auto &[label, act, more] : steps) {
        SCOPED_TRACE(label);
        const int before = ctl->LineCount();
        act();
        QCoreApplication::processEvents();
        const int after = ctl->LineCount();
        EXPECT_TRUE(more ? after > before : after < before) << before << " -> " << after;
        expectDisplayLinesTileText(*ctl);
    }

    ctl->SetWordWrap(false);
    EXPECT_EQ(ctl->LineCount(), 2);
}

TEST_P(EditControlKind, ChangingWordWrapKeepsTextSelectionAndFlag)
{
    const std::string text = words(150) + "\r\nend";
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        ASSERT_TRUE(ctl->SetWholeText(text));
        select(100, 50);
        ctl->SetModifiedFlag(modified);
        for (bool wrap : {true, false}) {
            ctl->SetWordWrap(wrap);
            QCoreApplication::processEvents();
            EXPECT_EQ(ctl->WordWrap(), wrap);
            EXPECT_EQ(ctl->WholeText(), text);
            EXPECT_EQ(ctl->SelectionStart(), 100);
            EXPECT_EQ(ctl->SelectionLength(), 50);
            EXPECT_EQ(ctl->ModifiedFlag(), modified);
        }
    }
}

std::string contractName(const testing::TestParamInfo<std::tuple<ControlKind, bool>> &info)
{
    return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_Wrap" : "_NoWrap");
}

INSTANTIATE_TEST_SUITE_P(All, EditControlContract, testing::Combine(testing::ValuesIn(kKinds), testing::Bool()),
                         contractName);
INSTANTIATE_TEST_SUITE_P(All, EditControlKind, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<ControlKind> &info) { return std::string(info.param.name); });

} // namespace
