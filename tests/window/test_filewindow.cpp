// Edit window: load, save with backup, Save As, the close question, read-only
// mode and names, driven through a real frame with scripted message boxes.
#include "app/mainwindow.h"
#include "editor/fileio.h"
#include "window/filewindow.h"
#include "testsupport.h"
#include "util/textstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

const QString kReadOnlySave =
    QStringLiteral("Unable to save as \"%1\"\rDiskfile is read-only. Use a different filename.");

class FileWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        frame.settings().Backup = false;
    }
    void TearDown() override { CloseMode = CloseSingle; }

    QString path(const QString &name) const { return dir.filePath(name); }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Writes the file, opens it and gives its window.
    TFileWindow &open(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        EXPECT_TRUE(frame.OpenEditWindow(path(name), false));
        return windowFor(path(name));
    }

    TFileWindow &windowFor(const QString &file)
    {
        for (TFileWindow *w : frame.editWindows())
            if (w->FilePath() == file)
                return *w;
        ADD_FAILURE() << "no window for " << file.toStdString();
        std::abort();
    }

    // A new untitled window; every one has the same empty name.
    TFileWindow &untitled()
    {
        const QList<TFileWindow *> before = frame.editWindows();
        EXPECT_TRUE(frame.OpenEditWindow(QString(), false));
        for (TFileWindow *w : frame.editWindows())
            if (!before.contains(w))
                return *w;
        ADD_FAILURE() << "no new window";
        std::abort();
    }

    static int modeOf(const QString &file)
    {
        struct stat st {};
        return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }

    static void edit(TFileWindow &w, const std::string &text)
    {
        w.Memo().SetWholeText(text);
        w.Memo().SetModifiedFlag(true);
    }

    // Every name in the folder, hidden ones too (a left-over temporary file shows).
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir dir;
    TMainWindow frame{dir.filePath(QStringLiteral("Verno.reg"))};
    ScriptedPrompter prompter;
};

// --- load ------------------------------------------------------------------------

struct BreakCase {
    const char *file;
    const char *text; // as held after loading and as written back by Save
};

TEST_F(FileWindowTest, LoadNormalisesBreaksAndSaveWritesThemBack)
{
    const BreakCase cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"},
        {"a\n\rb", "a\r\n\r\nb"}, // LF CR is two breaks
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
        {"no final break", "no final break"},
        {"", ""},
    };
    int n = 0;
    for (const BreakCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "file " << testing::PrintToString(std::string(c.file)));
        const QString name = QStringLiteral("f%1.txt").arg(n++);
        TFileWindow &w = open(name, QByteArray(c.file));
        EXPECT_EQ(w.Memo().WholeText(), c.text);
        EXPECT_FALSE(w.Memo().ModifiedFlag());
        EXPECT_EQ(w.Memo().SelectionStart(), 0);
        ASSERT_TRUE(w.Save());
        EXPECT_EQ(readBytes(path(name)), QByteArray(c.text));
    }
    EXPECT_TRUE(prompter.messages.empty());
}

// Large files are read in blocks of a few megabytes, several at once: a
// break split between two blocks or two readers still loads as one.
TEST_F(FileWindowTest, FileOfManyReadBlocksLoadsByteExact)
{
    static const char *const breaks[] = {"\r\n", "\n", "\r", "\n\r"};
    std::string raw;
    for (int i = 0; raw.size() < 9'500'000; ++i)
        raw += "line " + std::to_string(i) + breaks[i % 4];
    const size_t mb = size_t(1) << 20;
    for (const size_t at : {4 * mb, raw.size() / 2, 8 * mb, 8 * mb + mb / 2})
        raw.replace(at - 1, 2, "\r\n");
    raw += "no final break";
    TFileWindow &w = open(QStringLiteral("big.txt"), QByteArray::fromStdString(raw));
    const std::string text = w.Memo().WholeText();
    ASSERT_EQ(text.size(), TextStore::normalizeBreaks(raw).size());
    EXPECT_TRUE(text == TextStore::normalizeBreaks(raw));
    EXPECT_EQ(w.Memo().LineCount(), int(std::count(text.begin(), text.end(), '\n')) + 1);
    EXPECT_EQ(w.Memo().LineText(w.Memo().LineCount() - 1), "no final break");
}

