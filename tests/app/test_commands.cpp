#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "util/tiling.h"
#include "window/filewindow.h"
#include "frametest.h"
#include "platform/help.h"
#include "platform/helpviewer.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QStatusTipEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace verno;
using verno::test::readBytes;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

using verno::test::FrameTest;

// --- status pass ---------------------------------------------------------------------

TEST_F(FrameTest, PositionPanelShowsCaretAndSelection)
{
    TFileWindow *w = openUntitled("first\r\nsecond\r\nthird line\r\n");
    statusPass();
    EXPECT_EQ(panel("PnlStatusCurPos"), "1;0");
    w->Memo().SetCaret(w->Memo().LineStart(1) + 3);
    statusPass();
    EXPECT_EQ(panel("PnlStatusCurPos"), "2;3");
    w->Memo().SetCaret(w->Memo().LineStart(2));
    w->Memo().SetSelectionLength(5);
    statusPass();
    EXPECT_EQ(panel("PnlStatusCurPos"), "[3;0 - 3;5]");
    EXPECT_EQ(frame->FormatCursorPosition(), "[3;0 - 3;5]");
}

TEST_F(FrameTest, PanelsWithoutWindowShowProgramState)
{
    struct Case {
        bool all;
        const char *mode, *indent, *wrap;
    };
    for (const Case c : {Case{false, "Edit", "", ""}, Case{true, "Read", "Indent", "Wrap"}}) {
        SCOPED_TRACE(c.mode);
        frame->ReadOnlyAll = frame->IndentAll = frame->WordWrapAll = c.all;
        statusPass();
        EXPECT_EQ(panel("PnlStatusCurPos"), "");
        EXPECT_EQ(panel("PnlChildCount"), "0");
        EXPECT_EQ(panel("PnlStatusReadOnly"), c.mode);
        EXPECT_EQ(panel("PnlStatusIndent"), c.indent);
        EXPECT_EQ(panel("PnlStatusWordWrap"), c.wrap);
        EXPECT_EQ(panel("PnlStatusModified"), "");
        EXPECT_EQ(panel("PnlStatusInsert"), "Insert");
        EXPECT_EQ(button("BtnOptROAll")->isChecked(), c.all);
        EXPECT_FALSE(button("BtnOptWordWrap")->isChecked());
        EXPECT_EQ(button("BtnOptFont")->statusTip(), "Select default display font");
    }
}

// The mouse "leaving" the frame as a dialog opens over it sends an empty hint;
// the hint the command put up stays while the dialog is open.
TEST_F(FrameTest, HintStaysWhileADialogIsOpen)
{
    frame->SetStatusMessage("Open existing text file");
    QDialog dialog(frame.get());
    dialog.setWindowModality(Qt::ApplicationModal);
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(frame.get(), &leave); // before the dialog counts as open
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(panel("PnlStatusMessage"), "Open existing text file");
    // Closed with the mouse elsewhere: the hint goes.
    dialog.hide();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel("PnlStatusMessage").isEmpty(); }, 1000));
    // Nor does a late clear wipe a message written since the mouse left.
    QCoreApplication::sendEvent(frame.get(), &leave);
    frame->SetStatusMessage("Reading..");
    QCoreApplication::processEvents();
    EXPECT_EQ(panel("PnlStatusMessage"), "Reading..");
}

