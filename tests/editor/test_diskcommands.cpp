// Rename, Delete, Cut to, Copy to and Paste from, and the editing keys, through
// a shown frame with scripted dialogs.
#include "app/mainwindow.h"
#include "editor/filewindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::AskedMessage;
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
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        QGuiApplication::clipboard()->setText(userText);
    }
    void TearDown() override { CloseMode = CloseSingle; }

    QString path(const QString &name) const { return dir.filePath(name); }

    TFileWindow &open(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        EXPECT_TRUE(frame.OpenEditWindow(path(name), false));
        return *frame.activeWindow();
    }

    static void select(TFileWindow &w, int from, int to)
    {
        w.Memo().SetCaret(from);
        w.Memo().SetSelectionLength(to - from);
    }

    const AskedMessage &lastMessage() const { return prompter.messages.back(); }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    const QStringList &history() { return frame.settings().FileHistory; }

    const QString userText = QStringLiteral("user text");
    QTemporaryDir dir;
    TMainWindow frame{dir.filePath(QStringLiteral("Verno.reg"))};
    HintPrompter prompter{frame};
};

TEST_F(DiskCommandsTest, RenameStaysInItsFolderAndNeverReplaces)
{
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    writeBytes(path(QStringLiteral("taken.txt")), "other");
    TFileWindow &w = open(QStringLiteral("a.txt"), "text");
    w.Memo().SetWholeText("edited");
    w.Memo().SetModifiedFlag(true);
    const struct {
        QString target;
        const char *message;
    } refused[] = {
        {path(QStringLiteral("sub/b.txt")), "Must remain in same directory"},
        {path(QStringLiteral("b.txt")).toUpper(), "Must remain in same directory"},
        {path(QStringLiteral("taken.txt")), "Unable to rename file"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.target.toStdString());
        prompter.answerFile(c.target);
        frame.FileRenameClick();
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(lastMessage().kind, MessageKind::Plain);
        EXPECT_EQ(lastMessage().text, QString::fromLatin1(c.message));
        EXPECT_EQ(w.FilePath(), path(QStringLiteral("a.txt")));
        EXPECT_EQ(readBytes(path(QStringLiteral("a.txt"))), "text");
    }
    EXPECT_EQ(readBytes(path(QStringLiteral("taken.txt"))), "other");

    const qsizetype asked = qsizetype(prompter.messages.size());
    prompter.answerFile(path(QStringLiteral("b.txt")));
    frame.FileRenameClick();
    EXPECT_EQ(qsizetype(prompter.messages.size()), asked);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("a.txt"))));
    EXPECT_EQ(readBytes(path(QStringLiteral("b.txt"))), "text");
    EXPECT_EQ(w.FileName, QStringLiteral("b.txt"));
    EXPECT_EQ(w.Memo().WholeText(), "edited");
    EXPECT_TRUE(w.Memo().ModifiedFlag());
    EXPECT_EQ(history().first(), path(QStringLiteral("b.txt")));
    EXPECT_FALSE(history().contains(path(QStringLiteral("a.txt"))));
    const FileDialogRequest &r = prompter.fileRequests.back();
    EXPECT_EQ(r.title, QStringLiteral("Rename"));
    EXPECT_EQ(r.fileName, QStringLiteral("a.txt"));
    EXPECT_FALSE(r.confirmOverwrite);
    EXPECT_EQ(prompter.hints.last(), QStringLiteral("Rename current file on disk"));
    EXPECT_TRUE(frame.statusMessage().isEmpty());
}

TEST_F(DiskCommandsTest, DeleteAsksWithOrWithoutThePathThenClosesTheWindow)
{
    for (bool pathOn : {false, true}) {
        frame.settings().Path = pathOn;
        const QString file = path(QStringLiteral("d.txt"));
        TFileWindow &w = open(QStringLiteral("d.txt"), "x");
        w.Memo().SetModifiedFlag(true);
        frame.FileDeleteClick(); // Esc answers Cancel
        const QString question = pathOn ? QStringLiteral("OK to delete d.txt\r\nfrom ") + dir.path() + QLatin1Char('/')
                                        : QStringLiteral("OK to delete d.txt");
        EXPECT_EQ(lastMessage().text, question);
        EXPECT_EQ(lastMessage().kind, MessageKind::Confirm);
        EXPECT_EQ(lastMessage().buttons, Buttons(BtnOk | BtnCancel));
        EXPECT_TRUE(QFile::exists(file));
        ASSERT_EQ(frame.editWindows().size(), 1);

        prompter.answers.push_back(Answer::Ok);
        const size_t asked = prompter.messages.size();
        frame.FileDeleteClick();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(prompter.messages.size(), asked + 1); // no question about the changes
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_TRUE(frame.editWindows().isEmpty());
        EXPECT_FALSE(history().contains(file));
    }
}