// A file read ahead while the program starts is taken only by a window for
// that very file, and only while it is unchanged.
TEST_F(FileWindowTest, TextReadAheadIsTakenOnlyForTheUnchangedFile)
{
    std::string raw(9 << 20, 'a'); // large enough to be read ahead
    for (size_t i = 99; i < raw.size(); i += 100)
        raw[i] = '\n';
    writeBytes(path("ahead.txt"), QByteArray::fromStdString(raw));
    writeBytes(path("other.txt"), "other");
    PreparedText text;
    startPreload(path("ahead.txt"));
    EXPECT_FALSE(takePreload(path("other.txt"), text));
    ASSERT_TRUE(takePreload(path("ahead.txt"), text));
    EXPECT_TRUE(std::string_view(text.bytes.data(), text.bytes.size()) == TextStore::normalizeBreaks(raw));
    EXPECT_EQ(text.breaks, raw.size() / 100);
    EXPECT_FALSE(takePreload(path("ahead.txt"), text)) << "taken once";

    startPreload(path("ahead.txt"));
    QFile file(path("ahead.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("tail");
    file.close();
    EXPECT_FALSE(takePreload(path("ahead.txt"), text));
    TFileWindow &w = open(QStringLiteral("ahead.txt"), QByteArray::fromStdString(raw + "tail"));
    EXPECT_TRUE(w.Memo().WholeText() == TextStore::normalizeBreaks(raw + "tail"));
}

TEST_F(FileWindowTest, EveryByteButBreaksSurvivesLoadAndSave)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes += char(b);
    bytes.insert(100, "\r\n");
    bytes += "\r\n";
    TFileWindow &w = open(QStringLiteral("all.bin"), QByteArray::fromStdString(bytes));
    EXPECT_EQ(w.Memo().WholeText(), bytes);
    edit(w, w.Memo().WholeText());
    ASSERT_TRUE(w.Save());
    EXPECT_EQ(readBytes(path("all.bin")).toStdString(), bytes);
    EXPECT_FALSE(w.Memo().ModifiedFlag());
}

// --- save and backup -------------------------------------------------------------------

TEST_F(FileWindowTest, BackupHoldsTheBytesBeforeEachSave)
{
    for (const bool backup : {false, true}) {
        SCOPED_TRACE(backup ? "Backup on" : "Backup off");
        QFile::remove(path("a.txt"));
        writeBytes(path("a.bak"), "older backup");
        frame.settings().Backup = backup;
        TFileWindow &w = open(QStringLiteral("a.txt"), "first\n");
        edit(w, "second");
        ASSERT_TRUE(w.Save());
        edit(w, "third");
        ASSERT_TRUE(w.Save());
        EXPECT_EQ(readBytes(path("a.txt")), "third");
        EXPECT_EQ(readBytes(path("a.bak")), backup ? "second" : "older backup");
        EXPECT_EQ(entries(), (QStringList{"a.bak", "a.txt"}));
        w.Memo().SetModifiedFlag(false);
        w.close();
    }
}

TEST_F(FileWindowTest, BackupNameReplacesTheLastExtension)
{
    frame.settings().Backup = true;
    QDir(dir.path()).mkdir(QStringLiteral("d.x"));
    const struct {
        const char *file, *backup;
    } cases[] = {
        {"v.1.txt", "v.1.bak"},
        {"noext", "noext.bak"},
        {"d.x/plain", "d.x/plain.bak"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        TFileWindow &w = open(QString::fromLatin1(c.file), "old");
        edit(w, "new");
        ASSERT_TRUE(w.Save());
        EXPECT_EQ(readBytes(path(c.backup)), "old");
        EXPECT_EQ(readBytes(path(c.file)), "new");
    }
}

TEST_F(FileWindowTest, SavingTheBackupFileItselfLeavesNoBackup)
{
    frame.settings().Backup = true;
    TFileWindow &w = open(QStringLiteral("x.bak"), "old");
    edit(w, "new");
    ASSERT_TRUE(w.Save());
    EXPECT_EQ(readBytes(path("x.bak")), "new");
    EXPECT_EQ(entries(), QStringList{"x.bak"});
}

TEST_F(FileWindowTest, SaveKeepsPermissionsAndWritesThroughLinks)
{
    const QString real = path("real.txt");
    writeBytes(real, "old");
    ::chmod(QFile::encodeName(real).constData(), 0640);
    QDir(dir.path()).mkdir(QStringLiteral("links"));
    ASSERT_TRUE(QFile::link(real, path("links/one")));
    ASSERT_TRUE(QFile::link(QStringLiteral("one"), path("links/two"))); // a chain
    const struct {
        const char *link, *text;
    } cases[] = {{"links/one", "through one"}, {"links/two", "through two"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link);
        const QString link = path(c.link);
        ASSERT_TRUE(frame.OpenEditWindow(link, false));
        TFileWindow &w = windowFor(link);
        edit(w, c.text);
        ASSERT_TRUE(w.Save());
        EXPECT_EQ(readBytes(real).toStdString(), c.text);
        EXPECT_EQ(modeOf(real), 0640);
        for (const char *l : {"links/one", "links/two"})
            EXPECT_TRUE(QFileInfo(path(l)).isSymLink()) << l << " is no longer a link";
    }
}

TEST_F(FileWindowTest, SaveToReadOnlyFileIsRefusedAndWritesNothing)
{
    frame.settings().Backup = true;
    TFileWindow &w = open(QStringLiteral("ro.txt"), "old");
    ::chmod(QFile::encodeName(path("ro.txt")).constData(), 0444);
    edit(w, "new");
    EXPECT_FALSE(w.Save());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.messages[0].title, "Error");
    EXPECT_EQ(prompter.messages[0].text, kReadOnlySave.arg(path("ro.txt")));
    EXPECT_EQ(prompter.messages[0].buttons, Buttons(BtnOk));
    EXPECT_EQ(readBytes(path("ro.txt")), "old");
    EXPECT_EQ(entries(), QStringList{"ro.txt"});
    EXPECT_TRUE(w.Memo().ModifiedFlag());
}

TEST_F(FileWindowTest, FileTooLargeForATextIsRefusedBeforeItIsRead)
{
    // Sparse: a terabyte that takes no room on disk, and must not be read.
    writeBytes(path("huge.txt"), "");
    ASSERT_TRUE(QFile(path("huge.txt")).resize(qint64(1) << 40));
    EXPECT_FALSE(frame.OpenEditWindow(path("huge.txt"), false));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Unable to load \"" + path("huge.txt") + "\"\rText exceeds memo capacity");
    EXPECT_TRUE(frame.editWindows().isEmpty());
}

