// Files changed by other programs while they are open: read again, asked
// about, or noted as gone; a save over such a change asks first. The watcher
// is driven through the event loop, waiting on what the user would see.
#include "app/frametest.h"
#include "platform/filewatcher.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <functional>
#include <unistd.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::writeBytes;

namespace {

constexpr int kBound = 20000; // ms; the watcher answers in a fraction of that

void append(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(bytes);
}

// As editors that save by renaming a new file over the old one do.
void replaceByRename(const QString &path, const QByteArray &bytes)
{
    writeBytes(path + QStringLiteral(".new"), bytes);
    ASSERT_EQ(
        ::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(), QFile::encodeName(path).constData()), 0);
}

class DiskChangeTest : public test::FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        StatusReady = true; // questions wait for a running program
    }
    QString text(TFileWindow *w) const { return QString::fromStdString(w->Memo().WholeText()); }
    // A save puts a new file under the name (the old one stays as the
    // backup): what the name holds now is watched.
    void expectWatchedAfterSave(TFileWindow *w, const QString &path)
    {
        const QString saved = text(w);
        // The save's own notices are in by now; they must not be what finds the change.
        QCoreApplication::processEvents();
        frame->fileWatcher().flush();
        append(path, "after\n");
        EXPECT_TRUE(QTest::qWaitFor([&] { return text(w) == saved + QStringLiteral("after\r\n"); }, kBound));
    }
    int asked(const QString &part) const
    {
        return int(std::count_if(prompter.messages.begin(), prompter.messages.end(),
                                 [&](const test::AskedMessage &m) { return m.text.contains(part); }));
    }
};

TEST_F(DiskChangeTest, ChangedTruncatedReplacedDeletedWithTheWindowModifiedOrNot)
{
    struct Case {
        const char *label;
        std::function<void(const QString &)> change;
        const char *after; // the text read again; nullptr: the file is gone
    };
    const Case cases[] = {
        {"appended", [](const QString &p) { append(p, "three\n"); }, "one\r\ntwo\r\nthree\r\n"},
        {"truncated", [](const QString &p) { writeBytes(p, ""); }, ""},
        {"replaced by rename", [](const QString &p) { replaceByRename(p, "new\n"); }, "new\r\n"},
        {"changed twice quickly",
         [](const QString &p) {
             writeBytes(p, "first\n");
             writeBytes(p, "second\n");
         },
         "second\r\n"},
        {"deleted", [](const QString &p) { QFile::remove(p); }, nullptr},
    };
    int n = 0;
    for (const Case &c : cases) {
        for (const bool modified : {false, true}) {
            SCOPED_TRACE(std::string(c.label) + (modified ? ", modified" : ", not modified"));
            prompter.messages.clear();
            frame->SetStatusMessage(QString());
            const QString path = dir.filePath(QStringLiteral("f%1.txt").arg(++n));
            TFileWindow *w = openFile(QFileInfo(path).fileName(), "one\ntwo\n");
            auto *view = qobject_cast<QAbstractScrollArea *>(w->Memo().widget());
            const int scroll = view->verticalScrollBar()->value();
            w->Memo().SetCaret(w->Memo().LineStart(1));
            if (modified)
                w->Memo().ReplaceSelection("mine ");
            const QString before = text(w);
            c.change(path);

            if (!c.after) {
                // The window stays, marked modified, and Save writes the file again.
                EXPECT_TRUE(
                    QTest::qWaitFor([&] { return frame->statusMessage().contains("deleted or moved"); }, kBound));
                EXPECT_EQ(frame->statusMessage(), path + " was deleted or moved away by another program");
                EXPECT_TRUE(frame->editWindows().contains(w));
                EXPECT_TRUE(w->Memo().ModifiedFlag());
                EXPECT_EQ(text(w), before);
                EXPECT_TRUE(w->Save());
                EXPECT_EQ(readBytes(path), before.toLatin1());
                EXPECT_TRUE(prompter.messages.empty());
                expectWatchedAfterSave(w, path);
                continue;
            }
            if (!modified) {
                // Read again without a word; Undo brings back what the window had.
                EXPECT_TRUE(QTest::qWaitFor([&] { return text(w) == c.after; }, kBound));
                EXPECT_TRUE(prompter.messages.empty());
                EXPECT_FALSE(w->Memo().ModifiedFlag());
                EXPECT_EQ(view->verticalScrollBar()->value(), scroll);
                if (c.label == std::string("appended")) {
                    EXPECT_EQ(w->Memo().SelectionStart(), w->Memo().LineStart(1)) << "the caret stays on its line";
                }
                // Still watched, whatever became of the file.
                append(path, "more\n");
                EXPECT_TRUE(QTest::qWaitFor([&] { return text(w) == c.after + QStringLiteral("more\r\n"); }, kBound));
                w->EditUndoClick();
                EXPECT_EQ(text(w), c.after);
                w->EditUndoClick();
                EXPECT_EQ(text(w), before);
                EXPECT_TRUE(w->Memo().ModifiedFlag());
                continue;
            }
            // Asked once; No keeps the text and its modified flag.
            const QString question = path + " was changed by another program. Reload it and lose your changes?";
            EXPECT_TRUE(QTest::qWaitFor([&] { return asked(question) > 0; }, kBound));
            w->diskGuard().check();
            QCoreApplication::processEvents();
            EXPECT_EQ(asked(question), 1);
            EXPECT_EQ(text(w), before);
            EXPECT_TRUE(w->Memo().ModifiedFlag());
            // A save over the other program's change asks; No writes nothing, Yes replaces it.
            const QByteArray theirs = readBytes(path);
            EXPECT_FALSE(w->Save());
            EXPECT_EQ(asked(path + " was changed by another program since it was opened. "
                                   "Save anyway and replace that change?"),
                      1);
            EXPECT_EQ(readBytes(path), theirs);
            prompter.answers = {Answer::Yes};
            EXPECT_TRUE(w->Save());
            EXPECT_EQ(readBytes(path), before.toLatin1());
            expectWatchedAfterSave(w, path);
        }
    }
}

