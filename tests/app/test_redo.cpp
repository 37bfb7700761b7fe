#include "frametest.h"

#include <QClipboard>
#include <functional>

using namespace verno;
using verno::test::FrameTest;

namespace {

// Every kind of step Undo takes back comes again with Redo, by the keys.
TEST_F(FrameTest, RedoPutsBackEachKindOfUndoneStep)
{
    struct Case {
        const char *label;
        std::function<void(TFileWindow &)> act;
        std::string after;
    };
    const auto select = [this](TFileWindow &w, int start, int length) {
        w.Memo().SetCaret(start);
        w.Memo().SetSelectionLength(length);
        statusPass();
    };
    const Case cases[] = {
        {"typing", [](TFileWindow &) { press(Qt::Key_A), press(Qt::Key_B); }, "abone\r\ntwo"},
        {"backspaces", [](TFileWindow &w) { w.Memo().SetCaret(3), press(Qt::Key_Backspace), press(Qt::Key_Backspace); },
         "o\r\ntwo"},
        {"delete line", [](TFileWindow &) { press(Qt::CTRL | Qt::Key_Y); }, "two"},
        {"repeat line", [](TFileWindow &) { press(Qt::CTRL | Qt::Key_Backslash); }, "one\r\none\r\ntwo"},
        {"cut", [&](TFileWindow &w) { select(w, 0, 2), press(Qt::CTRL | Qt::Key_X); }, "e\r\ntwo"},
        {"paste", [](TFileWindow &w) {
             QGuiApplication::clipboard()->setText("XY");
             w.Memo().SetCaret(5), press(Qt::CTRL | Qt::Key_V);
         }, "one\r\nXYtwo"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        TFileWindow *w = openUntitled("one\r\ntwo");
        focusMemo(w);
        statusPass(); // as at idle time: the keys' items are enabled
        c.act(*w);
        ASSERT_EQ(w->Memo().WholeText(), c.after);
        statusPass();
        EXPECT_FALSE(item("MnuEditRedo")->isEnabled());
        press(Qt::CTRL | Qt::Key_Z);
        ASSERT_EQ(w->Memo().WholeText(), "one\r\ntwo");
        bothPasses();
        EXPECT_TRUE(item("MnuEditRedo")->isEnabled());
        EXPECT_TRUE(popupItem("PopRedo")->isEnabled());
        press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        EXPECT_EQ(w->Memo().WholeText(), c.after);
        // Undone again and then edited: nothing is left to redo.
        frame->EditUndoClick();
        press(Qt::Key_Q);
        statusPass();
        EXPECT_FALSE(item("MnuEditRedo")->isEnabled());
        const std::string edited = w->Memo().WholeText();
        frame->EditRedoClick();
        EXPECT_EQ(w->Memo().WholeText(), edited);
        w->Memo().SetModifiedFlag(false);
        w->close();
    }
}

TEST_F(FrameTest, RedoDoesNothingInAReadOnlyWindow)
{
    TFileWindow *w = openFile("a", "text");
    focusMemo(w);
    press(Qt::Key_X);
    statusPass();
    press(Qt::CTRL | Qt::Key_Z);
    ASSERT_EQ(w->Memo().WholeText(), "text");
    w->SetReadOnly(true);
    statusPass();
    EXPECT_FALSE(item("MnuEditRedo")->isEnabled());
    frame->EditRedoClick();
    EXPECT_EQ(w->Memo().WholeText(), "text");
}

} // namespace
