// The frame's edit windows as a user meets them: their order, what a failed
// open leaves, what the frame shows while it is in the background.
#include "app/windowlistmenu.h"
#include "frametest.h"

#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>

using namespace verno;
using verno::test::FrameTest;
using verno::test::readBytes;

namespace {

QStringList names(const QList<TFileWindow *> &windows)
{
    QStringList list;
    for (TFileWindow *w : windows)
        list << w->FileName;
    return list;
}

TEST_F(FrameTest, NextAndPreviousFollowTheStackingOrder)
{
    for (const char *name : {"a", "b", "c"})
        openFile(QString::fromLatin1(name), "text");
    ASSERT_EQ(names(frame->editWindows()), (QStringList{"c", "b", "a"}));
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        frame->WinNextClick();
        visited << frame->activeWindow()->FileName;
    }
    EXPECT_EQ(visited, (QStringList{"b", "a", "c"}));
    visited.clear();
    for (int i = 0; i < 3; ++i) {
        frame->WinPreviousClick();
        visited << frame->activeWindow()->FileName;
    }
    EXPECT_EQ(visited, (QStringList{"a", "b", "c"}));

    // Closing the front window brings the one behind it forward.
    frame->WinNextClick(); // b, a, c
    frame->WinCloseClick();
    flushDeletes();
    EXPECT_EQ(names(frame->editWindows()), (QStringList{"a", "c"}));
    EXPECT_EQ(frame->mdiArea()->activeSubWindow(), frame->activeWindow());
}

TEST_F(FrameTest, FailedOpenLeavesEveryWindowAsItWas)
{
    TFileWindow *a = openFile("a", "text");
    ASSERT_TRUE(a->isMaximized());
    EXPECT_FALSE(frame->OpenEditWindow(dir.filePath(QStringLiteral("missing")), false));
    EXPECT_TRUE(a->isMaximized());
    EXPECT_EQ(frame->activeWindow(), a);

    a->showNormal();
    TFileWindow *b = openFile("b", "text");
    // A file that exists but cannot be read, even by root.
    EXPECT_FALSE(frame->OpenEditWindow(QStringLiteral("/proc/self/mem"), false));
    flushDeletes();
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(frame->activeWindow(), b);
    EXPECT_EQ(names(frame->editWindows()), (QStringList{"b", "a"}));
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 2);
}

TEST_F(FrameTest, FrameInTheBackgroundKeepsShowingItsWindow)
{
    TFileWindow *w = openFile("a", "line one\r\nline two");
    w->Memo().SetCaret(12);
    statusPass();
    const QString position = panel(QStringLiteral("PnlStatusCurPos"));
    ASSERT_EQ(position, "2;2");
    // What the frame hears when another program takes the focus.
    emit frame->mdiArea()->subWindowActivated(nullptr);
    emit w->windowStateChanged(Qt::WindowActive, Qt::WindowNoState);
    statusPass();
    EXPECT_EQ(frame->activeWindow(), w);
    EXPECT_EQ(panel(QStringLiteral("PnlStatusCurPos")), position);
    EXPECT_TRUE(item(QStringLiteral("MnuWinClose"))->isEnabled());
    EXPECT_TRUE(frame->windowList().entries().constFirst()->isChecked());
}

TEST_F(FrameTest, ReadingIsShownBeforeTheFileIsRead)
{
    QLabel *message = frame->findChild<QLabel *>(QStringLiteral("PnlStatusMessage"));
    ASSERT_NE(message, nullptr);
    struct PaintWatch : QObject {
        QLabel *label;
        QStringList painted;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                painted << label->text();
            return false;
        }
    } watch;
    watch.label = message;
    message->installEventFilter(&watch);
    openFile("a", "text");
    EXPECT_TRUE(watch.painted.contains(QStringLiteral("Reading.."))) << watch.painted.join('|').toStdString();
}

TEST_F(FrameTest, TilingLeavesTheRowOfMinimizedWindowsFree)
{
    for (const char *name : {"a", "b", "c"})
        openFile(QString::fromLatin1(name), "text");
    frame->WinCascadeClick();
    TFileWindow *icon = frame->editWindows().last();
    icon->showMinimized();
    for (bool down : {true, false}) {
        down ? frame->WinTileDownClick() : frame->WinTileAcrossClick();
        for (TFileWindow *w : frame->editWindows()) {
            if (w == icon)
                continue;
            EXPECT_LE(w->geometry().bottom(), icon->geometry().top()) << w->FileName.toStdString();
        }
    }
}

TEST_F(FrameTest, MinimizeAllMinimizesMaximizedWindowsToo)
{
    for (const char *name : {"a", "b", "c"})
        openFile(QString::fromLatin1(name), "text");
    frame->activeWindow()->showMaximized();
    frame->WinMinimizeAllClick();
    for (TFileWindow *w : frame->editWindows())
        EXPECT_TRUE(w->isMinimized()) << w->FileName.toStdString();
}

TEST_F(FrameTest, UndoDoesNothingInAReadOnlyWindow)
{
    TFileWindow *w = openFile("a", "text");
    focusMemo(w);
    press(Qt::Key_X);
    ASSERT_EQ(w->Memo().WholeText(), "xtext");
    frame->settings().ROifModified = true;
    frame->OptReadOnlyClick();
    ASSERT_TRUE(w->IsReadOnly());
    statusPass();
    EXPECT_FALSE(item(QStringLiteral("MnuEditUndo"))->isEnabled());
    frame->EditUndoClick();
    EXPECT_EQ(w->Memo().WholeText(), "xtext");
}

// A window only viewed is not written: a file that cannot be written would
// otherwise stop the batch before the windows behind it.
TEST_F(FrameTest, SaveAllPassesUnchangedReadOnlyWindowsBy)
{
    TFileWindow *a = openFile("a", "old a");
    TFileWindow *viewed = openFile("v", "old v");
    TFileWindow *b = openFile("b", "old b");
    a->Memo().SetWholeText("new a");
    viewed->SetReadOnly(true);
    QFile::setPermissions(dir.filePath(QStringLiteral("v")), QFileDevice::ReadOwner);
    b->Memo().SetWholeText("new b");
    frame->FileSaveAllClick();
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("a"))), "new a");
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("b"))), "new b");
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("v"))), "old v");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FrameTest, FilesDroppedOnAnEditWindowOpenAsFiles)
{
    TFileWindow *w = openFile("a", "text");
    const QString other = dir.filePath(QStringLiteral("b"));
    verno::test::writeBytes(other, "other");
    frame->FormShow({}); // the frame takes drops once started
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(other)});
    QWidget *target = static_cast<QAbstractScrollArea *>(w->Memo().widget())->viewport();
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted()) << "the frame takes the drag";
    QDropEvent drop(frame->mapFromGlobal(target->mapToGlobal(at)), Qt::CopyAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(w->Memo().WholeText(), "text");
    EXPECT_EQ(names(frame->editWindows()), (QStringList{"b", "a"}));
}

} // namespace
