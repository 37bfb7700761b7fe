// The program's own edit view as a user and a screen reader meet it: keys,
// mouse, drops, input methods and the accessibility interfaces.
#include "editor/bytefont.h"
#include "editor/editaccessible.h"
#include "editor/editview.h"
#include "editor/qteditcontrol.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace verno;

namespace {

class EditViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ctl = makeBufferEditControl();
        view = qobject_cast<EditView *>(ctl->widget());
        ASSERT_TRUE(view);
        view->resize(400, 200);
        view->show();
        QApplication::setActiveWindow(view);
        view->setFocus();
        QCoreApplication::processEvents();
    }
    void TearDown() override { setFrameKeys({}); }

    QPoint pointOf(int pos) const
    {
        return view->characterRect(pos).center() - view->viewport()->pos() - QPoint(view->characterRect(pos).width() / 2 - 1, 0);
    }
    int start() const { return ctl->SelectionStart(); }
    int end() const { return ctl->SelectionStart() + ctl->SelectionLength(); }

    std::unique_ptr<QtEditControl> ctl;
    EditView *view = nullptr;
};

TEST_F(EditViewTest, KeysMoveAndSelect)
{
    // Lines start at 0, 22, 29 and 48; the text ends at 51.
    ASSERT_TRUE(ctl->SetWholeText("alpha beta_2 (gamma)\r\nshort\r\nanother long line\r\nend"));
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int anchor, caret;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::ControlModifier, 6, 6},     // to "beta_2"
        {Qt::Key_Right, Qt::ControlModifier, 13, 13},    // over it and the blank
        {Qt::Key_Right, Qt::ControlModifier, 14, 14},    // "(" is a word of its own
        {Qt::Key_Left, Qt::ControlModifier, 13, 13},
        {Qt::Key_Down, Qt::NoModifier, 27, 27},          // short line: its end
        {Qt::Key_Down, Qt::NoModifier, 42, 42},          // the column comes back
        {Qt::Key_Up, Qt::ShiftModifier, 42, 27},
        {Qt::Key_Right, Qt::NoModifier, 42, 42},         // an arrow ends the selection at its side
        {Qt::Key_Home, Qt::NoModifier, 29, 29},
        {Qt::Key_Left, Qt::NoModifier, 27, 27},          // a CR LF is one step
        {Qt::Key_Right, Qt::NoModifier, 29, 29},
        {Qt::Key_End, Qt::ShiftModifier, 29, 46},
        {Qt::Key_End, Qt::ControlModifier, 51, 51},
        {Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier, 51, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 51, 51},
    };
    ctl->SetCaret(0);
    for (const Step &s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << s.key << " mods " << s.mods);
        QTest::keyClick(view, s.key, s.mods);
        EXPECT_EQ(view->model().anchor(), s.anchor);
        EXPECT_EQ(view->model().caret(), s.caret);
    }
    EXPECT_FALSE(ctl->ModifiedFlag());
}

TEST_F(EditViewTest, EditingKeysAndTheirUndo)
{
    ASSERT_TRUE(ctl->SetWholeText("ab\r\ncd"));
    ctl->SetCaret(4);
    QTest::keyClick(view, Qt::Key_Backspace); // joins the lines: the break goes whole
    EXPECT_EQ(ctl->WholeText(), "abcd");
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(ctl->WholeText(), "abd");
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_EQ(ctl->WholeText(), "ab\td");
    EXPECT_TRUE(view->hasFocus()) << "Tab stays in the text";
    QTest::keyClick(view, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(ctl->WholeText(), "d");
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl->WholeText(), "ab\td");
    // Ctrl+Delete takes what Ctrl+Right passes over, in one step.
    ctl->SetCaret(1);
    QTest::keyClick(view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ctl->WholeText(), "ad");
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl->WholeText(), "ab\td");

    // Keys the frame's menus claim do nothing here, even without a menu.
    setFrameKeys({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::Key_Delete)});
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(ctl->WholeText(), "ab\td");

    // A viewer moves and selects but changes nothing.
    ctl->SetReadOnly(true);
    QApplication::clipboard()->setText("clip");
    for (Qt::Key key : {Qt::Key_X, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Backspace})
        QTest::keyClick(view, key);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(ctl->WholeText(), "ab\td");
    EXPECT_EQ(ctl->SelectionLength(), 3);

    // Shift+F10 opens the context menu, as the Menu key does.
    QMenu menu;
    menu.addAction(QStringLiteral("Close"));
    ctl->setContextMenu(&menu);
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    ctl->setContextMenu(nullptr);
}