TEST_F(FrameTest, StatusPassEnablesByActiveWindow)
{
    struct Case {
        const char *scenario;
        bool readOnly, select, modified, roIfModified;
        const char *findText;
        SearchAction action;
        std::vector<std::pair<const char *, bool>> expected;
    };
    const SearchAction none = SearchAction::None, find = SearchAction::Find;
    const Case cases[] = {
        {"read-only with selection", true, true, false, false, "", none,
         {{"MnuFind", true}, {"MnuFindReplace", false}, {"MnuEditCut", false}, {"MnuEditCopy", true},
          {"MnuFileSave", false}, {"BtnFindReplace", false}, {"BtnEditCut", false}, {"BtnEditCopy", true},
          {"MnuEditChangeCase", false}, {"MnuFindLine", true}}},
        {"read-only without selection", true, false, false, false, "", none,
         {{"MnuEditCopy", false}, {"BtnEditCopy", false}, {"MnuFind", true}}},
        {"modified, ROifModified off", false, false, true, false, "", none,
         {{"MnuOptReadonly", false}, {"BtnOptReadOnly", false}, {"MnuFileSave", true}}},
        {"modified, ROifModified on", false, false, true, true, "", none,
         {{"MnuOptReadonly", true}, {"BtnOptReadOnly", true}}},
        {"nothing searched yet", false, false, false, false, "", none,
         {{"MnuFindAgain", false}, {"BtnFindAgain", false}, {"PopFindAgain", false}}},
        {"find text but no action", false, false, false, false, "te", none,
         {{"MnuFindAgain", false}, {"PopFindAgain", false}}},
        {"action but empty find text", false, false, false, false, "", SearchAction::Replace,
         {{"MnuFindAgain", false}}},
        {"after a find", false, false, false, false, "te", find,
         {{"MnuFindAgain", true}, {"BtnFindAgain", true}, {"PopFindAgain", true}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.scenario);
        frame->settings().ROifModified = c.roIfModified;
        frame->searchOptions() = T_SearchOptions();
        frame->searchOptions().SetFindText(c.findText);
        frame->searchOptions().LastAction = c.action;
        TFileWindow *w = openUntitled("some text");
        w->Memo().SetModifiedFlag(c.modified);
        w->SetReadOnly(c.readOnly);
        w->Memo().SetSelectionLength(c.select ? 4 : 0);
        statusPass();
        for (const auto &[name, on] : c.expected)
            EXPECT_EQ(enabledOf(QString::fromLatin1(name)), on) << name;
    }
}

TEST_F(FrameTest, ToggleButtonsFollowTheStateNotTheClick)
{
    TFileWindow *w = openUntitled("text");
    w->Memo().SetWordWrap(true);
    w->SetReadOnly(true);
    statusPass();
    EXPECT_TRUE(button("BtnOptWordWrap")->isChecked());
    EXPECT_TRUE(button("BtnOptReadOnly")->isChecked());
    EXPECT_FALSE(button("BtnOptROAll")->isChecked());
    EXPECT_EQ(panel("PnlStatusReadOnly"), "Read");
    EXPECT_EQ(button("BtnOptFont")->statusTip(), "Select display font for the active edit window");

    w->Memo().SetWordWrap(false);
    w->SetReadOnly(false);
    statusPass();
    EXPECT_FALSE(button("BtnOptWordWrap")->isChecked());
    EXPECT_FALSE(button("BtnOptReadOnly")->isChecked());

    // With no window the click sets the all-window state; the button stays up.
    frame->mdiArea()->closeAllSubWindows();
    flushDeletes();
    statusPass();
    button("BtnOptWordWrap")->click();
    statusPass();
    EXPECT_TRUE(frame->WordWrapAll);
    EXPECT_FALSE(button("BtnOptWordWrap")->isChecked());
    EXPECT_EQ(panel("PnlStatusWordWrap"), "Wrap");
}

// Right after start the keys must not reach a tool button: Space there would
// press Exit.
TEST_F(FrameTest, ToolButtonsNeverTakeTheFocus)
{
    QWidget *focus = QApplication::focusWidget();
    EXPECT_EQ(qobject_cast<QToolButton *>(focus), nullptr) << focus->objectName().toStdString();
    QTest::keyClick(focus ? focus : frame.get(), Qt::Key_Space);
    EXPECT_TRUE(frame->isVisible());
    for (QToolButton *b : frame->findChildren<QToolButton *>())
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << b->objectName().toStdString();
}

TEST_F(FrameTest, RepeatedStatusPassChangesNothing)
{
    TFileWindow *w = openUntitled("alpha\r\nbeta");
    w->Memo().SetSelectionLength(3);
    frame->searchOptions().SetFindText("a");
    frame->searchOptions().LastAction = SearchAction::Find;
    bothPasses();

    int changed = 0;
    for (QAction *a : frame->findChildren<QAction *>())
        QObject::connect(a, &QAction::changed, frame.get(), [&changed] { ++changed; });
    struct Counter : QObject {
        int events = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::ToolTipChange)
                ++events;
            return false;
        }
    } counter;
    for (QToolButton *b : frame->findChildren<QToolButton *>())
        b->installEventFilter(&counter);
    statusPass();
    statusPass();
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(counter.events, 0);
}

