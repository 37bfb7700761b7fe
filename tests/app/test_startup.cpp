// Start-up, the command line, opening edit windows and Exit.
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/settings.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <stdexcept>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

// --- parsing ---------------------------------------------------------------------

struct ParseCase {
    QStringList args;
    QStringList files;
    bool readOnly;
    bool wordWrap;
};

TEST(StartupParse, SwitchesAndFileNames)
{
    const ParseCase cases[] = {
        {{"/r", "a", "/W"}, {"a"}, true, true},
        {{"a", "/R", "b", "/w"}, {"a", "b"}, true, true},
        {{"/x", "/1", "a"}, {"a"}, false, false},
        {{"/rw"}, {"/rw"}, false, false}, // an absolute path
        {{"/home/u/x.txt"}, {"/home/u/x.txt"}, false, false},
        {{"", "a", ""}, {"a"}, false, false},
        {{"-r", "a"}, {"a"}, true, false},
        {{"--word-wrap", "--read-only"}, {}, true, true},
        {{"--", "-r", "/R", "--"}, {"-r", "/R", "--"}, false, false},
        {{"-"}, {"-"}, false, false},
        {{"-notes.txt", "--bogus"}, {"-notes.txt", "--bogus"}, false, false},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CommandLine cl = parseCommandLine(c.args);
        EXPECT_EQ(cl.files, c.files);
        EXPECT_EQ(cl.readOnly, c.readOnly);
        EXPECT_EQ(cl.wordWrap, c.wordWrap);
    }
}

TEST(StartupParse, NamesThatAreNotUtf8AreShownByteByByte)
{
    EXPECT_TRUE(argumentIsText("caf\xC3\xA9.txt"));
    EXPECT_FALSE(argumentIsText("caf\xE9.txt"));
    EXPECT_EQ(printableArgument("caf\xE9-\xC3\xA9.txt"), QString::fromUtf8("caf\\xE9-\xC3\xA9.txt"));
}

TEST(StartupProcess, UnreachableOrMissingDisplayIsOneLineAndNoCrash)
{
    QTemporaryDir runtime; // private, as a session's is
    for (const char *display : {":97", ""}) {
        SCOPED_TRACE(display);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (*display)
            env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        else
            env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VERNO_BINARY), {});
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("xvfb-run"))) << err.toStdString();
    }
}

// --- the frame ---------------------------------------------------------------------

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("three/d.txt")); // a folder is never matched
        QDir(dir.path()).mkdir(QStringLiteral("br"));
        for (const char *name : {"a.txt", "b.txt", "three/x1.txt", "three/x2.txt", "three/x3.txt",
                                 "three/y.log", "ro.txt", "br/[a].txt", "br/a.txt"})
            writeBytes(dir.filePath(QString::fromLatin1(name)), "text");
        ::chmod(QFile::encodeName(dir.filePath(QStringLiteral("ro.txt"))).constData(), 0444);
    }
    void TearDown() override
    {
        QDir::setCurrent(oldCurrent_);
        CloseMode = CloseSingle;
    }

    // Shown first, as at a real start.
    std::unique_ptr<TMainWindow> makeFrame()
    {
        auto frame = std::make_unique<TMainWindow>(settingsFile());
        frame->show();
        return frame;
    }

    QString settingsFile() const { return dir.filePath(QStringLiteral("Verno.reg")); }

    // The short names of the open windows, sorted and joined by "|".
    static std::string names(const TMainWindow &frame)
    {
        QStringList result;
        for (TFileWindow *w : frame.editWindows())
            result << w->ShortName();
        result.sort();
        return result.join(QLatin1Char('|')).toStdString();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;

private:
    QString oldCurrent_;
};

struct ArgsCase {
    QStringList args;
    QStringList opened; // short names, sorted
    bool readOnly;
    bool wrapped;
};

