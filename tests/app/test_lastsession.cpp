#include "frametest.h"

#include <QFile>
#include <QMdiArea>

using namespace verno;
using verno::test::FrameTest;

namespace {

QStringList openedInOrder(const TMainWindow &frame)
{
    QStringList names;
    for (QMdiSubWindow *sub : frame.mdiArea()->subWindowList(QMdiArea::CreationOrder))
        names << static_cast<TFileWindow *>(sub)->FileName;
    return names;
}

// With "Reopen the files of the last session" the files open at the next
// start without file names, in their order, with caret, wrap, read-only and
// the active window as they were; a file gone since is passed by silently.
TEST_F(FrameTest, TheLastSessionOpensAgainAtTheNextStart)
{
    const struct {
        bool reopen;
        QStringList arguments;
        QStringList opened;
    } cases[] = {
        {true, {}, {"a", "b", "c"}},
        {true, {"/R"}, {"a", "b", "c"}},
        {true, {"x"}, {"x"}},
        {false, {}, {}},
    };
    const QString store = dir.filePath("Verno.reg");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString() + (c.reopen ? " reopen" : ""));
        frame = std::make_unique<TMainWindow>(store);
        frame->show();
        frame->FormShow({});
        frame->WinCloseAllClick();
        frame->settings().ReopenSession = c.reopen;
        openFile("a", "alpha");
        TFileWindow *b = openFile("b", "first\r\nsecond line");
        b->SetWordWrap(true);
        b->Memo().SetCaret(9);
        openFile("c", "gamma")->SetReadOnly(true);
        openFile("gone", "deleted before the next start");
        openUntitled("not a file");
        openFile("x", "named at the next start");
        frame->activeWindow()->close();
        frame->ActivateEditWindow(b);
        ASSERT_TRUE(frame->close());
        QFile::remove(dir.filePath("gone"));

        frame = std::make_unique<TMainWindow>(store);
        frame->show();
        verno::test::WorkingDir here(dir.path());
        frame->FormShow(c.arguments);
        EXPECT_EQ(openedInOrder(*frame), c.opened);
        EXPECT_TRUE(prompter.messages.empty());
        if (c.opened.size() < 3)
            continue;
        TFileWindow *w = frame->activeWindow();
        ASSERT_EQ(w->FileName, "b");
        EXPECT_EQ(w->Memo().SelectionStart(), 9);
        EXPECT_TRUE(w->Memo().WordWrap());
        for (TFileWindow *o : frame->editWindows())
            EXPECT_EQ(o->IsReadOnly(), o->FileName == "c" || c.arguments == QStringList{"/R"});
    }
}

} // namespace
