// The file history, the window list and the tab bar, driven through a shown
// frame: their menu items, keys, tabs and what survives a restart.
#include "app/listtext.h"
#include "app/filehistorymenu.h"
#include "app/mainmenu.h"
#include "app/mainwindow.h"
#include "app/tabbar.h"
#include "app/tabset.h"
#include "app/windowlistmenu.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

class ListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        frame = makeFrame();
    }
    void TearDown() override { frame.reset(); }

    std::unique_ptr<TMainWindow> makeFrame()
    {
        auto f = std::make_unique<TMainWindow>(dir.filePath(QStringLiteral("Verno.reg")));
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f.get()));
        return f;
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    TFileWindow *open(const QString &name)
    {
        if (!QFile::exists(path(name)))
            writeBytes(path(name), "text");
        EXPECT_TRUE(frame->OpenEditWindow(path(name), false));
        return frame->activeWindow();
    }

    QStringList history() const { return frame->fileHistory().names(); }
    QStringList shownHistory() const
    {
        QStringList result;
        for (QAction *a : frame->fileHistory().entries())
            if (a->isVisible())
                result << a->text();
        return result;
    }
    QStringList tabTexts() const
    {
        QStringList result;
        for (int i = 0; i < frame->TabSet()->count(); ++i)
            result << frame->TabSet()->tabText(i);
        return result;
    }
    QAction *item(const char *name) const { return frame->findChild<QAction *>(QString::fromLatin1(name)); }
    QMenu *menu(const char *name) const { return frame->menu().menu(QString::fromLatin1(name)); }
    QAction *popupItem(const char *name) const
    {
        return frame->tabBar().popup()->findChild<QAction *>(QString::fromLatin1(name));
    }
    void statusPass() { frame->UpdateCommandState(false); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainWindow> frame;
};

TEST(AlphaOrder, UpperCasesAsciiLettersOnlyAndComparesCodes)
{
    EXPECT_EQ(alphaCompare("b.txt", "B.TXT"), 0);
    EXPECT_LT(alphaCompare("b.txt", "C.TXT"), 0);
    EXPECT_LT(alphaCompare("ab", "abc"), 0);     // a prefix is smaller
    EXPECT_LT(alphaCompare("Z", "_"), 0);        // '_' sorts after the upper-case letters
    EXPECT_GT(alphaCompare("\u00e9", "\u00c9"), 0); // only a to z are folded
}

// --- file history ---------------------------------------------------------------------------

TEST_F(ListsTest, HistoryPutsTheLatestOnTopUnderOneSeparator)
{
    EXPECT_EQ(menu("MnuFile")->actions().size(), frame->FileMenuBase);
    for (const char *name : {"a", "b", "c", "a"})
        frame->AddFileHistory(path(QString::fromLatin1(name)));
    EXPECT_EQ(history(), QStringList({path("a"), path("c"), path("b")}));
    frame->AddFileHistory(path("A")); // a different letter case is another file
    EXPECT_EQ(history(), QStringList({path("A"), path("a"), path("c"), path("b")}));
    EXPECT_TRUE(frame->fileHistory().separator()->isSeparator());

    frame->RemoveFileHistory(path("c"));
    frame->RemoveFileHistory(path("missing"));
    EXPECT_EQ(history(), QStringList({path("A"), path("a"), path("b")}));

    item("MnuOptClearFileHist")->trigger();
    EXPECT_TRUE(history().isEmpty());
    frame->AddFileHistory(path("d&e"));
    EXPECT_EQ(menu("MnuFile")->actions().size(), frame->FileMenuBase + 2);
    EXPECT_EQ(shownHistory(), QStringList({path("d&&e")}));

    // A long name is shortened in the menus only; its entry still opens it.
    const QString longName = path(QString(200, QLatin1Char('L')) + QStringLiteral(".txt"));
    writeBytes(longName, "long");
    frame->AddFileHistory(longName);
    const QString shown = shownHistory().first();
    EXPECT_EQ(shown.size(), 100);
    EXPECT_TRUE(shown.startsWith(longName.left(30) + QStringLiteral("...")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("LLL.txt")));
    frame->fileHistory().entries().first()->trigger();
    ASSERT_NE(frame->activeWindow(), nullptr);
    EXPECT_EQ(frame->activeWindow()->FullName(), longName);
    EXPECT_EQ(history().first(), longName);
    EXPECT_EQ(frame->windowList().entries().first()->text().size(), 100);
}