// Up and Down keep their column only across a run of vertical moves: after
// typing, or a selection the program set, they start from the caret.
TEST_F(EditViewTest, UpAndDownStartFromTheCaretAfterOtherChanges)
{
    ASSERT_TRUE(ctl->SetWholeText("0123456789\r\n0123456789\r\n0123456789\r\n0123456789"));
    ctl->SetCaret(2);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClicks(view, "000");
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(ctl->SelectionStart(), ctl->LineStart(2) + 5);
    ctl->SetCaret(ctl->LineStart(0) + 8);
    ctl->SetSelectionLength(0);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(ctl->SelectionStart(), ctl->LineStart(1) + 8);
}

// A wrap point is both the end of one display line and the start of the
// next: End and a click past a line's end leave the caret on the upper one.
TEST_F(EditViewTest, CaretAtAWrapStaysOnTheLineItWasPutOn)
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "word" + std::to_string(i) + " ";
    ASSERT_TRUE(ctl->SetWholeText(text));
    ctl->SetWordWrap(true);
    ASSERT_GT(ctl->LineCount(), 3);
    const int wrap1 = ctl->LineStart(1), wrap2 = ctl->LineStart(2);
    const int row0 = view->characterRect(0).top(), row1 = view->characterRect(wrap1).top();
    ctl->SetCaret(0);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(ctl->SelectionStart(), wrap1);
    EXPECT_EQ(view->caretRect().top(), row0);
    QTest::keyClick(view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(ctl->SelectionStart(), 0);
    EXPECT_EQ(ctl->SelectionLength(), wrap1);

    const QPoint pastEnd(view->viewport()->width() - 2, row1 - view->viewport()->y() + 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, pastEnd, 1000);
    EXPECT_EQ(ctl->SelectionStart(), wrap2);
    EXPECT_EQ(view->caretRect().top(), row1);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->caretRect().top(), view->characterRect(wrap2).top()) << "moving on leaves the end";
}

TEST_F(EditViewTest, ACaretInSightStaysInSightWhenLinesWrapAnew)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + " with enough words to wrap more than once in a window that is only four hundred pixels wide\r\n";
    ASSERT_TRUE(ctl->SetWholeText(text));
    ctl->SetCaret(ctl->LineStart(150));
    QTest::keyClick(view, Qt::Key_Right);
    QCoreApplication::processEvents();
    const auto inSight = [&] { return view->viewport()->geometry().contains(view->caretRect().center()); };
    ASSERT_TRUE(inSight());
    ctl->SetWordWrap(true);
    EXPECT_TRUE(inSight()) << "wrap on";
    ctl->SetWordWrap(false);
    EXPECT_TRUE(inSight()) << "wrap off";
    QFont f = view->font();
    f.setPointSize(f.pointSize() * 2);
    view->setFont(f);
    EXPECT_TRUE(inSight()) << "larger font";
}