TEST_F(FrameTest, ChildCountRightAfterAWindowCloses)
{
    openUntitled("a");
    openUntitled("b");
    openUntitled("c");
    statusPass();
    EXPECT_EQ(panel("PnlChildCount"), "3");
    frame->WinCloseClick();
    // The pass that runs on the activation of the next window, before the
    // closed one is gone, must already count two.
    statusPass();
    EXPECT_EQ(panel("PnlChildCount"), "2");
    flushDeletes();
    statusPass();
    EXPECT_EQ(panel("PnlChildCount"), "2");
}

// --- shortcut dispatch ---------------------------------------------------------------

TEST_F(FrameTest, F3GoesToThePopupOnlyInsideTheEditControl)
{
    TFileWindow *w = openUntitled("find me, find me");
    frame->searchOptions().SetFindText("find");
    frame->searchOptions().LastAction = SearchAction::Find;
    statusPass();
    QSignalSpy popup(popupItem("PopFindAgain"), &QAction::triggered);
    const auto spies = spyOnMenu();

    focusMemo(w);
    press(Qt::Key_F3);
    EXPECT_EQ(popup.count(), 1);
    EXPECT_EQ(totalFired(spies), 0);

    button("BtnFileNew")->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), button("BtnFileNew"));
    press(Qt::Key_F3);
    EXPECT_EQ(popup.count(), 1);
    EXPECT_EQ(totalFired(spies), 0);
}

TEST_F(FrameTest, KeysShownTwiceReachTheFirstItem)
{
    TFileWindow *w = openFile("a.txt", "text\r\n");
    frame->searchOptions().SetFindText("t");
    frame->searchOptions().LastAction = SearchAction::Find;
    bothPasses();
    focusMemo(w);
    const auto spies = spyOnMenu();
    struct Case {
        QKeyCombination key;
        const char *taker;
    };
    const Case cases[] = {
        {Qt::CTRL | Qt::Key_L, "MnuWinList"},
        {Qt::CTRL | Qt::Key_S, "MnuFileSave"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, "MnuFileSaveAs"},
        // X11 reports Ctrl+Shift+6 as the circumflex key.
        {Qt::CTRL | Qt::SHIFT | Qt::Key_AsciiCircum, "MnuEditChangeCase"},
        {Qt::CTRL | Qt::Key_A, "MnuFindReplace"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.taker);
        for (const auto &[name, spy] : spies)
            spy->clear();
        w->Memo().SetCaret(0);
        press(c.key);
        EXPECT_EQ(spies.at(QString::fromLatin1(c.taker))->count(), 1);
        EXPECT_EQ(totalFired(spies), 1);
    }
    EXPECT_EQ(w->Memo().SelectionLength(), 0) << "Ctrl+A must not select all";
}

// Where Qt has two names for a key, the menu shows the one on the key cap.
TEST_F(FrameTest, MenusShowKeysByTheirDesignedNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"MnuKeyInsertLine", "Ctrl+Enter"},
        {"MnuEditDelete", "Del"},
        {"MnuKeyInsert", "Ins"},
        {"MnuKeyRepeatLine", "Ctrl+\\"},
        {"MnuEditChangeCase", "Ctrl+Shift+6"},
    };
    for (const auto &[name, shown] : cases)
        EXPECT_EQ(item(QString::fromLatin1(name))->shortcut().toString(QKeySequence::NativeText),
                  QString::fromLatin1(shown))
            << name;
}

TEST_F(FrameTest, CtrlADoesNotSelectAllWhenReplaceIsDisabled)
{
    TFileWindow *w = openUntitled("read only text");
    w->SetReadOnly(true);
    statusPass();
    ASSERT_FALSE(item("MnuFindReplace")->isEnabled());
    QSignalSpy replace(item("MnuFindReplace"), &QAction::triggered);
    focusMemo(w);
    press(Qt::CTRL | Qt::Key_A);
    EXPECT_EQ(replace.count(), 0);
    EXPECT_EQ(w->Memo().SelectionLength(), 0);
}

