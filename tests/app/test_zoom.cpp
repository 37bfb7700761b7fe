#include "frametest.h"

#include <QAbstractScrollArea>
#include <QWheelEvent>

using namespace verno;
using verno::test::FrameTest;

namespace {

// Zoom changes the size of the text on the screen only, one window at a time.
TEST_F(FrameTest, ZoomChangesTheShownFontOfTheActiveWindowOnly)
{
    TFileWindow *other = openUntitled("other");
    TFileWindow *w = openUntitled("text");
    QFont own = w->Memo().font();
    own.setPointSize(20);
    w->Memo().setFont(own);
    focusMemo(w);
    statusPass();
    auto *view = static_cast<QAbstractScrollArea *>(w->Memo().widget());
    const auto wheel = [view](int delta) {
        QWheelEvent e(QPointF(5, 5), view->viewport()->mapToGlobal(QPointF(5, 5)), {}, {0, delta}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view->viewport(), &e);
    };
    const struct {
        const char *label;
        std::function<void()> act;
        double shown;
    } steps[] = {
        {"Ctrl+=", [] { press(Qt::CTRL | Qt::Key_Equal); }, 22},
        {"Ctrl+Shift++", [] { press(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus); }, 24},
        {"Ctrl+-", [] { press(Qt::CTRL | Qt::Key_Minus); }, 22},
        {"Ctrl+wheel away", [&] { wheel(120); }, 24},
        {"Ctrl+wheel half and half", [&] { wheel(60), wheel(60); }, 26.5},
        {"Ctrl+wheel towards", [&] { wheel(-120); }, 24},
        {"Ctrl+0", [] { press(Qt::CTRL | Qt::Key_0); }, 20},
        {"menu, smaller", [this] { item("MnuOptZoomOut")->trigger(); }, 18},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.label);
        s.act();
        EXPECT_DOUBLE_EQ(view->font().pointSizeF(), s.shown);
        EXPECT_EQ(w->Memo().font().pointSize(), 20) << "the window's own font, for printing and the dialog";
        EXPECT_EQ(other->Memo().widget()->font(), other->Memo().font());
    }
}

} // namespace
