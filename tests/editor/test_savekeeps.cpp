// Saving keeps what the file was: owner, group, permissions and hard links,
// whichever way the new text reaches the disk.
#include "editor/filesave.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::writeBytes;

namespace {

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

bool neverWritable(const QByteArray &) { return false; }

// Copies of the old text that cannot go beside the file go to the user's
// state folder, here a temporary one.
struct FolderNotWritable {
    FolderNotWritable()
    {
        setFolderWritableCheck(neverWritable);
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    }
    ~FolderNotWritable()
    {
        setFolderWritableCheck(nullptr);
        if (oldState.isNull())
            qunsetenv("XDG_STATE_HOME");
        else
            qputenv("XDG_STATE_HOME", oldState);
    }
    QTemporaryDir state;
    QByteArray oldState = qgetenv("XDG_STATE_HOME");
};

TEST(SaveKeeps, OwnerGroupModeAndLinksWhicheverWayItWrites)
{
    enum Setup { ForeignOwner, SecondHardLink, UnwritableFolder, Shrinks };
    const struct {
        const char *name;
        Setup setup;
        const char *text;
    } cases[] = {
        {"foreign owner", ForeignOwner, "new text"},
        {"second hard link", SecondHardLink, "new text, longer than the old one"},
        {"folder not writable", UnwritableFolder, "new text, longer than the old one"},
        {"shorter text in place", Shrinks, "n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.setup == ForeignOwner && ::geteuid() != 0)
            continue; // only root can give a file away
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        const QString other = dir.filePath(QStringLiteral("other-name"));
        writeBytes(file, "old text");
        ::chmod(QFile::encodeName(file).constData(), 0604);
        if (c.setup == ForeignOwner) {
            ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 12345, 23456), 0);
        }
        if (c.setup == SecondHardLink) {
            ASSERT_EQ(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()), 0);
        }
        const struct stat before = statOf(file);

        QString error;
        bool saved = false;
        if (c.setup == UnwritableFolder || c.setup == Shrinks) {
            FolderNotWritable seam;
            saved = saveWholeFile(file, c.text, true, error);
        } else {
            saved = saveWholeFile(file, c.text, true, error);
        }
        ASSERT_TRUE(saved) << error.toStdString();
        const struct stat after = statOf(file);
        EXPECT_EQ(readBytes(file), c.text);
        EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("a.bak"))), "old text");
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode & 07777, 0604u);
        if (c.setup == SecondHardLink) {
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(readBytes(other), c.text);
        }
        if (c.setup == UnwritableFolder || c.setup == Shrinks) {
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
    }
}

TEST(SaveKeeps, InPlaceSaveOnAFullDiskChangesNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.txt"));
    writeBytes(file, "original");
    FolderNotWritable seam;
    QString error;
    bool saved = true;
    {
        verno::test::FileSizeLimit limit(1024); // fails like a full disk
        saved = saveWholeFile(file, std::string(4096, 'x'), false, error);
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(file)) << error.toStdString();
    EXPECT_EQ(readBytes(file), "original");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
    // The copy of the old text made first is gone again.
    EXPECT_FALSE(QDirIterator(seam.state.path(), QDir::Files, QDirIterator::Subdirectories).hasNext());
}

int g_stepsLeft = 0;
void killAtStep()
{
    if (--g_stepsLeft == 0)
        ::raise(SIGKILL);
}

// Runs the save in a child process that kills itself at its stop-th step;
// true when it was killed, false when the save ran to its end.
bool saveKilledAtStep(int stop, const QString &file, const TextPieces &text, bool backup, bool folderWritable,
                      const QString &stateHome)
{
    const pid_t child = ::fork();
    if (child == 0) {
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome));
        if (!folderWritable)
            setFolderWritableCheck(neverWritable);
        g_stepsLeft = stop;
        setSaveStepHook(killAtStep);
        QString error;
        ::_exit(saveWholeFile(file, text, backup, error) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    return WIFSIGNALED(status);
}

TEST(SaveKeeps, AKillAtAnyStepLeavesTheOldOrTheNewTextWholeAndNoTemporaryFile)
{
    enum Route { ByRename, SecondHardLink, UnwritableFolder };
    const struct {
        const char *name;
        Route route;
        bool backup;
    } cases[] = {
        {"by rename, backup", ByRename, true},
        {"by rename", ByRename, false},
        {"in place, second hard link, backup", SecondHardLink, true},
        {"in place, second hard link", SecondHardLink, false},
        {"in place, folder not writable", UnwritableFolder, false},
    };
    const QByteArray oldText = "old text\r\n";
    const std::string pieces[] = {"new text, ", "longer than ", "the old one\r\n"};
    const QByteArray newText = QByteArray::fromStdString(pieces[0] + pieces[1] + pieces[2]);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        bool sawPartial = false;
        for (int stop = 1;; ++stop) {
            ASSERT_LT(stop, 50) << "the save never ends";
            SCOPED_TRACE(stop);
            QTemporaryDir dir;
            QTemporaryDir state;
            const QString file = dir.filePath(QStringLiteral("a.txt"));
            writeBytes(file, oldText);
            writeBytes(dir.filePath(QStringLiteral("a.bak")), "older");
            if (c.route == SecondHardLink) {
                ASSERT_EQ(::link(QFile::encodeName(file).constData(),
                                 QFile::encodeName(dir.filePath(QStringLiteral("b.txt"))).constData()),
                          0);
            }
            const bool killed = saveKilledAtStep(stop, file, {pieces[0], pieces[1], pieces[2]}, c.backup,
                                                 c.route != UnwritableFolder, state.path());
            const QByteArray now = readBytes(file);
            // Copies of the old text may be left beside the file or in the state folder.
            QStringList copies;
            for (QDirIterator it(state.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
                copies << it.next();
            for (const QString &name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
                if (name.startsWith(QLatin1String("a.txt.old-")) && c.route != UnwritableFolder)
                    copies << dir.filePath(name);
                else if (name == QLatin1String("b.txt"))
                    EXPECT_EQ(readBytes(dir.filePath(name)), now);
                else if (name != QLatin1String("a.txt") && name != QLatin1String("a.bak"))
                    ADD_FAILURE() << "left behind: " << name.toStdString();
            }
            const QByteArray bak = readBytes(dir.filePath(QStringLiteral("a.bak")));
            EXPECT_TRUE(bak == "older" || (c.backup && bak == oldText));
            bool oldKept = now == oldText || bak == oldText;
            for (const QString &copy : copies) {
                EXPECT_TRUE(QFileInfo(copy).fileName().startsWith(QLatin1String("a.txt.old-")));
                EXPECT_EQ(readBytes(copy), oldText);
                oldKept = true;
            }
            EXPECT_TRUE(now == newText || oldKept) << now.toStdString();
            sawPartial |= now != newText && now != oldText;
            if (!killed) {
                EXPECT_EQ(now, newText);
                EXPECT_EQ(copies, QStringList());
                EXPECT_EQ(bak, c.backup ? oldText : "older");
                break;
            }
        }
        EXPECT_EQ(sawPartial, c.route != ByRename);
    }
}

} // namespace

TEST(SaveKeeps, APipeIsWrittenToNeverReplacedByAFile)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Nobody reads it: the save fails at once and the pipe stays a pipe.
    QString error;
    EXPECT_FALSE(saveWholeFile(pipe, std::string("text"), true, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot create file ") + pipe)) << error.toStdString();
    EXPECT_TRUE(S_ISFIFO(statOf(pipe).st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("pipe")});
}