TEST_F(FileWindowTest, FailedWriteLeavesFileAndBackupIntact)
{
    frame.settings().Backup = true;
    writeBytes(path("big.bak"), "older backup");
    TFileWindow &w = open(QStringLiteral("big.txt"), "original");
    edit(w, std::string(4096, 'x'));
    bool saved = true;
    {
        verno::test::FileSizeLimit limit(1024);
        saved = w.Save();
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(w.Memo().ModifiedFlag());
    EXPECT_EQ(readBytes(path("big.txt")), "original");
    EXPECT_EQ(readBytes(path("big.bak")), "older backup");
    EXPECT_EQ(entries(), (QStringList{"big.bak", "big.txt"}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    const test::AskedMessage &m = prompter.messages[0];
    EXPECT_EQ(m.kind, MessageKind::Error);
    EXPECT_EQ(m.title, "Verno");
    EXPECT_TRUE(m.text.contains(path("big.txt"))) << m.text.toStdString();
    EXPECT_TRUE(m.text.endsWith(QLatin1Char('.'))) << m.text.toStdString();
    EXPECT_EQ(frame.statusMessage(), QString());
}

// --- Save As ---------------------------------------------------------------------------

TEST_F(FileWindowTest, SaveAsCancelledKeepsTheName)
{
    TFileWindow &w = open(QStringLiteral("keep.txt"), "text");
    edit(w, "changed");
    EXPECT_FALSE(w.SaveAs());
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    const FileDialogRequest &r = prompter.fileRequests[0];
    EXPECT_EQ(r.title, "Save As");
    EXPECT_EQ(r.fileName, "keep.txt");
    EXPECT_EQ(r.directory, dir.path() + QLatin1Char('/'));
    EXPECT_EQ(r.confirmOverwrite, frame.settings().ConfirmSave);
    EXPECT_EQ(w.FilePath(), path("keep.txt"));
    EXPECT_EQ(readBytes(path("keep.txt")), "text");
    EXPECT_TRUE(w.Memo().ModifiedFlag());
    EXPECT_EQ(frame.statusMessage(), QString());
}

TEST_F(FileWindowTest, SaveAsOfUntitledStartsEmptyInTheCurrentFolder)
{
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.path());
    TFileWindow &w = untitled();
    edit(w, "fresh\r\n");
    prompter.answerFile(QStringLiteral("out.txt"));
    prompter.fileAnswers.back().filterIndex = 2;
    w.FileSaveClick();
    QDir::setCurrent(oldCurrent);

    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].fileName, QString());
    EXPECT_EQ(QDir(prompter.fileRequests[0].directory).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(w.FileName, "out.txt");
    EXPECT_EQ(w.FileDir, dir.path() + QLatin1Char('/'));
    EXPECT_EQ(readBytes(path("out.txt")), "fresh\r\n");
    EXPECT_FALSE(w.Memo().ModifiedFlag());
    EXPECT_EQ(frame.FilterIndex, 2);
    EXPECT_EQ(frame.CollectFileHistory().value(0), path("out.txt"));
}

// --- close question ------------------------------------------------------------------------

enum class Disk { Fine, Fails };

struct CloseCase {
    int mode;
    std::vector<Answer> answers;
    Disk disk;
    bool allowed;
    int modeAfter;
    Buttons asked; // 0: no question
    bool saved;
};

TEST_F(FileWindowTest, CloseQueryFollowsCloseMode)
{
    const Buttons three = BtnYes | BtnNo | BtnCancel;
    const Buttons four = three | BtnAll;
    const CloseCase cases[] = {
        {0, {Answer::Yes}, Disk::Fine, true, 0, three, true},
        {0, {Answer::No}, Disk::Fine, true, 0, three, false},
        {0, {Answer::Cancel}, Disk::Fine, false, 0, three, false},
        {0, {}, Disk::Fine, false, 0, three, false}, // Esc
        {0, {Answer::Yes}, Disk::Fails, false, 0, three, false},
        {1, {Answer::Yes}, Disk::Fine, true, 1, four, true},
        {1, {Answer::No}, Disk::Fine, true, 1, four, false},
        {1, {Answer::All}, Disk::Fine, true, 2, four, true},
        {1, {Answer::Cancel}, Disk::Fine, false, 3, four, false},
        {1, {Answer::Yes}, Disk::Fails, false, 3, four, false},
        {1, {Answer::All}, Disk::Fails, false, 3, four, false},
        {2, {}, Disk::Fine, true, 2, 0, true},
        {2, {}, Disk::Fails, false, 3, 0, false},
        {3, {}, Disk::Fine, false, 3, 0, false},
    };
    int n = 0;
    for (const CloseCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << n);
        const QString name = QStringLiteral("c%1.txt").arg(n++);
        TFileWindow &w = open(name, "old");
        edit(w, "new");
        if (c.disk == Disk::Fails)
            ::chmod(QFile::encodeName(path(name)).constData(), 0444);
        prompter.messages.clear();
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        CloseMode = c.mode;
        EXPECT_EQ(w.CloseQuery(), c.allowed);
        EXPECT_EQ(CloseMode, c.modeAfter);
        EXPECT_EQ(readBytes(path(name)), c.saved ? "new" : "old");
        if (c.asked) {
            ASSERT_FALSE(prompter.messages.empty());
            EXPECT_EQ(prompter.messages[0].kind, MessageKind::Confirm);
            EXPECT_EQ(prompter.messages[0].text, QStringLiteral("Save changes to file \"%1\"?").arg(path(name)));
            EXPECT_EQ(prompter.messages[0].buttons, c.asked);
        } else if (c.disk == Disk::Fine) {
            EXPECT_TRUE(prompter.messages.empty());
        }
        if (c.disk == Disk::Fails) { // the save was tried and refused
            ASSERT_FALSE(prompter.messages.empty());
            EXPECT_EQ(prompter.messages.back().text, kReadOnlySave.arg(path(name)));
        }
    }
}