TEST_F(StartupTest, ProcessCommandLineOpensFilesWithSwitches)
{
    const QString absolute = dir.filePath(QStringLiteral("a.txt"));
    const ArgsCase cases[] = {
        {{"/r", "a.txt"}, {"a.txt"}, true, false},
        {{"a.txt", "/R"}, {"a.txt"}, true, false},
        {{"/x", "a.txt"}, {"a.txt"}, false, false},
        {{"/rw"}, {}, false, false},
        {{"missing.txt"}, {}, false, false},
        {{"three"}, {}, false, false}, // a folder
        {{"ro.txt"}, {"ro.txt"}, true, false},
        {{"/W", "b.txt"}, {"b.txt"}, false, true},
        {{absolute}, {"a.txt"}, false, false},
        {{"three/*.txt"}, {"x1.txt", "x2.txt", "x3.txt"}, false, false},
        {{"three/x?.*", "/w"}, {"x1.txt", "x2.txt", "x3.txt"}, false, true},
        {{"three/*.none"}, {}, false, false},
        {{"br/[a]*"}, {"[a].txt"}, false, false}, // only * and ? are wildcards
    };
    for (const ArgsCase &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        auto frame = makeFrame();
        frame->ProcessCommandLine(c.args);
        EXPECT_EQ(names(*frame), c.opened.join(QLatin1Char('|')).toStdString());
        for (TFileWindow *w : frame->editWindows()) {
            SCOPED_TRACE(w->ShortName().toStdString());
            EXPECT_EQ(w->IsReadOnly(), c.readOnly);
            EXPECT_EQ(w->Memo().WordWrap(), c.wrapped);
            EXPECT_EQ(w->isMaximized(), c.opened.size() == 1);
        }
        EXPECT_TRUE(prompter.messages.empty());
    }
}

TEST_F(StartupTest, SeveralFilesAreCascaded)
{
    auto frame = makeFrame();
    frame->ProcessCommandLine({"three/*.txt"});
    const QList<TFileWindow *> windows = frame->editWindows();
    ASSERT_EQ(windows.size(), 3);
    QSet<int> tops;
    for (TFileWindow *w : windows) {
        EXPECT_FALSE(w->isMaximized());
        tops << w->geometry().top();
    }
    EXPECT_EQ(tops.size(), 3); // each below the one before
}

TEST_F(StartupTest, OpenEditWindowMaximizesOnlyTheFirst)
{
    auto frame = makeFrame();
    ASSERT_TRUE(frame->OpenEditWindow(QStringLiteral("a.txt"), false));
    TFileWindow *first = frame->editWindows().first();
    EXPECT_TRUE(first->isMaximized());
    // The program maximizes only a lone window; a second one follows the
    // platform, which shows it maximized while the first one is. With the
    // first restored, the second opens normal.
    first->showNormal();
    ASSERT_TRUE(frame->OpenEditWindow(QStringLiteral("a.txt"), true)); // same file again
    ASSERT_EQ(frame->editWindows().size(), 2);
    for (TFileWindow *w : frame->editWindows()) {
        EXPECT_EQ(w->FilePath(), dir.filePath(QStringLiteral("a.txt")));
        if (w != first) {
            EXPECT_FALSE(w->isMaximized());
            EXPECT_TRUE(w->IsReadOnly());
        }
    }
    EXPECT_EQ(frame->CollectFileHistory().value(0), dir.filePath(QStringLiteral("a.txt")));
}