TEST_F(FrameTest, CtrlLWithoutWindowDoesNothing)
{
    statusPass();
    QSignalSpy list(item("MnuWinList"), &QAction::triggered);
    frame->setFocus();
    QTest::keyClick(frame.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(FrameTest, EveryMenuKeyReachesItsItemOnce)
{
    frame->settings().ROifModified = true;
    openUntitled("other"); // so that Next and Previous are enabled
    TFileWindow *w = openFile("keys.txt", "alpha beta\r\ngamma\r\n");
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    frame->searchOptions().SetFindText("a");
    frame->searchOptions().LastAction = SearchAction::Find;
    const auto prepare = [&] {
        frame->InsertMode = true;
        w->Memo().SetReadOnly(false);
        w->Memo().SetWordWrap(false);
        w->Memo().SetWholeText("alpha beta\r\ngamma\r\n");
        focusMemo(w);
        QTest::keyClicks(w->Memo().widget(), "x"); // something to undo
        w->Memo().SetCaret(3);
        QTest::keyClicks(w->Memo().widget(), "y");
        w->Memo().UndoLast(); // and something to redo
        w->Memo().SetCaret(0);
        w->Memo().SetSelectionLength(5);
        bothPasses();
    };
    const QStringList closers = {"MnuFileExit", "MnuWinClose"};
    int tried = 0;
    QStringList disabled;
    for (const MenuSpec &m : mainMenus()) {
        for (const MenuItemSpec &i : m.items) {
            const QString name = QString::fromLatin1(i.name);
            if ((i.flags & (Separator | KeyShownOnly)) || closers.contains(name))
                continue;
            for (const QKeySequence &key : keySequences(i.keys)) {
                SCOPED_TRACE((name + QLatin1Char(' ') + key.toString()).toStdString());
                prepare();
                if (!item(name)->isEnabled()) {
                    disabled << name;
                    continue;
                }
                const auto spies = spyOnMenu();
                press(key[0]);
                // Help opens a window of its own.
                quitHelp();
                frame->activateWindow();
                EXPECT_EQ(spies.at(name)->count(), 1);
                EXPECT_EQ(totalFired(spies), 1);
                ++tried;
            }
        }
    }
    EXPECT_GE(tried, 50);
    EXPECT_EQ(disabled, QStringList{});
}

// A window that gets text after the last menu pass: the keys of items set by
// the menu pass must work without a menu having been opened.
TEST_F(FrameTest, KeysOfMenuPassItemsWorkWithoutOpeningAMenu)
{
    frame->UpdateCommandState(true); // start-up ends with a menu pass, no window yet
    TFileWindow *w = openUntitled("");
    focusMemo(w);
    QTest::keyClicks(w->Memo().widget(), "typed text");
    statusPass();
    struct Case {
        QKeyCombination key;
        const char *name;
    };
    for (const Case &c : {Case{Qt::CTRL | Qt::SHIFT | Qt::Key_A, "MnuEditSelectAll"},
                          Case{Qt::CTRL | Qt::Key_P, "MnuFilePrint"},
                          Case{Qt::CTRL | Qt::SHIFT | Qt::Key_S, "MnuFileSaveAs"},
                          Case{Qt::CTRL | Qt::ALT | Qt::Key_F, "MnuOptCurFont"}}) {
        SCOPED_TRACE(c.name);
        QSignalSpy spy(item(QString::fromLatin1(c.name)), &QAction::triggered);
        press(c.key);
        EXPECT_EQ(spy.count(), 1);
    }
}

TEST_F(FrameTest, CtrlF4ClosesTheActiveWindow)
{
    openUntitled("one");
    TFileWindow *w = openUntitled("two");
    statusPass();
    focusMemo(w);
    press(Qt::CTRL | Qt::Key_F4);
    flushDeletes();
    EXPECT_EQ(frame->editWindows().size(), 1);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FrameTest, AltXClosesTheFrame)
{
    TFileWindow *w = openUntitled("unchanged");
    statusPass();
    focusMemo(w);
    press(Qt::ALT | Qt::Key_X);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(CloseMode, CloseSingle);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("Verno.reg"))));
}

// --- window management ---------------------------------------------------------------