TEST_F(ListsTest, HistoryShowsAndWritesAtMostFileHistMax)
{
    for (const char *name : {"a", "b", "c"})
        frame->AddFileHistory(path(QString::fromLatin1(name)));
    struct Case {
        int max;
        bool shown;
        int visible;
    };
    for (const Case c : {Case{2, true, 2}, Case{0, true, 0}, Case{99, true, 3}, Case{99, false, 0}}) {
        SCOPED_TRACE(c.max);
        frame->settings().FileHistMax = c.max;
        frame->SetFileHist(c.shown);
        frame->ApplyFileHistoryVisibility();
        EXPECT_EQ(shownHistory().size(), c.visible);
        EXPECT_EQ(frame->fileHistory().separator()->isVisible(), c.shown);
        // Drawn too, also as the menu's last item.
        EXPECT_EQ(!menu("MnuFile")->actionGeometry(frame->fileHistory().separator()).isEmpty(), c.shown);
        // Written whether or not the menu shows them.
        EXPECT_EQ(frame->CollectFileHistory(), history().mid(0, c.max));
    }
}

TEST_F(ListsTest, SortedHistoryInsertsInPlaceAndHidesBeyondTheMaximum)
{
    for (const char *name : {"c", "B", "a"})
        frame->AddFileHistory(path(QString::fromLatin1(name)));
    frame->settings().FileHistMax = 3;
    frame->SetFileHistSort(true);
    EXPECT_EQ(history(), QStringList({path("a"), path("B"), path("c")}));
    frame->AddFileHistory(path("d"));
    frame->AddFileHistory(path("b")); // equal in order: goes after B
    frame->AddFileHistory(path("c")); // already there: stays
    EXPECT_EQ(history(), QStringList({path("a"), path("B"), path("b"), path("c"), path("d")}));
    EXPECT_EQ(shownHistory(), QStringList({path("a"), path("B"), path("b")}));

    frame->SetFileHistSort(false); // the order stays; new names go on top again
    frame->AddFileHistory(path("z"));
    EXPECT_EQ(history().first(), path("z"));
}

TEST_F(ListsTest, RestoredHistoryEqualsAddingTheStoredNamesFromTheLast)
{
    const QStringList stored = {path("b"), path("a"), path("B"), path("c"), path("a"), path("A")};
    for (const bool sorted : {false, true}) {
        SCOPED_TRACE(sorted);
        frame->settings().FileHistSort = sorted;
        frame->settings().FileHistMax = 3;
        frame->ClearFileHistory();
        for (auto it = stored.crbegin(); it != stored.crend(); ++it)
            frame->AddFileHistory(*it);
        const QStringList oneByOne = history();
        const QStringList shown = shownHistory();
        frame->RestoreFileHistory(stored);
        EXPECT_EQ(history(), oneByOne);
        EXPECT_EQ(shownHistory(), shown);
        EXPECT_EQ(menu("MnuFile")->actions().size(), frame->FileMenuBase + 1 + 3);
    }
}

TEST_F(ListsTest, RestartShowsTheHistoryInTheSameOrder)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "b.txt"})
        open(QString::fromLatin1(name));
    const QStringList before = history();
    ASSERT_EQ(before, QStringList({path("b.txt"), path("c.txt"), path("a.txt")}));
    ASSERT_TRUE(frame->SaveSettings());
    frame.reset();
    frame = makeFrame();
    frame->FormShow({});
    EXPECT_EQ(history(), before);

    // An entry whose file is gone opens nothing, says nothing and stays.
    QFile::remove(path("c.txt"));
    frame->fileHistory().entries().at(1)->trigger();
    EXPECT_TRUE(frame->editWindows().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(history(), before);
    frame->fileHistory().entries().at(2)->trigger();
    ASSERT_EQ(frame->editWindows().size(), 1);
    EXPECT_EQ(history().first(), path("a.txt"));
}

// --- window list -----------------------------------------------------------------------------

TEST_F(ListsTest, WindowListNumbersElevenWindowsWithKeysForNine)
{
    QList<TFileWindow *> windows;
    for (int i = 1; i <= 11; ++i)
        windows << open(QStringLiteral("f%1.txt").arg(i));
    frame->settings().WinListMax = 10;
    frame->RenumberWindowList();
    const QList<QAction *> entries = frame->windowList().entries();
    ASSERT_EQ(entries.size(), 11);
    for (int n = 1; n <= 11; ++n) {
        SCOPED_TRACE(n);
        QAction *e = entries[n - 1];
        EXPECT_EQ(e->text(), QStringLiteral("%1 %2").arg(n).arg(path(QStringLiteral("f%1.txt").arg(n))));
        EXPECT_EQ(e->shortcut(), n <= 9 ? QKeySequence(QStringLiteral("Alt+%1").arg(n)) : QKeySequence());
        EXPECT_EQ(e->isVisible(), n <= 10);
        EXPECT_EQ(e->isChecked(), n == 11);
    }

    // Alt+3 from the edit control reaches the third entry.
    windows[10]->Memo().widget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(frame->activeWindow(), windows[2]);
    EXPECT_TRUE(entries[2]->isChecked());
    EXPECT_FALSE(entries[10]->isChecked());
    EXPECT_EQ(frame->TabSet()->selectedIndex(), 2);

    // Choosing the active window's own entry, by key or by click, keeps its check mark.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::AltModifier);
    EXPECT_TRUE(entries[2]->isChecked());
    entries[2]->trigger();
    EXPECT_TRUE(entries[2]->isChecked());

    // A hidden entry's key does nothing.
    frame->settings().WinListMax = 3;
    frame->RenumberWindowList();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_4, Qt::AltModifier);
    EXPECT_EQ(frame->activeWindow(), windows[2]);
}