TEST_F(FileWindowTest, ReadOnlyOrUnchangedWindowsNeverAsk)
{
    frame.settings().ROifModified = true;
    TFileWindow &changedRo = open(QStringLiteral("ro.txt"), "old");
    edit(changedRo, "new");
    changedRo.SetReadOnly(true);
    TFileWindow &unchanged = open(QStringLiteral("same.txt"), "old");
    for (int mode = 0; mode <= 3; ++mode) {
        CloseMode = mode;
        EXPECT_TRUE(changedRo.CloseQuery()) << "mode " << mode;
        EXPECT_TRUE(unchanged.CloseQuery()) << "mode " << mode;
        EXPECT_EQ(CloseMode, mode);
    }
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(readBytes(path("ro.txt")), "old");
}

TEST_F(FileWindowTest, UntitledYesOpensSaveAsAndCancelKeepsTheWindow)
{
    TFileWindow &w = untitled();
    edit(w, "draft");
    prompter.answers = {Answer::Yes};
    w.WinCloseClick();
    EXPECT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(frame.editWindows().size(), 1);
    EXPECT_TRUE(w.Memo().ModifiedFlag());
    EXPECT_EQ(w.FileName, QString());
}

// --- read-only mode --------------------------------------------------------------------------

TEST_F(FileWindowTest, ReadOnlyRefusedForModifiedTextUnlessAllowed)
{
    const QString refusal = QStringLiteral(
        "Cannot enter read-only mode for\r%1\rText was modified. See Preferences in Options menu.");
    TFileWindow &w = open(QStringLiteral("m.txt"), "old");
    w.SetReadOnly(true); // unmodified: allowed
    EXPECT_TRUE(w.IsReadOnly());
    w.SetReadOnly(false);
    edit(w, "new");
    w.SetReadOnly(true);
    EXPECT_FALSE(w.IsReadOnly());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.messages[0].title, "Error");
    EXPECT_EQ(prompter.messages[0].buttons, Buttons(BtnOk));
    EXPECT_EQ(prompter.messages[0].text, refusal.arg(path("m.txt")));

    frame.settings().ROifModified = true;
    w.OptReadOnlyClick();
    EXPECT_TRUE(w.IsReadOnly());
    frame.settings().ROifModified = false;
    w.OptReadOnlyClick(); // turning it off is always allowed
    EXPECT_FALSE(w.IsReadOnly());
    EXPECT_EQ(prompter.messages.size(), 1u);
}