TEST_F(FrameTest, CloseAllAnsweredAllSavesEveryWindowLastChildFirst)
{
    QList<TFileWindow *> opened;
    for (const char *name : {"a.txt", "b.txt", "c.txt"}) {
        TFileWindow *w = openFile(QString::fromLatin1(name), "old\r\n");
        w->Memo().SetWholeText(std::string("new ") + name + "\r\n");
        w->Memo().SetModifiedFlag(true);
        opened << w;
    }
    const QString lastChild = frame->editWindows().last()->FullName();
    prompter.answers = {Answer::All};
    frame->WinCloseAllClick();
    flushDeletes();

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(lastChild)) << prompter.messages[0].text.toStdString();
    EXPECT_EQ(prompter.messages[0].buttons, BtnYes | BtnNo | BtnCancel | BtnAll);
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        EXPECT_EQ(readBytes(dir.filePath(QString::fromLatin1(name))), QByteArray("new ") + name + "\r\n");
    EXPECT_TRUE(frame->editWindows().isEmpty());
    EXPECT_EQ(CloseMode, CloseSingle);
}

TEST_F(FrameTest, CloseAllStopsAtCancel)
{
    for (const char *name : {"a.txt", "b.txt"}) {
        TFileWindow *w = openFile(QString::fromLatin1(name), "old\r\n");
        w->Memo().SetModifiedFlag(true);
    }
    prompter.answers = {Answer::Cancel};
    frame->WinCloseAllClick();
    flushDeletes();
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(frame->editWindows().size(), 2);
    EXPECT_EQ(CloseMode, CloseSingle);
}

TEST_F(FrameTest, ReadOnlyAllRefusesTheModifiedWindowOnly)
{
    frame->settings().ROifModified = false;
    TFileWindow *first = openUntitled("one");
    TFileWindow *changed = openUntitled("two");
    changed->Memo().SetModifiedFlag(true);
    TFileWindow *third = openUntitled("three");
    frame->OptReadOnlyAllClick();

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Cannot enter read-only mode for\rUntitled\rText was modified. "
                                         "See Preferences in Options menu.");
    EXPECT_TRUE(first->IsReadOnly());
    EXPECT_FALSE(changed->IsReadOnly());
    EXPECT_TRUE(third->IsReadOnly());
    EXPECT_TRUE(frame->ReadOnlyAll);
    bothPasses();
    EXPECT_TRUE(item("MnuOptReadOnlyAll")->isChecked());
    EXPECT_TRUE(button("BtnOptROAll")->isChecked());
}

TEST_F(FrameTest, NextWithOneWindowChangesNothing)
{
    TFileWindow *w = openUntitled("only");
    statusPass();
    EXPECT_FALSE(item("MnuWinNext")->isEnabled());
    frame->WinNextClick();
    frame->WinPreviousClick();
    EXPECT_EQ(frame->activeWindow(), w);
    EXPECT_TRUE(w->isMaximized());

    TFileWindow *second = openUntitled("second");
    frame->WinNextClick();
    EXPECT_EQ(frame->activeWindow(), w);
    frame->WinPreviousClick();
    EXPECT_EQ(frame->activeWindow(), second);
}

TEST_F(FrameTest, WordWrapWithoutWindowReachesTheNextWindow)
{
    frame->OptWordWrapClick();
    EXPECT_TRUE(frame->WordWrapAll);
    frame->UpdateCommandState(true);
    EXPECT_TRUE(item("MnuOptWordWrapAll")->isChecked());
    TFileWindow *w = openUntitled("wrapped text");
    EXPECT_TRUE(w->Memo().WordWrap());
    EXPECT_FALSE(w->Memo().ModifiedFlag());
}

TEST_F(FrameTest, FirstWindowMaximizedSecondNot)
{
    TFileWindow *first = openUntitled("one");
    EXPECT_TRUE(first->isMaximized());
    first->showNormal();
    TFileWindow *second = openUntitled("two");
    EXPECT_NE(first, second);
    EXPECT_FALSE(second->isMaximized());
}

TEST_F(FrameTest, SameFileOpensTwice)
{
    TFileWindow *a = openFile("twice.txt", "same\r\n");
    ASSERT_TRUE(frame->OpenEditWindow(dir.filePath(QStringLiteral("twice.txt")), false));
    TFileWindow *b = frame->activeWindow();
    EXPECT_NE(a, b);
    EXPECT_EQ(frame->editWindows().size(), 2);
    EXPECT_EQ(a->FullName(), b->FullName());
}

