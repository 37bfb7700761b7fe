// Recovery copies of modified texts, kept by the frame while it runs.
#include "app/frametest.h"
#include "platform/recoveryfolder.h"
#include "window/recoverykeeper.h"

#include <QDir>

using namespace verno;
using verno::test::readBytes;

namespace {

class RecoveryTest : public test::FrameTest {
protected:
    // A recovery folder of the test's own, so other tests' copies never show.
    void SetUp() override
    {
        oldState_ = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(state_.path()));
        FrameTest::SetUp();
    }
    void TearDown() override
    {
        FrameTest::TearDown();
        qputenv("XDG_STATE_HOME", oldState_);
    }

    RecoveryKeeper &keeper() { return frame->recoveryKeeper(); }
    // The copies on disk now, by file name.
    QStringList copies()
    {
        keeper().flush();
        return keeper().folder().isEmpty() ? QStringList()
                                           : QDir(keeper().folder()).entryList({QStringLiteral("*.rec")}, QDir::Files);
    }
    QByteArray copy(const QString &name) { return readBytes(keeper().folder() + QLatin1Char('/') + name); }

private:
    QTemporaryDir state_;
    QByteArray oldState_;
};

TEST_F(RecoveryTest, ACopyFollowsAModifiedTextAndGoesWhenItIsSavedClosedOrTheProgramEnds)
{
    TFileWindow *w = openFile(QStringLiteral("a.txt"), "abc\n");
    EXPECT_TRUE(copies().isEmpty()) << "nothing is kept of an unmodified text";
    w->Memo().ReplaceSelection("x");
    ASSERT_EQ(copies().size(), 1);
    const QByteArray kept = copy(copies()[0]);
    EXPECT_TRUE(kept.contains("\nPath " + QFile::encodeName(w->FilePath()).toPercentEncoding() + "\n"));
    EXPECT_TRUE(kept.contains("\nCaret 1\n"));
    EXPECT_TRUE(kept.endsWith("\n\nxabc\r\n"));
    ASSERT_TRUE(w->Save());
    EXPECT_TRUE(copies().isEmpty()) << "saved";

    TFileWindow *u = openUntitled("");
    u->Memo().ReplaceSelection("draft");
    ASSERT_EQ(copies().size(), 1);
    EXPECT_TRUE(copy(copies()[0]).contains("\nUntitled 2\n"));
    prompter.answers = {Answer::No};
    u->close();
    EXPECT_TRUE(copies().isEmpty()) << "closed without saving";

    focusMemo(w);
    QTest::keyClicks(w->Memo().widget(), QStringLiteral("y"));
    ASSERT_EQ(copies().size(), 1);
    w->EditUndoClick();
    EXPECT_TRUE(copies().isEmpty()) << "undone back to the saved text";
    w->Memo().ReplaceSelection("z");
    ASSERT_EQ(copies().size(), 1);
    const QString folder = keeper().folder();
    prompter.answers = {Answer::No};
    frame->FileExitClick();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(QFileInfo::exists(folder)) << "a clean exit leaves nothing";
}

TEST_F(RecoveryTest, ALargeTextChangedWhileItIsCopiedIsCopiedAgainWhole)
{
    TFileWindow *w = openUntitled(std::string(3 << 20, 'a'));
    w->Memo().ReplaceSelection("b");
    keeper().startWaiting(); // the first slice is copied now, the rest between events
    EXPECT_TRUE(keeper().copying());
    for (const int at : {0, w->Memo().TextLength() - 1}) { // in a slice copied, and in one not yet
        w->Memo().SetCaret(at);
        w->Memo().SetSelectionLength(1);
        w->Memo().ReplaceSelection("z");
    }
    QCoreApplication::processEvents(); // the next slice finds the change
    EXPECT_FALSE(keeper().copying());
    // Typing that never stops would cut every copy short: an overdue text cut short goes in one go.
    keeper().startWaiting();
    EXPECT_FALSE(keeper().copying());
    ASSERT_EQ(copies().size(), 1);
    EXPECT_TRUE(copy(copies()[0]).endsWith("\n\n" + QByteArray::fromStdString(w->Memo().WholeText())));
}

TEST_F(RecoveryTest, SessionEndAsksAsExitDoesAndNothingQuitsWhileATextCannotBeKept)
{
    TFileWindow *w = openFile(QStringLiteral("a.txt"), "abc\n");
    w->Memo().ReplaceSelection("x");
    const QString settings = dir.filePath(QStringLiteral("Verno.reg"));
    EXPECT_TRUE(frame->CommitSession(false));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(QFile::exists(settings));
    ASSERT_EQ(QDir(keeper().folder()).entryList({QStringLiteral("*.rec")}).size(), 1);
    EXPECT_TRUE(frame->isVisible());
    {
        // A quit signal when the copy cannot be written, as on a full disk: the program stays.
        test::FileSizeLimit full(10);
        frame->QuitOnSignal(SIGTERM);
    }
    EXPECT_FALSE(frame->quitting());
    EXPECT_TRUE(frame->statusMessage().contains(QStringLiteral("cannot be kept")));

    prompter.answers = {Answer::Cancel};
    EXPECT_FALSE(frame->CommitSession(true));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].buttons, BtnYes | BtnNo | BtnCancel | BtnAll);
    EXPECT_TRUE(frame->isVisible());
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(frame->CommitSession(true));
    EXPECT_EQ(readBytes(w->FilePath()), "xabc\r\n");
}

