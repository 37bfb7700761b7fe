// The program itself ended from outside, killed or told to quit: what was
// typed is offered at the next start, byte for byte.
#include "app/mainwindow.h"
#include "platform/recoveryfolder.h"
#include "window/filewindow.h"
#include "window/recoverykeeper.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::ScriptedPrompter;
using verno::test::writeBytes;

namespace {

constexpr int kBound = 60000; // ms

QStringList copiesIn(const QString &root)
{
    QStringList found;
    for (const QString &folder : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString &name : QDir(root + QLatin1Char('/') + folder).entryList({QStringLiteral("*.rec")}))
            found << folder + QLatin1Char('/') + name;
    return found;
}

TEST(WorkSafety, AKilledOrSignalledProgramLeavesWhatWasTypedToTheNextStart)
{
    struct Case {
        const char *label;
        int signal;
        bool waitForCopy; // killed outright: only a copy written before counts
    };
    const Case cases[] = {
        {"SIGKILL", SIGKILL, true},
        {"SIGTERM", SIGTERM, false},
        {"SIGHUP", SIGHUP, false},
        {"SIGINT", SIGINT, false},
    };
    const QByteArray typed = "typed ";
    const QByteArray original("first \xE9\x80\0\nsecond\n", 16);
    const QByteArray expected = typed + QByteArray("first \xE9\x80\0\r\nsecond\r\n", 17);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir home;
        const QString file = home.filePath(QStringLiteral("notes.txt"));
        const QString state = home.filePath(QStringLiteral("state"));
        writeBytes(file, original);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), state);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("VERNO_TEST_INSERT"), QString::fromLatin1(typed));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VERNO_BINARY), {file});
        QByteArray out;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                p.waitForReadyRead(100);
                out += p.readAllStandardOutput();
                return out.contains("test text inserted");
            },
            kBound));
        if (c.waitForCopy) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !copiesIn(state + QStringLiteral("/Verno")).isEmpty(); }, kBound));
        }
        ::kill(pid_t(p.processId()), c.signal);
        ASSERT_TRUE(p.waitForFinished(kBound));
        if (c.signal == SIGKILL) {
            EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
        } else {
            EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p.exitCode(), 0);
            EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("config/Qvo/Verno.reg")))) << "settings written";
        }
        EXPECT_EQ(readBytes(file), original);
        ASSERT_EQ(copiesIn(state + QStringLiteral("/Verno")).size(), 1);

        // The next start restores it, modified, under its own name.
        const QByteArray oldState = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(state));
        {
            ScriptedPrompter prompter;
            prompter.answers = {Answer::Yes};
            TMainWindow frame(home.filePath(QStringLiteral("Verno.reg")));
            frame.show();
            frame.OfferRecovery();
            ASSERT_EQ(prompter.messages.size(), 1u);
            EXPECT_TRUE(prompter.messages[0].text.endsWith(QLatin1Char('\r') + file));
            ASSERT_EQ(frame.editWindows().size(), 1);
            TFileWindow *w = frame.editWindows()[0];
            EXPECT_EQ(w->FilePath(), file);
            EXPECT_TRUE(w->Memo().ModifiedFlag());
            EXPECT_EQ(QByteArray::fromStdString(w->Memo().WholeText()), expected);
            // Only this program's own copy is left.
            const QStringList left = copiesIn(state + QStringLiteral("/Verno"));
            ASSERT_EQ(left.size(), 1);
            EXPECT_TRUE(frame.recoveryKeeper().folder().endsWith(left[0].section(QLatin1Char('/'), 0, 0)));
            ASSERT_TRUE(w->Save());
            EXPECT_EQ(readBytes(file), expected);
        }
        qputenv("XDG_STATE_HOME", oldState);
    }
}

} // namespace
