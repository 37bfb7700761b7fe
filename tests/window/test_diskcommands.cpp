// Rename, Delete, Cut to, Copy to and Paste from, and the editing keys, through
// a shown frame with scripted dialogs.
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

// Also notes the message panel while each file dialog is open.
class HintPrompter : public ScriptedPrompter {
public:
    explicit HintPrompter(TMainWindow &frame) : frame_(frame) {}
    FileDialogResult openFile(const FileDialogRequest &r) override
    {
        hints << frame_.statusMessage();
        return ScriptedPrompter::openFile(r);
    }
    FileDialogResult saveFile(const FileDialogRequest &r) override { return openFile(r); }
    QStringList hints;

private:
    TMainWindow &frame_;
};

class DiskCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        frame.settings().Backup = false;
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        QGuiApplication::clipboard()->setText(userText);
    }
    void TearDown() override { CloseMode = CloseSingle; }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // A window on a new file, its text selected from..to.
    TFileWindow &open(const char *name, const QByteArray &bytes, int from = 0, int to = 0)
    {
        writeBytes(path(name), bytes);
        EXPECT_TRUE(frame.OpenEditWindow(path(name), false));
        select(*frame.activeWindow(), from, to);
        return *frame.activeWindow();
    }
    static void select(TFileWindow &w, int from, int to)
    {
        w.Memo().SetCaret(from);
        w.Memo().SetSelectionLength(to - from);
    }

    QString lastMessage() const { return prompter.messages.empty() ? QString() : prompter.messages.back().text; }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    QStringList history() const { return frame.CollectFileHistory(); }

    const QString userText = QStringLiteral("user text");
    QTemporaryDir dir;
    TMainWindow frame{dir.filePath(QStringLiteral("Verno.reg"))};
    HintPrompter prompter{frame};
};

TEST_F(DiskCommandsTest, RenameStaysInItsFolderAndNeverReplaces)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    writeBytes(path("taken.txt"), "other");
    TFileWindow &w = open("a.txt", "text");
    w.Memo().SetWholeText("edited");
    w.Memo().SetModifiedFlag(true);
    for (const auto &[target, message] : {std::pair{path("sub/b.txt"), "Must remain in same directory"},
                                          std::pair{path("b.txt").toUpper(), "Must remain in same directory"},
                                          std::pair{path("taken.txt"), "Unable to rename file"}}) {
        SCOPED_TRACE(target.toStdString());
        prompter.answerFile(target);
        frame.FileRenameClick();
        EXPECT_EQ(lastMessage(), QString::fromLatin1(message));
        EXPECT_EQ(prompter.messages.back().kind, MessageKind::Plain);
        EXPECT_EQ(w.FilePath(), path("a.txt"));
    }
    EXPECT_EQ(readBytes(path("taken.txt")), "other");

    prompter.answerFile(path("b.txt"));
    frame.FileRenameClick();
    EXPECT_EQ(prompter.messages.size(), 3u);
    EXPECT_FALSE(QFile::exists(path("a.txt")));
    EXPECT_EQ(readBytes(path("b.txt")), "text");
    EXPECT_EQ(w.FileName, QStringLiteral("b.txt"));
    EXPECT_EQ(w.Memo().WholeText(), "edited");
    EXPECT_TRUE(w.Memo().ModifiedFlag());
    EXPECT_EQ(history(), QStringList{path("b.txt")});
    EXPECT_EQ(prompter.fileRequests.back().fileName, QStringLiteral("a.txt"));
    EXPECT_EQ(prompter.hints.last(), QStringLiteral("Rename current file on disk"));
    EXPECT_TRUE(frame.statusMessage().isEmpty());
}

TEST_F(DiskCommandsTest, DeleteAsksWithOrWithoutThePathThenClosesTheWindow)
{
    for (bool pathOn : {false, true}) {
        frame.settings().Path = pathOn;
        TFileWindow &w = open("d.txt", "x");
        w.Memo().SetModifiedFlag(true);
        frame.FileDeleteClick(); // Esc answers Cancel
        EXPECT_EQ(lastMessage(), pathOn ? QStringLiteral("OK to delete d.txt\r\nfrom ") + dir.path() + QLatin1Char('/')
                                        : QStringLiteral("OK to delete d.txt"));
        EXPECT_EQ(prompter.messages.back().buttons, Buttons(BtnOk | BtnCancel));
        EXPECT_EQ(frame.editWindows().size(), 1);

        prompter.answers.push_back(Answer::Ok);
        const size_t asked = prompter.messages.size();
        frame.FileDeleteClick();
        EXPECT_EQ(prompter.messages.size(), asked + 1); // no question about the changes
        EXPECT_FALSE(QFile::exists(path("d.txt")));
        EXPECT_TRUE(frame.editWindows().isEmpty());
        EXPECT_FALSE(history().contains(path("d.txt")));
    }
}