TEST_F(DiskCommandsTest, CopyToAndCutToWriteTheSelectionAndKeepTheClipboard)
{
    TFileWindow &w = open(QStringLiteral("src.txt"), "one\r\ntw\xE9\r\nthree");
    const QByteArray selected("e\r\ntw\xE9\r\nt");
    const auto copyTo = [&](const QString &name) {
        select(w, 2, 11);
        prompter.answerFile(path(name));
        frame.EditCopyToClick();
        EXPECT_EQ(readBytes(path(name)), selected);
        EXPECT_EQ(history().first(), path(name));
    };
    copyTo(QStringLiteral("copy.txt"));
    EXPECT_EQ(clipboard(), userText);
    EXPECT_EQ(prompter.fileRequests.back().title, QStringLiteral("Copy to"));
    EXPECT_TRUE(prompter.fileRequests.back().confirmOverwrite);
    EXPECT_EQ(prompter.hints.last(), QStringLiteral("Copy selected text to disk, specifying a filename"));

    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    copyTo(QStringLiteral("copy2.txt"));
    EXPECT_EQ(clipboard(), QStringLiteral("e\ntw\u00e9\nt")); // the selection, left as text

    QGuiApplication::clipboard()->setText(userText);
    select(w, 2, 11);
    prompter.answerFile(path(QStringLiteral("cut.txt")));
    frame.EditCutToClick();
    EXPECT_EQ(readBytes(path(QStringLiteral("cut.txt"))), selected);
    EXPECT_EQ(w.Memo().WholeText(), "onhree");
    EXPECT_EQ(clipboard(), userText);
    w.Memo().UndoLast();
    EXPECT_EQ(w.Memo().WholeText(), "one\r\ntw\xE9\r\nthree");
    EXPECT_EQ(prompter.hints.last(), QStringLiteral("Cut selected text to disk, specifying a filename"));
    EXPECT_TRUE(frame.statusMessage().isEmpty());
}

TEST_F(DiskCommandsTest, CutToAFileThatCannotBeWrittenKeepsEverything)
{
    const QString readOnly = path(QStringLiteral("ro.txt"));
    writeBytes(readOnly, "old");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    TFileWindow &w = open(QStringLiteral("src.txt"), "keep\r\nthis");
    const QStringList history0 = history();
    for (const QString &target : {path(QStringLiteral("missing/x.txt")), readOnly}) {
        SCOPED_TRACE(target.toStdString());
        select(w, 1, 7);
        prompter.answerFile(target);
        frame.EditCutToClick();
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(lastMessage().title, QStringLiteral("Verno"));
        EXPECT_TRUE(lastMessage().text.startsWith(QStringLiteral("Cannot create file")));
        EXPECT_EQ(w.Memo().WholeText(), "keep\r\nthis");
        EXPECT_EQ(w.Memo().SelectionStart(), 1);
        EXPECT_EQ(w.Memo().SelectionLength(), 6);
        EXPECT_EQ(clipboard(), userText);
        EXPECT_EQ(history(), history0);
        EXPECT_FALSE(w.TmpText().HasText());
        EXPECT_TRUE(frame.statusMessage().isEmpty());
    }
    EXPECT_EQ(readBytes(readOnly), "old");
}

TEST_F(DiskCommandsTest, PasteFromInsertsTheFileWithCrLfBreaks)
{
    writeBytes(path(QStringLiteral("lf.txt")), "x\ny\n");
    writeBytes(path(QStringLiteral("empty.txt")), "");
    TFileWindow &w = open(QStringLiteral("t.txt"), "abcdef");
    const struct {
        const char *file;
        const char *after;
        bool reported;
    } cases[] = {
        {"lf.txt", "abx\r\ny\r\nef", false},
        {"empty.txt", "abcdef", false}, // not the clipboard's text
        {"missing.txt", "abcdef", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        w.Memo().SetWholeText("abcdef");
        select(w, 2, 4);
        const size_t asked = prompter.messages.size();
        prompter.answerFile(path(QString::fromLatin1(c.file)));
        frame.EditPasteFromClick();
        EXPECT_EQ(w.Memo().WholeText(), c.after);
        EXPECT_EQ(prompter.messages.size(), asked + (c.reported ? 1 : 0));
        EXPECT_EQ(clipboard(), userText);
        EXPECT_EQ(prompter.fileRequests.back().title, QStringLiteral("Paste from"));
        EXPECT_EQ(prompter.hints.last(), QStringLiteral("Insert text from an external file"));
        EXPECT_TRUE(frame.statusMessage().isEmpty());
    }
    EXPECT_FALSE(history().contains(path(QStringLiteral("lf.txt"))));

    // A read-only window offers neither Cut to nor Paste from.
    w.SetReadOnly(true);
    select(w, 0, 2);
    const size_t dialogs = prompter.fileRequests.size();
    frame.EditCutToClick();
    frame.EditPasteFromClick();
    EXPECT_EQ(prompter.fileRequests.size(), dialogs);
}

// The keys as a user presses them in the edit control.
TEST_F(DiskCommandsTest, EditingKeysReachTheActiveWindow)
{
    TFileWindow &w = open(QStringLiteral("k.txt"), "a\r\nb\r\nc");
    QWidget *memo = w.Memo().widget();
    memo->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), memo);
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
    EXPECT_FALSE(frame.InsertMode);
}

} // namespace