TEST_F(EditViewTest, MouseClicksDragsAndDrops)
{
    ASSERT_TRUE(ctl->SetWholeText("one two three\r\nfour five"));
    QWidget *vp = view->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, {}, pointOf(5));
    EXPECT_EQ(start(), 5);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, pointOf(20));
    EXPECT_EQ(start(), 5);
    EXPECT_EQ(end(), 20);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, pointOf(9));
    EXPECT_EQ(ctl->SelectedText(100), "three");

    // Pressing, moving and releasing selects.
    QTest::mousePress(vp, Qt::LeftButton, {}, pointOf(1), 1000);
    QMouseEvent move(QEvent::MouseMove, pointOf(17), vp->mapToGlobal(pointOf(17)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, pointOf(17), 1100);
    EXPECT_EQ(start(), 1);
    EXPECT_EQ(end(), 17);

    // Text dropped from elsewhere goes in where it falls, selected.
    QMimeData data;
    data.setText("NEW\n");
    QDragEnterEvent enter(pointOf(4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(pointOf(4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &drop);
    EXPECT_EQ(ctl->WholeText(), "one NEW\r\ntwo three\r\nfour five");
    EXPECT_EQ(ctl->SelectedText(100), "NEW\r\n");
    ctl->UndoLast();
    EXPECT_EQ(ctl->WholeText(), "one two three\r\nfour five");
}

// Dragging a selection with the mouse: Qt's drag loop is replaced by one
// that drops at a given place of a given view.
TEST_F(EditViewTest, DraggedTextLandsWhereDroppedAndOneUndoTakesItBack)
{
    // "~" stands for a NUL byte, which only the program's own format carries.
    const auto bytes = [](std::string s) {
        std::replace(s.begin(), s.end(), '~', '\0');
        return s;
    };
    const std::string text = bytes("one two~three four\r\nfive six"); // the break at 18, length 28
    const std::string other = "12345";
    struct Case {
        const char *label;
        int from, to;    // dragged
        bool otherView;  // dropped into a second window
        int at;          // where it falls
        Qt::KeyboardModifiers mods;
        const char *source, *target; // the texts after the drop
    };
    const Case cases[] = {
        {"to the start", 14, 18, false, 0, {}, "fourone two~three \r\nfive six", nullptr},
        {"to a later place", 0, 3, false, 13, {}, " two~threeone four\r\nfive six", nullptr},
        {"a line and its break to the end", 0, 20, false, 28, {}, "five sixone two~three four\r\n", nullptr},
        {"up a line", 20, 24, false, 4, {}, "one fivetwo~three four\r\n six", nullptr},
        {"onto itself", 4, 13, false, 8, {}, "one two~three four\r\nfive six", nullptr},
        {"onto its own end", 4, 13, false, 13, {}, "one two~three four\r\nfive six", nullptr},
        {"copied with Ctrl", 4, 7, false, 0, Qt::ControlModifier, "twoone two~three four\r\nfive six", nullptr},
        {"to another window", 4, 13, true, 2, {}, "one  four\r\nfive six", "12two~three345"},
        {"copied to another window", 0, 3, true, 5, Qt::ControlModifier, "one two~three four\r\nfive six", "12345one"},
    };
    auto second = makeBufferEditControl();
    auto *otherView = qobject_cast<EditView *>(second->widget());
    otherView->resize(400, 200);
    otherView->show();
    const auto pointIn = [](EditView *v, int pos) {
        const QRect r = v->characterRect(pos);
        return QPoint(r.left() + 1, r.center().y()) - v->viewport()->pos();
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(ctl->SetWholeText(text));
        ASSERT_TRUE(second->SetWholeText(other));
        EditView *target = c.otherView ? otherView : view;
        EditView::setDragRunner([&](QDrag &drag, Qt::DropActions actions, Qt::DropAction) {
            const QPoint at = pointIn(target, c.at);
            QWidget *vp = target->viewport();
            QDragEnterEvent enter(at, actions, drag.mimeData(), Qt::LeftButton, c.mods);
            QCoreApplication::sendEvent(vp, &enter);
            QDragMoveEvent move(at, actions, drag.mimeData(), Qt::LeftButton, c.mods);
            QCoreApplication::sendEvent(vp, &move);
            QDropEvent drop(at, actions, drag.mimeData(), Qt::LeftButton, c.mods);
            QCoreApplication::sendEvent(vp, &drop);
            return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
        });
        ctl->SetCaret(c.from);
        ctl->SetSelectionLength(c.to - c.from);
        QWidget *vp = view->viewport();
        const QPoint press = pointIn(view, c.from);
        const QPoint away = press + QPoint(0, 3 * QApplication::startDragDistance());
        QTest::mousePress(vp, Qt::LeftButton, {}, press, 1000);
        QMouseEvent move(QEvent::MouseMove, away, vp->mapToGlobal(away), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(vp, &move);
        EditView::setDragRunner(nullptr);

        EXPECT_EQ(ctl->WholeText(), bytes(c.source));
        EXPECT_EQ(second->WholeText(), c.target ? bytes(c.target) : other);
        EditControl &dropped = c.otherView ? *second : *ctl;
        const bool changed = dropped.WholeText() != (c.otherView ? other : text);
        if (changed) {
            EXPECT_EQ(dropped.SelectedText(100), text.substr(size_t(c.from), size_t(c.to - c.from)));
        }
        dropped.UndoLast();
        EXPECT_EQ(second->WholeText(), other);
        if (c.otherView)
            ctl->UndoLast(); // each window undoes its own part
        EXPECT_EQ(ctl->WholeText(), text);
    }
}

// The font's underline and strikeout show as lines across the text, blanks
// included: below the baseline and above it.
TEST_F(EditViewTest, UnderlineAndStrikeoutAreDrawn)
{
    ASSERT_TRUE(ctl->SetWholeText("ab   cd")); // no glyph spans the blanks
    view->clearFocus();                    // and no caret
    // Rows of the line dark all across the text, from the baseline (down positive).
    const auto fullRows = [&](bool underline, bool strikeOut) {
        QFont font = view->font();
        font.setUnderline(underline);
        font.setStrikeOut(strikeOut);
        view->setFont(font);
        const QRect first = view->characterRect(0).translated(-view->viewport()->pos());
        const QRect last = view->characterRect(6).translated(-view->viewport()->pos());
        const double baseline = first.top() + view->byteFont().ascent();
        const QImage image = view->viewport()->grab().toImage();
        std::vector<double> rows;
        for (int y = first.top(); y <= first.bottom(); ++y) {
            bool full = true;
            for (int x = first.left() + 1; x < last.right() && full; ++x)
                full = qGray(image.pixel(x, y)) < 128;
            if (full)
                rows.push_back(y + 0.5 - baseline);
        }
        return rows;
    };
    EXPECT_TRUE(fullRows(false, false).empty());
    const std::vector<double> under = fullRows(true, false);
    ASSERT_FALSE(under.empty());
    EXPECT_GT(under.front(), 0);
    const std::vector<double> struck = fullRows(false, true);
    ASSERT_FALSE(struck.empty());
    EXPECT_LT(struck.back(), 0);
}

TEST_F(EditViewTest, InputMethodsCommitThroughTheKeyHook)
{
    ASSERT_TRUE(ctl->SetWholeText("[]"));
    ctl->SetCaret(1);
    std::string seen;
    ctl->SetOnKeyPress([&](char &k) { seen += k; });
    QInputMethodEvent compose(QStringLiteral("\u00B4"), {});
    QCoreApplication::sendEvent(view, &compose);
    EXPECT_EQ(ctl->WholeText(), "[]") << "text still being composed is not in the text";
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("e\u0301中")); // é as a letter and its accent
    QCoreApplication::sendEvent(view, &commit);
    EXPECT_EQ(ctl->WholeText(), "[\xE9?]");
    EXPECT_EQ(seen, "\xE9?");
    const QWidget *w = view;
    EXPECT_EQ(w->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
    EXPECT_TRUE(w->inputMethodQuery(Qt::ImCursorRectangle).toRect().isValid());
}

QAccessibleTextInterface *textOf(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->textInterface() : nullptr;
}

TEST_F(EditViewTest, ScreenReadersReadAndFollowTheText)
{
    ASSERT_TRUE(ctl->SetWholeText(std::string("first line\r\nsecond\r\n\0x", 22)));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->role(), QAccessible::EditableText);
    EXPECT_TRUE(a->state().multiLine);
    QAccessibleTextInterface *t = textOf(view);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->characterCount(), 22);
    EXPECT_EQ(t->text(0, 5), "first");
    EXPECT_EQ(t->text(18, 22), QString::fromUtf8("\r\n\u2400x")) << "one character per position, NUL visible";

    struct Unit {
        QAccessible::TextBoundaryType type;
        int offset;
        const char *at, *before, *after;
    };
    const Unit units[] = {
        {QAccessible::CharBoundary, 2, "r", "i", "s"},
        {QAccessible::WordBoundary, 7, "line", " ", "\r\n"},
        {QAccessible::LineBoundary, 14, "second\r\n", "first line\r\n", "\u2400x"},
        {QAccessible::ParagraphBoundary, 0, "first line\r\n", "", "second\r\n"},
    };
    for (const Unit &u : units) {
        SCOPED_TRACE(testing::Message() << "boundary " << u.type);
        int s = -1, e = -1;
        EXPECT_EQ(t->textAtOffset(u.offset, u.type, &s, &e), QString::fromUtf8(u.at));
        EXPECT_EQ(t->text(s, e), QString::fromUtf8(u.at));
        EXPECT_EQ(t->textBeforeOffset(u.offset, u.type, &s, &e), QString::fromUtf8(u.before));
        EXPECT_EQ(t->textAfterOffset(u.offset, u.type, &s, &e), QString::fromUtf8(u.after));
    }

    t->setSelection(0, 6, 10);
    int s = 0, e = 0;
    t->selection(0, &s, &e);
    EXPECT_EQ(ctl->SelectedText(10), "line");
    EXPECT_EQ(std::pair(s, e), std::pair(6, 10));
    t->setCursorPosition(14);
    EXPECT_EQ(t->cursorPosition(), 14);
    EXPECT_EQ(ctl->SelectionStart(), 14);

    // Character boxes lie left to right on a line, and lead back to their characters.
    const QRect r3 = t->characterRect(3), r4 = t->characterRect(4), r14 = t->characterRect(14);
    EXPECT_LT(r3.left(), r4.left());
    EXPECT_GT(r14.top(), r3.top());
    EXPECT_EQ(t->offsetAtPoint(r4.center()), 4);
    EXPECT_EQ(t->offsetAtPoint(r14.center()), 14);

    // Changes are announced with what changed.
    static std::vector<std::pair<QAccessible::Event, QString>> events;
    events.clear();
    setAccessibleEventSink([](QAccessibleEvent *ev) {
        if (auto *ins = dynamic_cast<QAccessibleTextInsertEvent *>(ev))
            events.emplace_back(ev->type(), ins->textInserted());
        else if (auto *rem = dynamic_cast<QAccessibleTextRemoveEvent *>(ev))
            events.emplace_back(ev->type(), rem->textRemoved());
        else if (ev->type() == QAccessible::TextCaretMoved)
            events.emplace_back(ev->type(), QString::number(static_cast<QAccessibleTextCursorEvent *>(ev)->cursorPosition()));
    });
    ctl->SetCaret(0);
    QTest::keyClicks(view, "ab");
    QTest::keyClick(view, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    setAccessibleEventSink(nullptr);
    const std::vector<std::pair<QAccessible::Event, QString>> expect = {
        {QAccessible::TextInserted, "a"}, {QAccessible::TextCaretMoved, "1"}, {QAccessible::TextInserted, "b"},
        {QAccessible::TextCaretMoved, "2"}, {QAccessible::TextRemoved, "b"},  {QAccessible::TextCaretMoved, "1"}};
    EXPECT_EQ(events, expect);

    // The editable interface edits as typing would, never a viewer's text.
    auto *editable = static_cast<QAccessibleEditableTextInterface *>(a->interface_cast(QAccessible::EditableTextInterface));
    ASSERT_TRUE(editable);
    editable->insertText(0, "<");
    EXPECT_EQ(ctl->WholeText().substr(0, 3), "<af");
    ctl->SetReadOnly(true);
    EXPECT_TRUE(a->state().readOnly);
    editable->deleteText(0, 3);
    EXPECT_EQ(ctl->WholeText().substr(0, 3), "<af");
}

} // namespace