TEST_F(ListsTest, ClosingTheOnlyWindowRemovesEntryAndSeparator)
{
    TFileWindow *w = open(QStringLiteral("only.txt"));
    EXPECT_EQ(menu("MnuWindow")->actions().size(), frame->WindowMenuBase + 2);
    EXPECT_EQ(frame->TabSet()->count(), 1);
    w->close();
    EXPECT_EQ(menu("MnuWindow")->actions().size(), frame->WindowMenuBase);
    EXPECT_EQ(frame->TabSet()->count(), 0);
}

TEST_F(ListsTest, SaveAsRenamesEntryAndTabAndAddsTheNewName)
{
    open(QStringLiteral("one.txt"));
    TFileWindow *w = open(QStringLiteral("two.txt"));
    open(QStringLiteral("three.txt"));
    frame->ActivateEditWindow(w);
    prompter.answerFile(path("r&d.txt"));
    frame->FileSaveAsClick();
    // "&" shows as itself, never as an access key.
    EXPECT_EQ(frame->windowList().entries().at(1)->text(), "2 " + path("r&&d.txt"));
    EXPECT_EQ(tabTexts().at(1), " r&&d.txt ");
    EXPECT_EQ(history().first(), path("r&d.txt"));
}

TEST_F(ListsTest, WindowListRebuildsInWindowOrderAndSorts)
{
    TFileWindow *b = open(QStringLiteral("b.txt"));
    TFileWindow *a = open(QStringLiteral("A.txt"));
    TFileWindow *c = open(QStringLiteral("c.txt"));
    const auto listed = [this] {
        QList<TFileWindow *> result;
        for (QAction *e : frame->windowList().entries())
            result << WindowListMenu::windowOf(e);
        return result;
    };
    EXPECT_EQ(listed(), QList<TFileWindow *>({b, a, c}));
    frame->SetWinList(false);
    EXPECT_EQ(menu("MnuWindow")->actions().size(), frame->WindowMenuBase);
    frame->SetWinList(true);
    EXPECT_EQ(listed(), frame->editWindows());
    EXPECT_TRUE(frame->windowList().entries().at(0)->text().startsWith(QLatin1String("1 ")));

    frame->SetWinListSort(true);
    EXPECT_EQ(listed(), QList<TFileWindow *>({a, b, c}));
    EXPECT_EQ(frame->windowList().entries().at(0)->text(), "1 " + path("A.txt"));
    frame->windowList().entries().at(1)->trigger();
    EXPECT_EQ(frame->activeWindow(), b);
}

// --- tab bar ---------------------------------------------------------------------------------

TEST_F(ListsTest, TabMarksFollowTheModifiedFlag)
{
    frame->FileNewClick();
    TFileWindow *w = frame->activeWindow();
    EXPECT_EQ(tabTexts(), QStringList({" Untitled "}));
    w->Memo().widget()->setFocus();
    QTest::keyClick(w->Memo().widget(), Qt::Key_X);
    statusPass();
    EXPECT_EQ(tabTexts(), QStringList({"[Untitled]"}));
    prompter.answerFile(path("notes.txt"));
    frame->FileSaveClick();
    statusPass();
    EXPECT_EQ(tabTexts(), QStringList({" notes.txt "}));
}

TEST_F(ListsTest, SortedTabsInsertInPlaceAndTheSelectionMovesWithItsTab)
{
    open(QStringLiteral("d.txt"));
    TFileWindow *b = open(QStringLiteral("b.txt"));
    frame->SetTabsSort(true);
    EXPECT_EQ(tabTexts(), QStringList({" b.txt ", " d.txt "}));
    EXPECT_EQ(frame->TabSet()->windowAt(frame->TabSet()->selectedIndex()), b);
    EXPECT_TRUE(popupItem("PopTabsSort")->isChecked());
    open(QStringLiteral("C.TXT"));
    EXPECT_EQ(tabTexts(), QStringList({" b.txt ", " C.TXT ", " d.txt "}));
    EXPECT_EQ(frame->TabSet()->selectedIndex(), 1);

    popupItem("PopTabsSort")->trigger();
    EXPECT_FALSE(frame->settings().TabsSort);
    open(QStringLiteral("a.txt"));
    EXPECT_EQ(tabTexts().last(), " a.txt ");
}