TEST_F(StartupTest, OpenEditWindowRefusesFoldersAndMissingFilesSilently)
{
    auto frame = makeFrame();
    const QStringList historyBefore = frame->CollectFileHistory();
    for (const char *name : {"three", "missing.txt", "three/d.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(frame->OpenEditWindow(QString::fromLatin1(name), false));
    }
    EXPECT_TRUE(frame->editWindows().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(frame->CollectFileHistory(), historyBefore);
    // A relative name with dots is stored cleaned.
    ASSERT_TRUE(frame->OpenEditWindow(QStringLiteral("three/../b.txt"), false));
    EXPECT_EQ(frame->CollectFileHistory().value(0), dir.filePath(QStringLiteral("b.txt")));
}

TEST_F(StartupTest, ShownFrameGoesWithItsWindowsWithoutAsking)
{
    auto frame = makeFrame();
    ASSERT_TRUE(frame->OpenEditWindow(QStringLiteral("a.txt"), false));
    ASSERT_TRUE(frame->OpenEditWindow(QString(), false));
    frame->editWindows().first()->Memo().SetModifiedFlag(true);
    frame.reset(); // the active window's signals must not reach a half-destroyed frame
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_FALSE(StatusReady);
}

// --- FormShow ---------------------------------------------------------------------------

TEST_F(StartupTest, FormShowOpensTheInitialWindowUnlessReadOnlyAll)
{
    Settings stored;
    stored.InitialWin = true;
    ASSERT_EQ(saveSettingsFile(settingsFile(), stored), QString());
    const struct {
        QStringList args;
        QStringList opened;
    } cases[] = {
        {{}, {"Untitled"}},
        {{"/R"}, {}},
        {{"a.txt"}, {"a.txt"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        auto frame = makeFrame();
        frame->FormShow(c.args);
        EXPECT_TRUE(frame->settings().InitialWin);
        EXPECT_EQ(names(*frame), c.opened.join(QLatin1Char('|')).toStdString());
        for (TFileWindow *w : frame->editWindows())
            EXPECT_TRUE(w->isMaximized());
        EXPECT_TRUE(StatusReady);
        EXPECT_EQ(frame->FilterIndex, 1);
    }
}

TEST_F(StartupTest, FormShowWithoutInitialWinOpensNothing)
{
    auto frame = makeFrame();
    frame->FormShow({});
    EXPECT_FALSE(frame->settings().InitialWin);
    EXPECT_TRUE(frame->editWindows().isEmpty());
}

TEST_F(StartupTest, FormShowReportsADamagedSettingsFileAndGoesOn)
{
    writeBytes(settingsFile(), "[Software\\Qvo\\Verno\\Options]\n\"InitialWin\"=\"1\"\n\x01garbage\n");
    auto frame = makeFrame();
    frame->FormShow({});
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Verno");
    EXPECT_EQ(prompter.messages[0].text, "Settings file " + settingsFile() + ": 1 unreadable line skipped.");
    EXPECT_EQ(names(*frame), "Untitled"); // what could be read is in force
    EXPECT_TRUE(StatusReady);
}

// --- Exit ---------------------------------------------------------------------------------

class ExitTest : public StartupTest {
protected:
    void openModified(TMainWindow &frame)
    {
        frame.settings().Backup = false;
        for (const char *name : {"a.txt", "b.txt"}) {
            ASSERT_TRUE(frame.OpenEditWindow(QString::fromLatin1(name), false));
            TFileWindow *w = frame.editWindows().first();
            ASSERT_EQ(w->ShortName(), QString::fromLatin1(name));
            w->Memo().SetWholeText("changed");
            w->Memo().SetModifiedFlag(true);
        }
    }
    int modifiedCount(const TMainWindow &frame) const
    {
        int n = 0;
        for (TFileWindow *w : frame.editWindows())
            n += w->Memo().ModifiedFlag();
        return n;
    }
};

TEST_F(ExitTest, AllSavesEveryWindowAndWritesSettings)
{
    auto frame = makeFrame();
    openModified(*frame);
    prompter.answers = {Answer::All};
    frame->FileExitClick();
    EXPECT_FALSE(frame->isVisible());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].buttons, Buttons(BtnYes | BtnNo | BtnCancel | BtnAll));
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("a.txt"))), "changed");
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("b.txt"))), "changed");
    EXPECT_EQ(modifiedCount(*frame), 0);
    EXPECT_TRUE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(CloseMode, CloseSingle);
}

