#include "app/frametest.h"
#include "app/tabset.h"
#include "dialogs/childlist.h"

#include <QListWidget>
#include <QScreen>

using namespace verno;

namespace {

class ChildListTest : public test::FrameTest {
protected:
    // Windows a.txt, b.txt, ... opened in order; the last one is active.
    QList<TFileWindow *> openSome(int n)
    {
        QList<TFileWindow *> windows;
        for (int i = 0; i < n; ++i)
            windows << openFile(QString(QChar('a' + i)) + QStringLiteral(".txt"), "text");
        return windows;
    }
    TChildList &shown()
    {
        TChildList &d = frame->childList();
        d.show();
        return d;
    }
    void select(TChildList &d, const QList<TFileWindow *> &windows)
    {
        d.FileListBox()->clearSelection();
        for (int row = 0; row < d.FileListBox()->count(); ++row)
            d.FileListBox()->item(row)->setSelected(windows.contains(d.windowAt(row)));
    }
    QString name(const char *file) const { return dir.filePath(QLatin1String(file)); }
};

TEST_F(ChildListTest, ListsWindowsSortedWithMinimizedOnesInBrackets)
{
    const auto w = openSome(3);
    frame->WinCascadeClick(); // out of maximized mode, where minimizing activates and maximizes
    w[0]->showMinimized();
    frame->ActivateEditWindow(w[1]);
    TChildList &d = shown();
    EXPECT_EQ(d.labels(), (QStringList{" " + name("b.txt") + " ", " " + name("c.txt") + " ", "[" + name("a.txt") + "]"}));
    ASSERT_EQ(d.FileListBox()->selectedItems().size(), 1);
    EXPECT_EQ(d.windowAt(d.FileListBox()->currentRow()), w[1]);
    d.resize(333, 222);
    d.SelectClick();
    EXPECT_TRUE(d.labels().isEmpty()); // closing empties the list
    // Its size is kept for the next opening and for the settings.
    EXPECT_EQ(frame->settings().ChildListWidth, 333);
    d.resize(400, 300);
    EXPECT_EQ(shown().size(), QSize(333, 222));
    // A stored size never exceeds the screen.
    d.reject();
    frame->settings().ChildListWidth = frame->settings().ChildListHeight = 100000;
    const QSize room = d.screen()->availableGeometry().size();
    EXPECT_EQ(shown().size().boundedTo(room), shown().size());
    EXPECT_EQ(d.frameGeometry().size().boundedTo(room), d.frameGeometry().size()) << "title bar in reach";
}

TEST_F(ChildListTest, ClickingActivatesAndCancelReturnsToTheFirstWindow)
{
    const auto w = openSome(3);
    TChildList &d = shown();
    d.FileListBox()->setCurrentRow(0);
    EXPECT_EQ(frame->activeWindow(), w[0]);
    d.activateEntry(1, false);
    EXPECT_EQ(frame->activeWindow(), w[1]);
    EXPECT_EQ(frame->TabSet()->windowAt(frame->TabSet()->selectedIndex()), w[1]);
    EXPECT_TRUE(d.isVisible());
    d.CancelClick();
    EXPECT_EQ(frame->activeWindow(), w[2]);
    EXPECT_EQ(frame->TabSet()->windowAt(frame->TabSet()->selectedIndex()), w[2]);
    EXPECT_FALSE(d.isVisible());
    // OK keeps the window activated last.
    shown().activateEntry(0, false);
    d.SelectClick();
    EXPECT_EQ(frame->activeWindow(), w[0]);
}

TEST_F(ChildListTest, ArrangeAndStateCommandsActOnTheSelection)
{
    const auto w = openSome(5);
    TChildList &d = shown();
    select(d, {w[1], w[3]});
    d.CascadeClick();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w[i]->isMinimized(), i != 1 && i != 3) << i;
    EXPECT_FALSE(w[1]->isMaximized());
    EXPECT_NE(w[1]->geometry(), w[3]->geometry());
    // Typing goes on in an arranged window, not in a minimized one.
    EXPECT_EQ(frame->activeWindow(), w[1]);
    frame->ActivateEditWindow(w[3]);
    select(shown(), {w[0], w[3]});
    d.TileAcrossClick();
    EXPECT_EQ(frame->activeWindow(), w[3]);

    // With nothing selected, every window.
    select(shown(), {});
    d.NormalClick();
    for (TFileWindow *x : w)
        EXPECT_FALSE(x->isMinimized());
    frame->activeWindow()->showMaximized();  // the area would maximize each window it activates
    select(shown(), {});
    d.MinimizeClick();
    for (TFileWindow *x : w)
        EXPECT_TRUE(x->isMinimized());
}

TEST_F(ChildListTest, CloseWindowClosesTheListEvenWhenAWindowStays)
{
    const auto w = openSome(3);
    w[1]->Memo().SetModifiedFlag(true);
    TChildList &d = shown();
    select(d, {w[0], w[1]});
    prompter.answers = {Answer::Cancel}; // w[1] refuses to close
    d.CloseClick();
    flushDeletes();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(frame->editWindows().size(), 2);
    EXPECT_TRUE(frame->editWindows().contains(w[1]));
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(ChildListTest, SaveWritesTheSelectedWindowsAndStaysOpen)
{
    const auto w = openSome(3);
    for (TFileWindow *x : w) {
        x->Memo().SelectAllText();
        x->Memo().ReplaceSelection("new");
    }
    TChildList &d = shown();
    select(d, {w[0], w[2]});
    d.SaveClick();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(test::readBytes(name("a.txt")), "new");
    EXPECT_EQ(test::readBytes(name("b.txt")), "text");
    EXPECT_EQ(test::readBytes(name("c.txt")), "new");
    d.reject();
}

} // namespace