// What an earlier program left is restored, deleted or kept for later, as answered.
TEST_F(RecoveryTest, NoDeletesTheOfferedTextsAndCancelKeepsThemForTheNextStart)
{
    const QString root = keeper().root();
    {
        RecoveryFolder ended(root);
        QString error;
        ASSERT_TRUE(ended.write(1, RecoveryRecord{}, {"lost?"}, error));
    }
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        prompter.answers = {answer};
        frame->OfferRecovery();
        EXPECT_TRUE(frame->editWindows().isEmpty());
        EXPECT_EQ(RecoveryOrphans(root).records().size(), answer == Answer::Cancel ? 1u : 0u);
    }
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "Unsaved text from an earlier session was found: restore it?\r\rUntitled 1");
    EXPECT_TRUE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// A restored text is read as its file would be: UTF-8 when it holds UTF-8.
TEST_F(RecoveryTest, YesRestoresEachTextModifiedAndInItsOwnCode)
{
    const std::string texts[] = {"Gr\xc3\xbc\xc3\x9f" "e\r\n", "caf\xe9"};
    {
        RecoveryFolder ended(keeper().root());
        QString error;
        for (int k = 0; k < 2; ++k) {
            RecoveryRecord record;
            record.untitled = k + 1;
            ASSERT_TRUE(ended.write(k + 1, record, {texts[k]}, error));
        }
    }
    prompter.answers = {Answer::Yes};
    frame->OfferRecovery();
    ASSERT_EQ(frame->editWindows().size(), 2);
    for (TFileWindow *w : frame->editWindows()) {
        const std::string text = w->Memo().WholeText();
        EXPECT_TRUE(w->Memo().ModifiedFlag());
        EXPECT_EQ(w->Memo().Utf8(), text == texts[0]) << text;
    }
}

// A text restored from its copy is in the code its window had and is saved
// with the breaks its file had.
TEST_F(RecoveryTest, ARestoredTextKeepsItsWindowsCodeAndItsFilesBreaks)
{
    frame->settings().Path = false;
    frame->settings().KeepLineBreaks = true;
    TFileWindow *w = openFile(QStringLiteral("r.txt"), "Gr\xc3\xbc\xc3\x9f" "e\nb\n");
    w->Memo().SetUtf8(false); // the user reads these bytes one a character
    w->Memo().SetCaret(0);
    w->Memo().ReplaceSelection("x");
    const RecoveryRecord record = w->recoveryRecord();
    const std::string text = w->Memo().WholeText();
    {
        RecoveryFolder ended(keeper().root());
        QString error;
        ASSERT_TRUE(ended.write(1, record, {text}, error));
    }
    w->Memo().SetModifiedFlag(false);
    w->close();
    prompter.answers = {Answer::Yes};
    frame->OfferRecovery();
    ASSERT_EQ(frame->editWindows().size(), 1);
    TFileWindow *back = frame->editWindows().front();
    EXPECT_FALSE(back->Memo().Utf8());
    EXPECT_EQ(back->windowTitle(), "r.txt [LF]");
    ASSERT_TRUE(back->Save());
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("r.txt"))), "xGr\xc3\xbc\xc3\x9f" "e\nb\n");
}

// A file already opened unchanged at start (the last session, the command
// line) takes its restored text in that window; a changed one keeps its own.
TEST_F(RecoveryTest, ARestoredTextGoesIntoTheUnchangedWindowOnItsFile)
{
    TFileWindow *same = openFile(QStringLiteral("s.txt"), "disk\n");
    TFileWindow *changed = openFile(QStringLiteral("c.txt"), "disk\n");
    changed->Memo().ReplaceSelection("mine ");
    {
        RecoveryFolder ended(keeper().root());
        QString error;
        RecoveryRecord record;
        for (const char *name : {"s.txt", "c.txt"}) {
            record.path = dir.filePath(QLatin1String(name));
            ASSERT_TRUE(ended.write(++record.untitled, record, {"kept\r\n"}, error));
        }
    }
    prompter.answers = {Answer::Yes};
    frame->OfferRecovery();
    ASSERT_EQ(frame->editWindows().size(), 3);
    EXPECT_EQ(same->Memo().WholeText(), "kept\r\n");
    EXPECT_TRUE(same->Memo().ModifiedFlag());
    EXPECT_EQ(changed->Memo().WholeText(), "mine disk\r\n");
}

} // namespace