TEST_F(ListsTest, OnlyTabsInViewAreReMarked)
{
    frame->resize(frame->minimumSize());
    QList<TFileWindow *> windows;
    for (int i = 0; i < 12; ++i)
        windows << open(QStringLiteral("a-rather-long-name-%1.txt").arg(i));
    TTabSet *tabs = frame->TabSet();
    ASSERT_GT(tabs->firstInView(), 0) << "the last tab selected scrolls the first ones out";
    for (TFileWindow *w : windows)
        w->Memo().SetModifiedFlag(true);
    statusPass();
    EXPECT_FALSE(tabs->tabText(0).startsWith(QLatin1Char('[')));
    EXPECT_TRUE(tabs->tabText(11).startsWith(QLatin1Char('[')));

    tabs->setSelectedIndex(0); // a click: activates the window and scrolls it in
    EXPECT_EQ(frame->activeWindow(), windows[0]);
    statusPass();
    EXPECT_EQ(tabs->tabText(0), "[a-rather-long-name-0.txt]");
}

TEST_F(ListsTest, ScrolledTabStripStaysWhereTheUserPutsIt)
{
    frame->resize(frame->minimumSize());
    QList<TFileWindow *> windows;
    for (int i = 0; i < 12; ++i)
        windows << open(QStringLiteral("a-rather-long-name-%1.txt").arg(i));
    TTabSet *tabs = frame->TabSet();
    const auto wheel = [tabs](int notches) {
        const QPointF at = tabs->rect().center();
        QWheelEvent e(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(tabs, &e);
    };
    // The last tab is selected and in view; arrows and wheel take the strip back.
    auto *left = tabs->findChild<QToolButton *>(QStringLiteral("ScrollLeftButton"));
    ASSERT_NE(left, nullptr);
    left->click();
    wheel(3);
    const int first = tabs->firstInView();
    ASSERT_LT(first + tabs->countInView(), 11);
    EXPECT_EQ(tabs->selectedIndex(), 11);
    EXPECT_EQ(frame->activeWindow(), windows[11]);

    // Re-marking a tab in view, or its window's new name, moves nothing.
    windows[first + 1]->Memo().SetModifiedFlag(true);
    statusPass();
    EXPECT_TRUE(tabs->tabText(first + 1).startsWith(QLatin1Char('[')));
    frame->tabBar().UpdateText(windows[first + 1]);
    EXPECT_EQ(tabs->firstInView(), first);

    wheel(-1);
    EXPECT_GT(tabs->firstInView(), first);
    EXPECT_EQ(tabs->selectedIndex(), 11);
    // Selecting a tab brings it into view.
    tabs->setSelectedIndex(0);
    EXPECT_EQ(tabs->firstInView(), 0);
    EXPECT_EQ(frame->activeWindow(), windows[0]);
}

TEST_F(ListsTest, TabClicksAndPopupActOnTheSelectedTab)
{
    TFileWindow *first = open(QStringLiteral("first.txt"));
    open(QStringLiteral("second.txt"));
    TTabSet *tabs = frame->TabSet();
    QTest::mouseClick(tabs, Qt::RightButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(tabs->selectedIndex(), 1);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(frame->activeWindow(), first);
    EXPECT_EQ(tabs->selectedIndex(), 0);

    QApplication::clipboard()->setText(QStringLiteral("kept"));
    popupItem("PopTabCopyFileName")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "first.txt");
    popupItem("PopTabCopyFullPath")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), path("first.txt"));
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    frame->FileNewClick();
    popupItem("PopTabCopyFullPath")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");

    frame->UpdateCommandState(true);
    EXPECT_TRUE(popupItem("PopTabCloseAll")->isEnabled());
    popupItem("PopTabCloseAll")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame->UpdateCommandState(true);
    EXPECT_FALSE(popupItem("PopTabClose")->isEnabled());
    EXPECT_EQ(tabs->count(), 0);
}

TEST_F(ListsTest, HiddenTabBarKeepsOneTabPerWindowAndItsSettingSurvives)
{
    open(QStringLiteral("x.txt"));
    frame->OptTabsClick();
    EXPECT_TRUE(frame->TabSet()->isHidden());
    TFileWindow *y = open(QStringLiteral("y.txt"));
    frame->OptTabsClick();
    EXPECT_EQ(tabTexts(), QStringList({" x.txt ", " y.txt "}));
    EXPECT_EQ(frame->TabSet()->windowAt(frame->TabSet()->selectedIndex()), y);

    frame->OptTabsClick();
    ASSERT_TRUE(frame->SaveSettings());
    frame.reset();
    frame = makeFrame();
    frame->FormShow({});
    EXPECT_TRUE(frame->TabSet()->isHidden());
}

} // namespace
