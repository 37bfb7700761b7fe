// An edit control reading its bytes as UTF-8: what the user types, moves
// over, deletes, copies and pastes is whole characters, and no byte is ever
// changed by reading it so.
#include "editor/editaccessible.h"
#include "editor/editview.h"
#include "editor/filesave.h"
#include "editor/fontchars.h"
#include "editor/qteditcontrol.h"
#include "editor/textconvert.h"
#include "editor/textmimedata.h"
#include "util/textstore.h"
#include "util/utf8.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace verno;

namespace {

const std::string kAcute = "\xCC\x81";      // combining acute accent
const std::string kZhe = "\xD0\x96";        // Ж
const std::string kEmoji = "\xF0\x9F\x98\x80";

class Utf8ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctl = makeBufferEditControl();
        view = qobject_cast<EditView *>(ctl->widget());
        ASSERT_TRUE(view);
        view->resize(400, 200);
        view->show();
        ctl->SetUtf8(true);
    }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, k, mods);
        QCoreApplication::sendEvent(view, &press);
    }
    void type(const std::string &utf8)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromStdString(utf8));
        QCoreApplication::sendEvent(view, &press);
    }
    int start() const { return ctl->SelectionStart(); }
    int end() const { return ctl->SelectionStart() + ctl->SelectionLength(); }

    std::unique_ptr<QtEditControl> ctl;
    EditView *view = nullptr;
};

// --- the oracle: where the caret may stand in expected bytes ---------------------

bool startsWithMark(const std::string &s) { return utf8::startsWithBom(s); }

bool isStop(const std::string &s, int p)
{
    if (p > 0 && p < int(s.size()) && s[size_t(p - 1)] == '\r')
        return false;
    if (startsWithMark(s) && p < 3)
        return false;
    return utf8::isUnitStart(utf8::StringBytes{s}, size_t(p));
}

int nextStop(const std::string &s, int p)
{
    if (p >= int(s.size()))
        return p;
    return s[size_t(p)] == '\r' ? p + 2 : int(utf8::nextUnit(utf8::StringBytes{s}, size_t(p)));
}

int previousStop(const std::string &s, int p)
{
    if (p >= 2 && s[size_t(p - 1)] == '\n')
        return p - 2;
    const int q = int(utf8::previousUnit(utf8::StringBytes{s}, size_t(p)));
    return startsWithMark(s) && q < 3 ? p : q;
}

// Texts are made of every kind of valid and broken sequence.
const std::vector<std::string> kPieces = {
    "a", "Zy", " ", "\t", "\r\n", "\r", "\n", kZhe, "\xC3\xA9", "\xE4\xB8\xAD", kEmoji, kAcute,
    "e" + kAcute, "\xE2\x80\x8D", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
    "\x80", "\xBF", "\xFF", "\xC3", "\xE4\xB8", "\xF0\x9F\x98", std::string(1, '\0'), "word",
};
// What a user can type: whole characters only.
const std::vector<std::string> kTyped = {"a", " ", "\xC3\xA9", kZhe, "\xE4\xB8\xAD", kEmoji, kAcute};

std::string randomBytes(std::mt19937 &rng, const std::vector<std::string> &pieces, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += pieces[rng() % pieces.size()];
    return s;
}

} // namespace