TEST_F(DiskCommandsTest, CopyToAndCutToWriteTheSelectionAndKeepTheClipboard)
{
    TFileWindow &w = open("src.txt", "one\r\ntw\xE9\r\nthree", 2, 11);
    const QByteArray selected("e\r\ntw\xE9\r\nt");
    prompter.answerFile(path("copy.txt"));
    frame.EditCopyToClick();
    EXPECT_EQ(readBytes(path("copy.txt")), selected);
    EXPECT_EQ(clipboard(), userText);
    EXPECT_EQ(prompter.hints.last(), QStringLiteral("Copy selected text to disk, specifying a filename"));

    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    prompter.answerFile(path("copy2.txt"));
    frame.EditCopyToClick();
    EXPECT_EQ(clipboard(), QStringLiteral("e\ntw\u00e9\nt")); // the selection, left as text

    QGuiApplication::clipboard()->setText(userText);
    prompter.answerFile(path("cut.txt"));
    frame.EditCutToClick();
    EXPECT_EQ(readBytes(path("cut.txt")), selected);
    EXPECT_EQ(w.Memo().WholeText(), "onhree");
    EXPECT_EQ(clipboard(), userText);
    EXPECT_EQ(history().first(), path("cut.txt"));
    w.Memo().UndoLast();
    EXPECT_EQ(w.Memo().WholeText(), "one\r\ntw\xE9\r\nthree");
    EXPECT_TRUE(frame.statusMessage().isEmpty());

    // The dialog asks before replacing a file as the window's last Save As did.
    EXPECT_TRUE(prompter.fileRequests.back().confirmOverwrite);
    frame.settings().ConfirmSave = false;
    prompter.answerFile(path("src.txt"));
    frame.FileSaveAsClick();
    select(w, 0, 2);
    frame.EditCopyToClick();
    EXPECT_FALSE(prompter.fileRequests.back().confirmOverwrite);
}

TEST_F(DiskCommandsTest, CutToAFileThatCannotBeCreatedKeepsEverything)
{
    TFileWindow &w = open("src.txt", "keep\r\nthis", 1, 7);
    const QStringList before = history();
    prompter.answerFile(path("missing/x.txt"));
    frame.EditCutToClick();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("Cannot create file")));
    EXPECT_EQ(prompter.messages.back().title, QStringLiteral("Verno"));
    EXPECT_EQ(w.Memo().WholeText(), "keep\r\nthis");
    EXPECT_EQ(w.Memo().SelectionLength(), 6);
    EXPECT_EQ(clipboard(), userText);
    EXPECT_EQ(history(), before);
    EXPECT_FALSE(w.TmpText().HasText());
    EXPECT_TRUE(frame.statusMessage().isEmpty());
}

TEST_F(DiskCommandsTest, PasteFromInsertsTheFileWithCrLfBreaks)
{
    writeBytes(path("lf.txt"), "x\ny\n");
    writeBytes(path("empty.txt"), "");
    // Far beyond what a text may hold; sparse, so it takes no room on disk.
    writeBytes(path("huge.txt"), "");
    ASSERT_TRUE(QFile(path("huge.txt")).resize(qint64(1) << 40));
    // Reading a pipe nobody writes to would wait for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    TFileWindow &w = open("t.txt", "abcdef");
    const struct {
        const char *file;
        const char *after;
        size_t reports;
    } cases[] = {
        {"lf.txt", "abx\r\ny\r\nef", 0},
        {"empty.txt", "abcdef", 0}, // not the clipboard's text
        {"missing.txt", "abcdef", 1},
        {"huge.txt", "abcdef", 1},
        {"pipe", "abcdef", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        w.Memo().SetWholeText("abcdef");
        select(w, 2, 4);
        const size_t asked = prompter.messages.size();
        prompter.answerFile(path(c.file));
        frame.EditPasteFromClick();
        EXPECT_EQ(w.Memo().WholeText(), c.after);
        EXPECT_EQ(prompter.messages.size(), asked + c.reports);
        if (c.file == std::string("huge.txt")) {
            EXPECT_EQ(lastMessage(), QStringLiteral("Text exceeds memo capacity."));
        }
        EXPECT_EQ(clipboard(), userText);
        EXPECT_EQ(prompter.hints.last(), QStringLiteral("Insert text from an external file"));
    }
    EXPECT_FALSE(history().contains(path("lf.txt")));
    EXPECT_TRUE(frame.statusMessage().isEmpty());

    // A read-only window offers neither Cut to nor Paste from.
    w.SetReadOnly(true);
    select(w, 0, 2);
    frame.EditCutToClick();
    frame.EditPasteFromClick();
    EXPECT_EQ(prompter.fileRequests.size(), 5u);
}

// The keys as a user presses them in the edit control.
TEST_F(DiskCommandsTest, EditingKeysReachTheActiveWindow)
{
    TFileWindow &w = open("k.txt", "");
    QWidget *memo = w.Memo().widget();
    memo->setFocus();
    const struct {
        QKeyCombination key;
        const char *after;
    } cases[] = {
        {Qt::CTRL | Qt::Key_Y, "a\r\nc"},
        {Qt::CTRL | Qt::Key_U, "b\r\na\r\nc"},
        {Qt::CTRL | Qt::Key_D, "a\r\nc\r\nb"},
        {Qt::CTRL | Qt::Key_Backslash, "a\r\nb\r\nb\r\nc"},
        {Qt::CTRL | Qt::Key_T, "a\r\nc"},
        {Qt::CTRL | Qt::Key_Return, "a\r\n\r\nb\r\nc"},
        {QKeyCombination(Qt::Key_Delete), "a\r\n\r\nc"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        w.Memo().SetWholeText("a\r\nb\r\nc");
        w.Memo().SetCaret(3);
        frame.UpdateCommandState(false);
        QTest::keyClick(memo, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(w.Memo().WholeText(), c.after);
    }
    // Ins turns overwrite on; auto indent copies the blanks on Enter.
    w.Memo().SetWholeText("\tb\r\nc");
    w.Memo().SetCaret(1);
    QTest::keyClick(memo, Qt::Key_Insert);
    QTest::keyClicks(memo, "x");
    w.AutoIndent = true;
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(w.Memo().WholeText(), "\tx\r\n\t\r\nc");
}

} // namespace
