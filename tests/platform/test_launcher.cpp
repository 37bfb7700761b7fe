#include "platform/launcher.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace verno;

namespace {

// Runs the test body inside a fresh working directory.
class LauncherTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::WorkingDir cwd{dir.path()};
};

} // namespace

// A request typed whole, or (after "|") a terminal with the command it runs.
LaunchRequest request(const QString &text)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return openRequest(text);
    LaunchRequest r;
    r.inTerminal = true;
    r.terminal = text.left(bar);
    r.script = text.mid(bar + 1);
    return r;
}

TEST_F(LauncherTest, DecidesBetweenLinkDocumentProgramAndTerminal)
{
    test::writeBytes(dir.filePath(QStringLiteral("notes.txt")), "x");
    test::writeBytes(dir.filePath(QStringLiteral("my notes.txt")), "x");
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    const QString cat = QStandardPaths::findExecutable(QStringLiteral("cat"));
    struct Case {
        const char *text;
        LaunchPlan::Kind kind;
        QString program; // or the URL
        QStringList arguments;
    };
    const Case cases[] = {
        {"", LaunchPlan::Refused, {}, {}},
        {"no-such-program-here", LaunchPlan::Refused, {}, {}},
        {"cat 'open", LaunchPlan::Refused, {}, {}},
        {"https://example.org/a b", LaunchPlan::OpenUrl, "https://example.org/a b", {}},
        {"mailto:ann@example.org?subject=Verno v3.0", LaunchPlan::OpenUrl, "mailto:ann@example.org?subject=Verno v3.0", {}},
        {"notes.txt", LaunchPlan::OpenUrl, QUrl::fromLocalFile(dir.filePath("notes.txt")).toString(), {}},
        {"my notes.txt", LaunchPlan::OpenUrl, QUrl::fromLocalFile(dir.filePath("my notes.txt")).toString(), {}},
        {"sh -c 'echo \"a b\"' x\\ y", LaunchPlan::StartProgram, sh, {"-c", "echo \"a b\"", "x y"}},
        // A file name in a directly run command is only ever an argument.
        {"cat /tmp/a; rm -rf ~.txt", LaunchPlan::StartProgram, cat, {"/tmp/a;", "rm", "-rf", "~.txt"}},
        // In a terminal the command runs in a shell, and the terminal stays open.
        {"sh|make & # done", LaunchPlan::StartProgram, sh, {"-e", "sh", "-c", "make & # done\nexec \"${SHELL:-sh}\"", "sh"}},
        {"sh| ", LaunchPlan::StartProgram, sh, {}},
        {"|make", LaunchPlan::Refused, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const LaunchPlan plan = planLaunch(request(QString::fromUtf8(c.text)));
        EXPECT_EQ(plan.kind, c.kind);
        if (c.kind == LaunchPlan::OpenUrl) {
            EXPECT_EQ(plan.url.toString(), c.program);
        } else if (c.kind == LaunchPlan::StartProgram) {
            EXPECT_EQ(plan.program, c.program);
            EXPECT_EQ(plan.arguments, c.arguments);
        }
    }
}

TEST_F(LauncherTest, StartsAProgramInTheWorkingDirectoryAndReportsAMissingOne)
{
    EXPECT_TRUE(launch(openRequest(QStringLiteral("touch 'made here.done'"))));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath(QStringLiteral("made here.done"))), 5000);
    EXPECT_FALSE(launch(openRequest(QStringLiteral("no-such-program-here --x"))));
    EXPECT_FALSE(launch(openRequest(QString())));
}

// A started program reads nothing of ours and writes nothing into our output.
TEST_F(LauncherTest, AStartedProgramGetsNoInputAndWritesNothingOfOurs)
{
    const QString ours = dir.filePath(QStringLiteral("ours"));
    test::writeBytes(ours, "typed\n");
    LaunchPlan plan;
    plan.kind = LaunchPlan::StartProgram;
    plan.program = QStandardPaths::findExecutable(QStringLiteral("sh"));
    plan.arguments = {QStringLiteral("-c"), QStringLiteral("cat > got; echo out; echo err >&2; : > done")};
    bool started = false;
    {
        const int in = open(ours.toLocal8Bit().constData(), O_RDWR);
        ASSERT_GE(in, 0);
        const int saved[] = {dup(0), dup(1), dup(2)};
        for (int fd = 0; fd < 3; ++fd)
            dup2(in, fd);
        started = carryOut(plan);
        while (started && !QFile::exists(dir.filePath(QStringLiteral("done"))))
            QTest::qSleep(10);
        for (int fd = 0; fd < 3; ++fd) {
            dup2(saved[fd], fd);
            close(saved[fd]);
        }
        close(in);
    }
    ASSERT_TRUE(started);
    EXPECT_EQ(test::readBytes(ours), "typed\n");
    EXPECT_EQ(test::readBytes(dir.filePath(QStringLiteral("got"))), "");
}