// Random texts through random moves, typing, deleting, replacing, clipboard
// round trips, undo and saves: the caret and selection never stand inside a
// character, and the text always holds exactly the bytes expected.
TEST_F(Utf8ViewTest, RandomEditingKeepsEveryByteAndWholeCharacters)
{
    std::mt19937 rng(20240607);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    for (int round = 0; round < 30; ++round) {
        const std::string initial = (round % 5 == 0 ? std::string(utf8::kBom) : std::string())
                                    + randomBytes(rng, kPieces, int(rng() % 30));
        ASSERT_TRUE(ctl->SetWholeText(initial));
        std::string expected = TextStore::normalizeBreaks(initial);
        std::vector<std::string> undoable{expected}; // texts Undo may lead back to
        for (int step = 0; step < 60; ++step) {
            const int s = start(), e = end();
            const int length = int(expected.size());
            const int op = int(rng() % 11);
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step << " op " << op << " text "
                                            << testing::PrintToString(expected));
            bool undoableChange = true;
            switch (op) {
            case 0: { // keys that move
                const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
                const Qt::KeyboardModifiers mods = (rng() % 2 ? Qt::ShiftModifier : Qt::NoModifier)
                                                   | (rng() % 3 == 0 ? Qt::ControlModifier : Qt::NoModifier);
                key(keys[rng() % 4], mods);
                break;
            }
            case 1: // the contract's positions, anywhere
                ctl->SetCaret(int(rng() % unsigned(length + 1)));
                ctl->SetSelectionLength(int(rng() % 5) - 1);
                break;
            case 2: { // typing
                const std::string typed = kTyped[rng() % kTyped.size()];
                type(typed);
                expected.replace(size_t(s), size_t(e - s), typed);
                break;
            }
            case 3: // Backspace
                key(Qt::Key_Backspace);
                if (s != e)
                    expected.erase(size_t(s), size_t(e - s));
                else
                    expected.erase(size_t(previousStop(expected, s)), size_t(s - previousStop(expected, s)));
                break;
            case 4: // Delete
                key(Qt::Key_Delete);
                expected.erase(size_t(s), size_t((s != e ? e : nextStop(expected, s)) - s));
                break;
            case 5: { // a word at once: what went must end and begin between characters
                key(rng() % 2 ? Qt::Key_Backspace : Qt::Key_Delete, Qt::ControlModifier);
                const std::string now = ctl->WholeText();
                const int gone = length - int(now.size());
                bool found = gone == 0;
                for (int at = 0; !found && at + gone <= length; ++at)
                    found = isStop(expected, at) && isStop(expected, at + gone)
                            && expected.substr(0, size_t(at)) + expected.substr(size_t(at + gone)) == now;
                ASSERT_TRUE(found);
                expected = now;
                break;
            }
            case 6: { // a command replaces the selection with any bytes
                const std::string bytes = randomBytes(rng, kPieces, 2);
                ctl->ReplaceSelection(bytes);
                expected.replace(size_t(s), size_t(e - s), TextStore::normalizeBreaks(bytes));
                undoableChange = false;
                break;
            }
            case 7: { // copy and paste elsewhere: the program's own bytes come back exactly
                if (s == e)
                    break;
                ctl->CopySelection();
                const std::string copied = expected.substr(size_t(s), size_t(e - s));
                const QMimeData *data = QGuiApplication::clipboard()->mimeData();
                ASSERT_TRUE(data);
                EXPECT_EQ(data->text(), utf8ToDisplay(copied)); // others get characters
                ctl->SetCaret(int(rng() % unsigned(length + 1)));
                ctl->SetSelectionLength(0);
                const int at = start();
                ctl->PasteClipboard();
                expected.insert(size_t(at), copied);
                break;
            }
            case 8: // cut
                ctl->CutSelection();
                expected.erase(size_t(s), size_t(e - s));
                break;
            case 9: { // undo leads back to a text there was
                ctl->UndoLast();
                const auto it = std::find(undoable.rbegin(), undoable.rend(), ctl->WholeText());
                ASSERT_NE(it, undoable.rend());
                expected = *it;
                undoable.erase(it.base(), undoable.end());
                undoableChange = false;
                break;
            }
            case 10: { // saved bytes are the text's bytes
                std::string keep;
                QString error;
                ASSERT_TRUE(saveWholeFile(path, ctl->TextPieces(keep), false, error)) << error.toStdString();
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::ReadOnly));
                EXPECT_EQ(f.readAll().toStdString(), expected);
                break;
            }
            }
            ASSERT_EQ(ctl->WholeText(), expected);
            ASSERT_TRUE(isStop(expected, start())) << "start " << start();
            ASSERT_TRUE(isStop(expected, end())) << "end " << end();
            if (!undoableChange && op == 6)
                undoable = {expected};
            else if (undoable.back() != expected)
                undoable.push_back(expected);
        }
    }
}

// Arrows, Backspace and Delete step over a character with its marks at once;
// a byte in no valid sequence is a character of its own.
TEST_F(Utf8ViewTest, KeysStepOverWholeCharacters)
{
    // a | Ж | e + acute | emoji | 0xFF | b: characters start at 0 1 3 6 10 11 12.
    const std::string text = "a" + kZhe + "e" + kAcute + kEmoji + "\xFF" "b";
    ASSERT_TRUE(ctl->SetWholeText(text));
    const std::vector<int> stops = {0, 1, 3, 6, 10, 11, 12};
    for (size_t i = 1; i < stops.size(); ++i) {
        key(Qt::Key_Right);
        EXPECT_EQ(start(), stops[i]);
    }
    for (size_t i = stops.size() - 1; i-- > 0;) {
        key(Qt::Key_Left);
        EXPECT_EQ(start(), stops[i]);
    }
    ctl->SetCaret(8); // inside the emoji: back to its start
    EXPECT_EQ(start(), 6);
    ctl->SetSelectionLength(1); // one byte selects the whole character
    EXPECT_EQ(end(), 10);
    ctl->SetCaret(6);
    key(Qt::Key_Backspace);
    EXPECT_EQ(ctl->WholeText(), "a" + kZhe + kEmoji + "\xFF" "b");
    key(Qt::Key_Delete);
    EXPECT_EQ(ctl->WholeText(), "a" + kZhe + "\xFF" "b");
    key(Qt::Key_Delete);
    EXPECT_EQ(ctl->WholeText(), "a" + kZhe + "b");
}