TEST_F(DiskChangeTest, AQuestionWaitsForItsWindowToComeToTheFront)
{
    frame->settings().AutoReload = false; // unmodified windows ask too
    TFileWindow *back = openFile(QStringLiteral("back.txt"), "old\n");
    TFileWindow *front = openFile(QStringLiteral("front.txt"), "front\n");
    ASSERT_EQ(frame->activeWindow(), front);
    writeBytes(dir.filePath(QStringLiteral("back.txt")), "new\n");
    back->diskGuard().check(); // what the watcher does
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompter.messages.empty());

    prompter.answers = {Answer::Yes};
    frame->ActivateEditWindow(back);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompter.messages.empty(); }, kBound));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, back->FullName() + " was changed by another program. Reload it?");
    EXPECT_EQ(text(back), "new\r\n");
    EXPECT_FALSE(back->Memo().ModifiedFlag());
}

} // namespace

namespace {

// Some file systems send no notices: coming to the front is when the file is
// looked at, and the stamp is what tells a change the watcher missed.
TEST_F(DiskChangeTest, AChangeTheWatcherMissedIsFoundWhenTheWindowComesToTheFront)
{
    TFileWindow *back = openFile(QStringLiteral("blind.txt"), "old\n");
    TFileWindow *front = openFile(QStringLiteral("other.txt"), "other\n");
    ASSERT_EQ(frame->activeWindow(), front);
    frame->fileWatcher().unwatch(&back->diskGuard());
    // Same size, and a time the file system may not tell apart: the inode differs.
    replaceByRename(dir.filePath(QStringLiteral("blind.txt")), "new\n");
    QTest::qWait(300);
    EXPECT_EQ(text(back), "old\r\n");

    frame->ActivateEditWindow(back);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(back) == "new\r\n"; }, kBound));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(back->Memo().ModifiedFlag());
}

// With "Keep each file's line breaks" a file read again keeps the breaks the
// other program wrote, in the caption and in the next save.
TEST_F(DiskChangeTest, AFileReadAgainKeepsTheBreaksItNowHas)
{
    const struct {
        const char *before, *after, *saved, *caption;
    } cases[] = {
        {"a\nb\n", "c\r\nd\r\n", "xc\r\nd\r\n", "k.txt"},
        {"a\r\nb\r\n", "c\nd\n", "xc\nd\n", "k.txt [LF]"},
    };
    frame->settings().Path = false;
    frame->settings().KeepLineBreaks = true;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after);
        TFileWindow *w = openFile(QStringLiteral("k.txt"), c.before);
        replaceByRename(dir.filePath(QStringLiteral("k.txt")), c.after);
        ASSERT_TRUE(QTest::qWaitFor([&] { return text(w).startsWith(QLatin1Char('c')); }, kBound));
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(c.caption));
        w->Memo().SetCaret(0);
        w->Memo().ReplaceSelection("x");
        ASSERT_TRUE(w->Save());
        EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("k.txt"))), c.saved);
        w->close();
    }
}

// A file read again is read in the code opening it would give, unless the
// user turned the window's code over.
TEST_F(DiskChangeTest, AFileReadAgainIsReadInTheCodeOpeningItWouldGive)
{
    const QByteArray utf8 = "caf\xc3\xa9\n";
    for (const bool turned : {false, true}) {
        SCOPED_TRACE(turned ? "turned over" : "as opened");
        TFileWindow *w = openFile(QStringLiteral("u.txt"), "plain\n");
        ASSERT_FALSE(w->Memo().Utf8());
        if (turned) {
            w->OptUtf8Click();
            w->OptUtf8Click();
        }
        replaceByRename(dir.filePath(QStringLiteral("u.txt")), utf8);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->Memo().WholeText().starts_with("caf"); }, kBound));
        EXPECT_EQ(w->Memo().Utf8(), !turned);
        w->close();
    }
}

} // namespace
