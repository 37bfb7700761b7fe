// UTF-8 windows in the program: which files open as UTF-8, the menu items
// and the preference that choose it, and the commands that meet characters.
#include "app/frametest.h"
#include "dialogs/inschardialog.h"

#include <QFile>

using namespace verno;
using verno::test::FrameTest;

namespace {

const QByteArray kZhe = "\xD0\x96";

class Utf8FrameTest : public FrameTest {
protected:
    // Alt+I in the active window with the cell chosen.
    void insertCharacter(int code)
    {
        prompter.dialogActions.push_back([=, this](QDialog &) {
            frame->insCharDialog().SelectCell(code / 16, code % 16);
            frame->insCharDialog().accept();
        });
        frame->EditInsCharClick();
    }
    void typeIn(TFileWindow *w, const QString &text)
    {
        focusMemo(w);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(w->Memo().widget(), &press);
        }
    }
};

} // namespace

// Valid UTF-8 with a character past ASCII, or a byte-order mark, opens as
// UTF-8; every other file one byte a character (ASCII and new windows as
// preferred); and what is saved is every byte that was read.
TEST_F(Utf8FrameTest, WhatEachKindOfFileOpensAs)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        bool preferUtf8;
        bool utf8;
    } cases[] = {
        {"ascii", "plain text\r\n", false, false},
        {"ascii, UTF-8 preferred", "plain text\r\n", true, true},
        {"windows-1252", "Gr\xFC\xDF" "e aus K\xF6ln", false, false},
        {"windows-1252, UTF-8 preferred", "Gr\xFC\xDF" "e", true, false},
        {"utf-8", "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln", false, true},
        {"utf-8 with a mark", "\xEF\xBB\xBF" "mark", false, true},
        {"invalid utf-8", "Gr\xC3\xBC\xC3" "e", false, false},
        {"cut short at the end", "caf\xC3", false, false},
        {"empty, UTF-8 preferred", "", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        frame->settings().NewWindowsUtf8 = c.preferUtf8;
        TFileWindow *w = openFile(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('_')), c.bytes);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->Memo().Utf8(), c.utf8);
        w->Memo().SetModifiedFlag(true);
        ASSERT_TRUE(w->Save());
        QFile saved(w->FilePath());
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll(), c.bytes);
        w->close();
    }
    for (bool prefer : {false, true}) {
        frame->settings().NewWindowsUtf8 = prefer;
        EXPECT_EQ(openUntitled("")->Memo().Utf8(), prefer);
    }
}

// The Options item and the context menu item show the window's choice and
// turn it over; no byte changes and the modified flag stays as it was.
TEST_F(Utf8FrameTest, MenuItemsTurnTheWindowsChoiceOver)
{
    TFileWindow *w = openFile(QStringLiteral("a.txt"), "x" + kZhe);
    ASSERT_TRUE(w->Memo().Utf8());
    bothPasses();
    EXPECT_TRUE(item(QStringLiteral("MnuOptUtf8"))->isChecked());
    item(QStringLiteral("MnuOptUtf8"))->trigger();
    EXPECT_FALSE(w->Memo().Utf8());
    EXPECT_FALSE(w->Memo().ModifiedFlag());
    EXPECT_EQ(w->Memo().WholeText(), ("x" + kZhe).toStdString());
    bothPasses();
    EXPECT_FALSE(item(QStringLiteral("MnuOptUtf8"))->isChecked());
    w->MnuPopup()->popup({0, 0}); // the menu pass checks its items
    w->MnuPopup()->hide();
    EXPECT_FALSE(popupItem(QStringLiteral("PopUtf8"))->isChecked());
    popupItem(QStringLiteral("PopUtf8"))->trigger();
    EXPECT_TRUE(w->Memo().Utf8());
}

// The status panel's column counts characters in a UTF-8 window.
TEST_F(Utf8FrameTest, ColumnCountsCharacters)
{
    TFileWindow *w = openFile(QStringLiteral("c.txt"), "ab\r\n" + kZhe + "\xC3\xA9" "e\xCC\x81z");
    w->Memo().SetCaret(w->Memo().LineStart(1) + 7);
    statusPass();
    EXPECT_EQ(panel(QStringLiteral("PnlStatusCurPos")), QStringLiteral("2;3"));
    w->OptUtf8Click();
    statusPass();
    EXPECT_EQ(panel(QStringLiteral("PnlStatusCurPos")), QStringLiteral("2;7"));
}

// Typing over a character replaces all of it; Insert Character puts in the
// character its cell shows, as UTF-8.
TEST_F(Utf8FrameTest, OverwriteAndInsertCharacterTakeWholeCharacters)
{
    TFileWindow *w = openFile(QStringLiteral("o.txt"), kZhe + "ab");
    EditControl &m = w->Memo();
    m.SetCaret(0);
    frame->InsertClick(); // overwrite
    typeIn(w, QStringLiteral("x\u00E9"));
    EXPECT_EQ(m.WholeText(), "x\xC3\xA9" "b");
    frame->InsertClick();
    insertCharacter(0xE9); // é
    insertCharacter(0x80); // €
    insertCharacter('A');
    EXPECT_EQ(m.WholeText(), "x\xC3\xA9\xC3\xA9\xE2\x82\xAC" "Ab");
}

// Lines moved through the clipboard and files pasted in keep every byte,
// bytes in no valid sequence too.
TEST_F(Utf8FrameTest, TextThroughTheClipboardKeepsEveryByte)
{
    const QByteArray other = kZhe + "\xFF\xC3" "\r\n";
    TFileWindow *w = openFile(QStringLiteral("m.txt"), kZhe + "first\r\n" + other);
    EditControl &m = w->Memo();
    m.SetCaret(m.LineStart(1));
    frame->MoveLineUpClick();
    EXPECT_EQ(m.WholeText(), (other + kZhe + "first\r\n").toStdString());
    const QString inserted = dir.filePath(QStringLiteral("in.txt"));
    test::writeBytes(inserted, "\xE2\x82\xAC\xFE");
    prompter.answerFile(inserted);
    m.SetCaret(0);
    frame->EditPasteFromClick();
    EXPECT_EQ(m.WholeText().substr(0, 4), "\xE2\x82\xAC\xFE");
}
