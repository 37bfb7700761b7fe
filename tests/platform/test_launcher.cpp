#include "platform/launcher.h"
#include "testsupport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
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

TEST_F(LauncherTest, DecidesBetweenLinkDocumentProgramAndTerminal)
{
    test::writeBytes(dir.filePath(QStringLiteral("notes.txt")), "x");
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    const QString cat = QStandardPaths::findExecutable(QStringLiteral("cat"));
    struct Case {
        const char *file;
        const char *parameters;
        LaunchPlan::Kind kind;
        QString program; // or the URL
        QStringList arguments;
    };
    const Case cases[] = {
        {"", "", LaunchPlan::Refused, {}, {}},
        {"no-such-program-here", "", LaunchPlan::Refused, {}, {}},
        {"cat 'open", "", LaunchPlan::Refused, {}, {}},
        {"https://example.org/a b", "", LaunchPlan::OpenUrl, "https://example.org/a b", {}},
        {"mailto:ann@example.org?subject=Verno v3.0", "", LaunchPlan::OpenUrl, "mailto:ann@example.org?subject=Verno v3.0", {}},
        {"notes.txt", "", LaunchPlan::OpenUrl, QUrl::fromLocalFile(dir.filePath("notes.txt")).toString(), {}},
        {"sh -c 'echo \"a b\"' x\\ y", "", LaunchPlan::StartProgram, sh, {"-c", "echo \"a b\"", "x y"}},
        // A file name in a directly run command is only ever an argument.
        {"cat /tmp/a; rm -rf ~.txt", "", LaunchPlan::StartProgram, cat, {"/tmp/a;", "rm", "-rf", "~.txt"}},
        {"cat", "-n 'x y'", LaunchPlan::StartProgram, cat, {"-n", "x y"}},
        // "/K": the command runs in a shell inside the terminal, which stays open.
        {"sh", "/K make & # done", LaunchPlan::StartProgram, sh, {"-e", "sh", "-c", "make & # done\nexec \"${SHELL:-sh}\""}},
        {"sh", "/K ", LaunchPlan::StartProgram, sh, {}},
        {"", "/K make", LaunchPlan::Refused, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " | " + c.parameters);
        const LaunchPlan plan = planShellOpen(QString::fromUtf8(c.file), QString::fromUtf8(c.parameters));
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
    EXPECT_TRUE(shellOpen(QStringLiteral("touch 'made here.done'"), QString()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath(QStringLiteral("made here.done"))), 5000);
    EXPECT_FALSE(shellOpen(QStringLiteral("no-such-program-here --x"), QString()));
    EXPECT_FALSE(shellOpen(QString(), QString()));
}