// Typed and composed text goes in as UTF-8; a single-byte text still takes
// one byte a character, and "?" for one it has no code for.
TEST_F(Utf8ViewTest, TypedCharactersGoInInTheTextsCode)
{
    struct Case {
        bool utf8;
        const char *typed;
        std::string bytes;
    } cases[] = {
        {true, "\u00E9", "\xC3\xA9"},
        {true, "\u0416", kZhe},
        {true, "\U0001F600", kEmoji},
        {true, "e\u0301", "e" + kAcute},
        {false, "\u00E9", "\xE9"},
        {false, "\u0416", "?"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        ctl->SetUtf8(c.utf8);
        ctl->ClearText();
        type(c.typed);
        EXPECT_EQ(ctl->WholeText(), c.bytes);
        ctl->ClearText();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(c.typed));
        QCoreApplication::sendEvent(view, &commit);
        EXPECT_EQ(ctl->WholeText(), c.bytes);
    }
}

// Other programs get characters, an invalid byte as U+FFFD; the program's own
// format brings every byte back into a UTF-8 text, and the characters into
// a single-byte one.
TEST_F(Utf8ViewTest, ClipboardHandsOutCharactersAndKeepsTheBytesForItself)
{
    const std::string bytes = kZhe + "\xFF\xC3\xA9\r\nx";
    ASSERT_TRUE(ctl->SetWholeText(bytes));
    ctl->SelectAllText();
    ctl->CopySelection();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), QString::fromUtf8("\u0416\uFFFD\u00E9\nx"));
    EXPECT_EQ(data->data(kTextBytesMimeType).toStdString(), "utf-8\n" + bytes);

    auto other = makeBufferEditControl();
    other->SetUtf8(true);
    other->PasteClipboard();
    EXPECT_EQ(other->WholeText(), bytes);
    other->SetUtf8(false);
    other->ClearText();
    other->PasteClipboard();
    EXPECT_EQ(other->WholeText(), "?\?\xE9\r\nx");

    // From another program: characters only.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\u0416\u00E9"));
    ctl->SetCaret(0);
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText().substr(0, 4), kZhe + "\xC3\xA9");

    // A NUL is a character of both codes: it crosses as a NUL either way.
    const std::string nul("a\0\xE9", 3);
    other->SetUtf8(false);
    ASSERT_TRUE(other->SetWholeText(nul));
    other->SelectAllText();
    other->CopySelection();
    ASSERT_TRUE(ctl->SetWholeText({}));
    ctl->PasteClipboard();
    EXPECT_EQ(ctl->WholeText(), std::string("a\0\xC3\xA9", 4));
    ctl->SelectAllText();
    ctl->CopySelection();
    other->ClearText();
    other->PasteClipboard();
    EXPECT_EQ(other->WholeText(), nul);
}

// Offsets stay byte positions: a character of several bytes reads as itself
// and invisible word joiners, an invalid byte as U+FFFD.
TEST_F(Utf8ViewTest, ScreenReadersGetCharactersAtBytePositions)
{
    ASSERT_TRUE(ctl->SetWholeText("a" + kZhe + kEmoji + "\xFF"));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(a && a->textInterface());
    QAccessibleTextInterface *t = a->textInterface();
    EXPECT_EQ(t->characterCount(), 8);
    EXPECT_EQ(t->text(0, 8), QString::fromUtf8("a\u0416\u2060\U0001F600\u2060\u2060\uFFFD"));
    EXPECT_EQ(t->text(2, 3), QString::fromUtf8("\u2060"));
    int from = -1, to = -1;
    EXPECT_EQ(t->textAtOffset(2, QAccessible::CharBoundary, &from, &to), QString::fromUtf8("\u0416\u2060"));
    EXPECT_EQ(std::pair(from, to), std::pair(1, 3));
}

// Turning UTF-8 over changes no byte and not the modified flag, and a caret
// inside a character moves out of it.
TEST_F(Utf8ViewTest, TurningUtf8OverKeepsTheBytes)
{
    const std::string bytes = "x" + kZhe + "y";
    ctl->SetUtf8(false);
    ASSERT_TRUE(ctl->SetWholeText(bytes));
    ctl->SetModifiedFlag(true);
    ctl->SetCaret(2);
    ctl->SetUtf8(true);
    EXPECT_EQ(ctl->WholeText(), bytes);
    EXPECT_TRUE(ctl->ModifiedFlag());
    EXPECT_EQ(start(), 1);
    EXPECT_EQ(ctl->CharacterCount(0, 4), 3);
    ctl->SetUtf8(false);
    EXPECT_EQ(ctl->CharacterCount(0, 4), 4);
    EXPECT_EQ(ctl->WholeText(), bytes);
}

// A mark from a fallback font would sit beside its letter: a letter with a
// mark that has a composed form is drawn as that one glyph.
TEST(FontChars, MarksWithAComposedFormAreDrawnComposed)
{
    FontChars chars(QFont(QStringLiteral("Courier New")));
    for (const std::string &unit : {"e" + kAcute, std::string("A\xCC\x8A")}) {
        SCOPED_TRACE(unit);
        qsizetype glyphs = 0;
        for (const QGlyphRun &run : chars.shape(unit).runs)
            glyphs += run.glyphIndexes().size();
        EXPECT_EQ(glyphs, 1);
    }
}
