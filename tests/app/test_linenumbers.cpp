#include "frametest.h"

#include "editor/bytefont.h"
#include "editor/editview.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

using namespace verno;
using verno::test::FrameTest;

namespace {

EditView *viewOf(TFileWindow *w) { return static_cast<EditView *>(w->Memo().widget()); }
QWidget *paneOf(TFileWindow *w) { return viewOf(w)->findChild<QWidget *>(QStringLiteral("LineNumbers")); }

// Whether anything but the background is drawn in display row n of the pane.
bool rowHasInk(TFileWindow *w, int n)
{
    QWidget *pane = paneOf(w);
    const QImage image = pane->grab().toImage();
    const QRgb background = pane->palette().color(QPalette::Midlight).rgb();
    const int top = viewOf(w)->lineY(n);
    for (int y = top; y < top + viewOf(w)->byteFont().lineHeight() && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

// The menu item and its key for the active window, the preference for new
// windows; the pane takes the width its largest number needs.
TEST_F(FrameTest, LineNumbersFollowTheItemItsKeyAndThePreference)
{
    TFileWindow *other = openUntitled("other");
    TFileWindow *w = openUntitled("one\r\ntwo");
    focusMemo(w);
    statusPass();
    const struct {
        const char *label;
        std::function<void()> act;
        bool shown;
    } steps[] = {
        {"Ctrl+Alt+L", [] { press(Qt::CTRL | Qt::ALT | Qt::Key_L); }, true},
        {"menu item", [this] { item("MnuOptLineNum")->trigger(); }, false},
        {"Ctrl+Alt+L again", [] { press(Qt::CTRL | Qt::ALT | Qt::Key_L); }, true},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.label);
        s.act();
        statusPass();
        EXPECT_EQ(w->Memo().lineNumbers(), s.shown);
        EXPECT_EQ(item("MnuOptLineNum")->isChecked(), s.shown);
        EXPECT_EQ(paneOf(w) != nullptr, s.shown);
        EXPECT_EQ(viewOf(w)->viewport()->x() > viewOf(other)->viewport()->x(), s.shown);
        EXPECT_FALSE(other->Memo().lineNumbers());
        EXPECT_FALSE(w->Memo().ModifiedFlag());
    }
    const int narrow = paneOf(w)->width();
    EXPECT_GE(narrow, 20);
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += "x\r\n";
    w->Memo().SetWholeText(many);
    QCoreApplication::processEvents(); // the width follows at the next paint
    viewOf(w)->viewport()->repaint();
    QCoreApplication::processEvents();
    EXPECT_GT(paneOf(w)->width(), narrow);
    EXPECT_EQ(viewOf(w)->viewport()->x(), paneOf(w)->width() + paneOf(w)->x());

    frame->settings().LineNumbers = true;
    EXPECT_TRUE(openUntitled("new")->Memo().lineNumbers());
    frame->settings().LineNumbers = false;
    EXPECT_FALSE(openUntitled("new")->Memo().lineNumbers());
    for (TFileWindow *win : frame->findChildren<TFileWindow *>())
        win->Memo().SetModifiedFlag(false);
}

// A click selects the line beside it, a drag the lines it passes; a row that
// continues a wrapped line has no number of its own but selects its line.
TEST_F(FrameTest, LineNumberPaneNumbersLogicalLinesAndSelectsThem)
{
    const std::string longLine(400, 'w');
    TFileWindow *w = openUntitled("one\r\n" + longLine + "\r\nthree\r\nfour");
    w->Memo().SetWordWrap(true);
    w->Memo().setLineNumbers(true);
    focusMemo(w);
    QCoreApplication::processEvents();
    EditView *view = viewOf(w);
    const TextLayout &layout = view->model().layout();
    ASSERT_GT(layout.firstDisplayLine(2), 2) << "the long line wraps";
    const int three = layout.firstDisplayLine(2);
    EXPECT_TRUE(rowHasInk(w, 0));
    EXPECT_TRUE(rowHasInk(w, 1));
    EXPECT_FALSE(rowHasInk(w, 2)) << "a continuation row";
    EXPECT_TRUE(rowHasInk(w, three));

    QWidget *pane = paneOf(w);
    const auto mouse = [&](QEvent::Type type, int row) {
        const QPointF at(5, view->lineY(row) + 2);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, pane->mapToGlobal(at), Qt::LeftButton, held, {});
        QCoreApplication::sendEvent(pane, &e);
    };
    const int lineStart[] = {0, 5, 5 + 402, 5 + 402 + 7};
    const int end = w->Memo().TextLength();
    const struct {
        const char *label;
        int from, to; // display rows pressed and released on
        int caret, start, length;
    } cases[] = {
        {"a line", three, three, lineStart[3], lineStart[2], 7},
        {"a continuation row", 2, 2, lineStart[2], lineStart[1], 402},
        {"the last line, without a break", three + 1, three + 1, end, lineStart[3], 4},
        {"down a drag", 0, three, lineStart[3], 0, lineStart[3]},
        {"up a drag", three + 1, 1, lineStart[1], lineStart[1], end - lineStart[1]},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        mouse(QEvent::MouseButtonPress, c.from);
        if (c.to != c.from)
            mouse(QEvent::MouseMove, c.to);
        mouse(QEvent::MouseButtonRelease, c.to);
        EXPECT_EQ(view->model().caret(), c.caret);
        EXPECT_EQ(w->Memo().SelectionStart(), c.start);
        EXPECT_EQ(w->Memo().SelectionLength(), c.length);
        EXPECT_EQ(QApplication::focusWidget(), view);
    }

    // MnuPopLine: its context menu, Top and Bottom.
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), pane->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(pane, &menuEvent);
    EXPECT_TRUE(w->MnuPopLine()->isVisible());
    w->MnuPopLine()->close();
    w->MnuPopLine()->findChild<QAction *>(QStringLiteral("PopLineBottom"))->trigger();
    EXPECT_EQ(w->Memo().SelectionStart(), lineStart[3]);
    EXPECT_EQ(w->Memo().SelectionLength(), 0);
    w->MnuPopLine()->findChild<QAction *>(QStringLiteral("PopLineTop"))->trigger();
    EXPECT_EQ(w->Memo().SelectionStart(), 0);
    EXPECT_EQ(w->Memo().SelectionLength(), 0);
    EXPECT_NE(w->MnuPopLine()->findChild<QAction *>(QStringLiteral("PopLineGoto")), nullptr);
    w->Memo().SetModifiedFlag(false);
}

// The wheel over the numbers acts as over the text beside them.
TEST_F(FrameTest, WheelOverLineNumbersScrollsAndZooms)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line\r\n";
    TFileWindow *w = openUntitled(text);
    w->Memo().setLineNumbers(true);
    focusMemo(w);
    QCoreApplication::processEvents();
    EditView *view = viewOf(w);
    QWidget *pane = paneOf(w);
    const auto wheel = [pane](int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent e(QPointF(5, 5), pane->mapToGlobal(QPointF(5, 5)), {}, {0, delta}, Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(pane, &e);
    };
    wheel(-120, Qt::NoModifier);
    EXPECT_GT(view->verticalScrollBar()->value(), 0) << "scrolled down";
    const double size = view->font().pointSizeF();
    wheel(120, Qt::ControlModifier);
    EXPECT_GT(view->font().pointSizeF(), size) << "zoomed in";
    w->Memo().SetModifiedFlag(false);
}

} // namespace