TEST_F(FrameTest, TileDownStacksFullWidthWindows)
{
    for (const std::string text : {"a", "b", "c"})
        openUntitled(text);
    frame->WinTileDownClick();
    const int width = frame->mdiArea()->viewport()->width();
    int bottom = 0;
    QList<TFileWindow *> windows = frame->editWindows();
    std::sort(windows.begin(), windows.end(), [](auto *l, auto *r) { return l->y() < r->y(); });
    for (TFileWindow *w : windows) {
        EXPECT_FALSE(w->isMaximized());
        EXPECT_EQ(w->x(), 0);
        EXPECT_EQ(w->width(), width);
        EXPECT_EQ(w->y(), bottom);
        bottom = w->y() + w->height();
    }
    EXPECT_EQ(bottom, frame->mdiArea()->viewport()->height());
}

// --- tiling geometry -----------------------------------------------------------------

TEST(TileRects, SmallCountsInOneBand)
{
    struct Case {
        int n;
        bool down;
        std::vector<TileRect> expected;
    };
    const Case cases[] = {
        {0, true, {}},
        {0, false, {}},
        {1, true, {{0, 0, 300, 200}}},
        {2, true, {{0, 0, 300, 100}, {0, 100, 300, 100}}},
        {3, true, {{0, 0, 300, 66}, {0, 66, 300, 67}, {0, 133, 300, 67}}},
        {2, false, {{0, 0, 150, 200}, {150, 0, 150, 200}}},
        {3, false, {{0, 0, 100, 200}, {100, 0, 100, 200}, {200, 0, 100, 200}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << (c.down ? " down" : " across"));
        EXPECT_EQ(tileRects(c.n, 300, 200, c.down), c.expected);
    }
    EXPECT_TRUE(tileRects(3, 0, 200, true).empty());
}

// --- help from dialogs -------------------------------------------------------------------

// The Execute and Insert Character dialogs open General Information at the
// part about them, by F1 and by their Help buttons.
TEST_F(FrameTest, ExecuteAndInsertCharacterHelpOpensAtTheirSections)
{
    openUntitled("text");
    const struct {
        void (TMainWindow::*open)();
        const char *section;
    } cases[] = {{&TMainWindow::FileCommandClick, "commands"}, {&TMainWindow::EditInsCharClick, "inschar"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.section);
        const QString page = QStringLiteral("qrc:/help/general.html#") + QLatin1String(c.section);
        prompter.dialogActions.push_back([&](QDialog &d) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &d; }));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            ASSERT_NE(helpViewer(), nullptr);
            EXPECT_EQ(helpViewer()->currentPage(), page);
            quitHelp();
            d.findChild<QPushButton *>(QStringLiteral("BtnHelp"))->click();
            ASSERT_NE(helpViewer(), nullptr);
            EXPECT_EQ(helpViewer()->currentPage(), page);
            quitHelp();
        });
        (frame.get()->*c.open)();
        QFile html(QStringLiteral(":/help/general.html"));
        ASSERT_TRUE(html.open(QIODevice::ReadOnly));
        EXPECT_TRUE(html.readAll().contains("name=\"" + QByteArray(c.section) + '"'));
    }
}

TEST(TileRects, ManyWindowsCoverTheAreaWithoutOverlap)
{
    for (const bool down : {true, false}) {
        for (int n = 1; n <= 12; ++n) {
            SCOPED_TRACE(testing::Message() << n << (down ? " down" : " across"));
            const int width = 301, height = 199;
            const std::vector<TileRect> rects = tileRects(n, width, height, down);
            ASSERT_EQ(int(rects.size()), n);
            long area = 0;
            for (size_t i = 0; i < rects.size(); ++i) {
                const QRect r(rects[i].x, rects[i].y, rects[i].w, rects[i].h);
                EXPECT_TRUE(QRect(0, 0, width, height).contains(r));
                EXPECT_GT(r.width(), 0);
                EXPECT_GT(r.height(), 0);
                area += long(r.width()) * r.height();
                for (size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(r.intersects(QRect(rects[j].x, rects[j].y, rects[j].w, rects[j].h)));
            }
            EXPECT_EQ(area, long(width) * height);
        }
    }
    // Five tiled down: two columns, the second holding the extra window.
    const std::vector<TileRect> five = tileRects(5, 400, 300, true);
    EXPECT_EQ(five[0], (TileRect{0, 0, 200, 150}));
    EXPECT_EQ(five[2], (TileRect{200, 0, 200, 100}));
    EXPECT_EQ(five[4], (TileRect{200, 200, 200, 100}));
}

} // namespace