// --- names ---------------------------------------------------------------------------------

TEST_F(FileWindowTest, NamesFollowPathOptionAndModifiedFlag)
{
    TFileWindow &named = open(QStringLiteral("n.txt"), "x");
    TFileWindow &first = untitled();
    TFileWindow &second = untitled();
    const QString full = path("n.txt");
    for (const bool withPath : {true, false}) {
        if (frame.settings().Path != withPath)
            frame.OptPathClick();
        EXPECT_EQ(named.windowTitle(), withPath ? full : QStringLiteral("n.txt"));
        EXPECT_EQ(first.windowTitle(), "Untitled");
    }
    EXPECT_EQ(named.FullName(), full);
    EXPECT_EQ(named.ShortName(), "n.txt");
    EXPECT_EQ(named.TabText(), " n.txt ");
    named.Memo().SetModifiedFlag(true);
    EXPECT_EQ(named.TabText(), "[n.txt]");
    EXPECT_EQ(named.WindowListText(3), "3 " + full);
    EXPECT_EQ(named.WindowListText(-1), full);
    ASSERT_NE(&first, &second);
    EXPECT_EQ(first.FullName(), "Untitled");
    EXPECT_EQ(first.FilePath(), QString());
    EXPECT_EQ(first.TabText(), second.TabText());
    EXPECT_EQ(first.TabText(), " Untitled ");
    EXPECT_EQ(second.WindowListText(2), "2 Untitled");
}

} // namespace