TEST_F(ExitTest, CancelKeepsEveryWindowAndWritesNoSettings)
{
    const struct {
        std::vector<Answer> answers;
        int stillModified;
    } cases[] = {
        {{Answer::Cancel}, 2},
        {{Answer::Yes, Answer::Cancel}, 1}, // the first answer saved its window
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answers.size());
        auto frame = makeFrame();
        openModified(*frame);
        prompter.messages.clear();
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        frame->FileExitClick();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(prompter.messages.size(), c.answers.size());
        EXPECT_EQ(frame->editWindows().size(), 2);
        EXPECT_EQ(modifiedCount(*frame), c.stillModified);
        EXPECT_FALSE(QFileInfo::exists(settingsFile()));
        EXPECT_EQ(CloseMode, CloseSingle);
    }
}

TEST_F(ExitTest, CloseBoxAsksWithoutAll)
{
    auto frame = makeFrame();
    openModified(*frame);
    prompter.answers = {Answer::No, Answer::No};
    frame->close();
    ASSERT_EQ(prompter.messages.size(), 2u);
    for (const auto &m : prompter.messages)
        EXPECT_EQ(m.buttons, Buttons(BtnYes | BtnNo | BtnCancel));
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("a.txt"))), "text");
    EXPECT_TRUE(QFileInfo::exists(settingsFile()));
}

} // namespace

TEST_F(StartupTest, DroppedFilesOpenAndAreCascadedFoldersSkipped)
{
    auto frame = makeFrame();
    frame->FormShow({QStringLiteral("a.txt")}); // drops are taken from here on
    frame->ReadOnlyAll = true;                  // and follow Read Only All
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("b.txt"))),
                  QUrl::fromLocalFile(dir.filePath(QStringLiteral("three"))),
                  QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.txt"))),
                  QUrl::fromLocalFile(dir.filePath(QStringLiteral("three/x1.txt")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(names(*frame), "a.txt|b.txt|x1.txt");
    for (TFileWindow *w : frame->editWindows()) {
        EXPECT_FALSE(w->isMaximized()) << w->ShortName().toStdString();
        EXPECT_EQ(w->IsReadOnly(), w->ShortName() != QLatin1String("a.txt"));
    }
    EXPECT_TRUE(prompter.messages.empty());
}

namespace {
// A handler that fails the way a command does when it does not report itself.
class Failing : public QObject {
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Cannot create file /nowhere/x.txt");
        return QObject::event(e);
    }
};
} // namespace

TEST(GeneralErrorReport, FailureEscapingAHandlerIsShownAndTheProgramGoesOn)
{
    ScriptedPrompter prompter;
    Failing target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.messages[0].title, "Verno");
    EXPECT_EQ(prompter.messages[0].text, "Cannot create file /nowhere/x.txt.");
    EXPECT_EQ(prompter.messages[0].buttons, Buttons(BtnOk));
}

TEST_F(ExitTest, SettingsThatCannotBeWrittenAskOkOrCancel)
{
    // The settings folder is a plain file: no user, root included, can write there.
    writeBytes(dir.filePath(QStringLiteral("cfg")), "not a folder");
    const QString unwritable = dir.filePath(QStringLiteral("cfg/Verno.reg"));
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        SCOPED_TRACE(int(answer));
        TMainWindow frame(unwritable);
        frame.show();
        ASSERT_TRUE(frame.OpenEditWindow(QStringLiteral("a.txt"), false));
        prompter.messages.clear();
        prompter.answers = {answer};
        frame.FileExitClick();
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter.messages[0].buttons, Buttons(BtnOk | BtnCancel));
        EXPECT_TRUE(prompter.messages[0].text.contains(dir.filePath(QStringLiteral("cfg"))))
            << prompter.messages[0].text.toStdString();
        // Cancel keeps the program running with its windows; OK lets it close.
        EXPECT_EQ(frame.isVisible(), answer == Answer::Cancel);
        EXPECT_EQ(frame.editWindows().size(), 1);
    }
}
