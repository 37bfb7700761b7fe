// Running external commands: the launch, the Execute dialog, Command n, DOS
// Shell and Change Directory.
#include "app/mainwindow.h"
#include "commands/commanddialog.h"
#include "commands/commandrunner.h"
#include "commands/stringsubst.h"
#include "window/filewindow.h"
#include "app/frametest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace verno;
using verno::test::readBytes;

namespace {

class ExternalTest : public test::FrameTest {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }

    TCommandDialog &dialog()
    {
        TCommandDialog &d = frame->commandDialog();
        d.FormShow();
        return d;
    }
    template <typename T> T *control(const char *name) { return frame->commandDialog().findChild<T *>(QLatin1String(name)); }
    QLineEdit *edit() { return control<QLineEdit>("LstCommand"); }
    bool enabled(const char *name) { return control<QPushButton>(name)->isEnabled(); }
    QString lastMessage() const { return prompter.messages.empty() ? QString() : prompter.messages.back().text; }
};

TEST_F(ExternalTest, RunCommandHandsOverTheWordsOrTheShellCommand)
{
    openFile(QStringLiteral("read.me.txt"), "x");
    Settings &s = frame->settings();
    s.ShellCmds = {QStringLiteral("term&n"), QStringLiteral("other")};
    s.ShellIndex = 0;
    struct Case {
        const char *tmpl;
        bool stay;
        QStringList words;
        QString terminal, script;
        QStringList values;
    };
    const QString dirPath = dir.path() + QLatin1Char('/');
    const Case cases[] = {
        {"make &n", false, {"make", "read"}, "", "", {}},
        {"less &P&N", false, {"less", dirPath + "read.me.txt"}, "", "", {}},
        // The shell's own name is not expanded.
        {"make &n", true, {}, "term&n", "make \"${1}\"", {"read"}},
        {"", true, {}, "", "", {}},
        // A template that expands to nothing still opens the shell.
        {"&", true, {}, "term&n", "", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tmpl);
        launcher.launches.clear();
        EXPECT_TRUE(frame->RunCommand(QString::fromLatin1(c.tmpl), c.stay));
        ASSERT_EQ(launcher.launches.size(), 1u);
        const LaunchRequest &r = launcher.launches[0];
        EXPECT_EQ(r.words, c.words);
        EXPECT_EQ(r.inTerminal, !c.terminal.isEmpty());
        EXPECT_EQ(r.terminal, c.terminal);
        EXPECT_EQ(r.script, c.script);
        EXPECT_EQ(r.values, c.values);
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(ExternalTest, FailedLaunchShowsTheTemplateAsWritten)
{
    launcher.result = false;
    EXPECT_FALSE(frame->RunCommand(QStringLiteral("cc &f"), false));
    EXPECT_EQ(lastMessage(), QStringLiteral("failed to launch command\r\ncc &f"));
    // DOS Shell with no current shell hands over nothing, and says so.
    frame->settings().ShellIndex = 7;
    frame->FileDosClick();
    EXPECT_EQ(launcher.launches.back().words, QStringList());
    EXPECT_EQ(lastMessage(), QStringLiteral("failed to launch command\r\n"));
}

TEST_F(ExternalTest, ModifiedWindowsAreSavedFirstOnlyWithSaveExec)
{
    for (const bool saveExec : {false, true}) {
        SCOPED_TRACE(saveExec);
        TFileWindow *w = openFile(QStringLiteral("m.txt"), "old");
        w->Memo().SelectAllText();
        w->Memo().ReplaceSelection("new");
        frame->settings().SaveExec = saveExec;
        frame->RunCommand(QStringLiteral("true"), false);
        EXPECT_EQ(readBytes(path(QStringLiteral("m.txt"))), saveExec ? "new" : "old");
        EXPECT_EQ(launcher.launches.size(), saveExec ? 2u : 1u);
        w->Memo().SetModifiedFlag(false);
    }
}

// A file name holding shell syntax is only ever an argument.
TEST_F(ExternalTest, FileNameCannotRunAnythingInADirectLaunch)
{
    const test::WorkingDir cwd(dir.path());
    const QString name = QStringLiteral("a; touch pwned; $(touch pwned2) `touch pwned3`");
    openFile(name, "x");
    launcher.real = true;
    ASSERT_TRUE(frame->RunCommand(QStringLiteral("touch \"&f.done\""), false));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path(name + QStringLiteral(".done"))), 5000);
    QTest::qWait(100);
    for (const char *made : {"pwned", "pwned2", "pwned3"})
        EXPECT_FALSE(QFileInfo::exists(path(QLatin1String(made)))) << made;
}

TEST_F(ExternalTest, CommandNRunsItsEntryOrOpensTheDialog)
{
    frame->settings().Commands = {QStringLiteral("one"), QStringLiteral("two &&"), QStringLiteral("three")};
    frame->StayInDos = true;
    frame->settings().ShellIndex = 0;
    frame->CommandClick<2>();
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].script, QStringLiteral("two &"));
    frame->CommandClick<5>();
    EXPECT_EQ(prompter.dialogsRun, QStringList{"CommandDialog"});
    EXPECT_EQ(launcher.launches.size(), 1u);
}

TEST_F(ExternalTest, DialogListOperationsAndButtonStates)
{
    frame->settings().Commands = {QStringLiteral("a"), QStringLiteral("b")};
    TCommandDialog &d = dialog();
    EXPECT_EQ(edit()->text(), QStringLiteral("a"));
    EXPECT_EQ(edit()->selectedText(), QStringLiteral("a"));
    EXPECT_FALSE(enabled("BtnUp"));
    EXPECT_TRUE(enabled("BtnDown"));
    edit()->setText(QStringLiteral("c"));
    d.BtnAddClick(); // duplicates allowed, new entry selected
    d.BtnAddClick();
    EXPECT_EQ(d.commands(), (QStringList{"a", "b", "c", "c"}));
    EXPECT_FALSE(enabled("BtnDown"));
    d.BtnUpClick();
    d.BtnUpClick();
    EXPECT_EQ(d.commands(), (QStringList{"a", "c", "b", "c"}));
    EXPECT_EQ(edit()->text(), QStringLiteral("c"));
    d.BtnDownClick();
    EXPECT_EQ(d.commands(), (QStringList{"a", "b", "c", "c"}));
    d.BtnDeleteClick(); // the last entry goes: the one before is selected
    d.BtnDeleteClick();
    EXPECT_EQ(d.commands(), (QStringList{"a", "b"}));
    EXPECT_EQ(edit()->text(), QStringLiteral("b"));
    d.BtnDeleteClick();
    d.BtnDeleteClick();
    EXPECT_TRUE(d.commands().isEmpty());
    EXPECT_FALSE(enabled("BtnDelete") || enabled("BtnUp") || enabled("BtnDown"));
    edit()->clear();
    EXPECT_FALSE(enabled("BtnExec") || enabled("BtnAdd"));
}

// The list takes no focus: Up and Down in the command field choose an entry.
TEST_F(ExternalTest, ArrowKeysInTheCommandFieldWalkTheList)
{
    frame->settings().Commands = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    dialog();
    const struct {
        Qt::Key key;
        const char *text;
    } steps[] = {{Qt::Key_Up, "a"}, {Qt::Key_Down, "b"}, {Qt::Key_Down, "c"}, {Qt::Key_Down, "c"}, {Qt::Key_Up, "b"}};
    for (const auto &step : steps) {
        QTest::keyClick(edit(), step.key);
        EXPECT_EQ(edit()->text(), QLatin1String(step.text));
        EXPECT_EQ(edit()->selectedText(), QLatin1String(step.text));
    }
    EXPECT_TRUE(enabled("BtnUp") && enabled("BtnDown"));
}

// Enter runs Execute from the command field, but a focused button takes it.
TEST_F(ExternalTest, EnterOnAFocusedButtonPressesThatButton)
{
    frame->settings().Commands = {QStringLiteral("a")};
    TCommandDialog &d = dialog();
    d.show();
    edit()->setText(QStringLiteral("typed"));
    QTest::keyClick(control<QPushButton>("BtnAdd"), Qt::Key_Return);
    EXPECT_EQ(d.commands(), (QStringList{"a", "typed"}));
    QTest::keyClick(control<QPushButton>("BtnCancel"), Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(launcher.launches.empty());
    EXPECT_EQ(frame->settings().Commands, QStringList{"a"});

    dialog().show();
    QTest::keyClick(edit(), Qt::Key_Return);
    ASSERT_EQ(launcher.launches.size(), 1u);
    EXPECT_EQ(launcher.launches[0].words, QStringList{"a"});
}

TEST_F(ExternalTest, DialogCommitsOnExecuteAndCloseOnly)
{
    Settings &s = frame->settings();
    s.Commands = {QStringLiteral("a")};
    s.ShellCmds = {QStringLiteral("zsh-term"), QStringLiteral("Bterm"), QStringLiteral("aterm")};
    s.ShellIndex = 5; // beyond the list: none selected
    TCommandDialog &d = dialog();
    EXPECT_EQ(control<QComboBox>("EdtShell")->currentIndex(), -1);
    edit()->setText(QStringLiteral("b"));
    d.BtnAddClick();
    d.BtnCancelClick();
    EXPECT_EQ(s.Commands, QStringList{"a"});

    dialog();
    edit()->setText(QStringLiteral("b"));
    d.BtnAddClick();
    control<QCheckBox>("ChkStay")->setChecked(true);
    edit()->setText(QStringLiteral("typed, not added"));
    d.BtnExecClick();
    EXPECT_EQ(launcher.launches.back().script, QStringLiteral("typed, not added"));
    EXPECT_EQ(s.Commands, (QStringList{"a", "b"}));
    EXPECT_EQ(s.ShellCmds, (QStringList{"aterm", "Bterm", "zsh-term"}));
    EXPECT_EQ(s.ShellIndex, -1);
    EXPECT_TRUE(frame->StayInDos);

    // A failed launch keeps the dialog open; Close commits too.
    launcher.result = false;
    d.show();
    control<QComboBox>("EdtShell")->setCurrentIndex(1);
    edit()->setText(QStringLiteral("x"));
    d.BtnExecClick();
    EXPECT_TRUE(d.isVisible());
    d.BtnDeleteClick();
    d.BtnCloseClick();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(s.Commands, QStringList{"b"});
    EXPECT_EQ(s.ShellIndex, 1);
}

TEST_F(ExternalTest, ChangeDirectoryOffersToCreateAMissingOne)
{
    const test::WorkingDir cwd(dir.path());
    const QString start = QDir::currentPath();
    struct Case {
        QString chosen;
        std::optional<Answer> create;
        QString expectedDir;
    };
    const Case cases[] = {
        {QString(), std::nullopt, start},                     // cancelled
        {QStringLiteral("new/deep"), Answer::No, start},      // not created
        {QStringLiteral("new/deep"), Answer::Yes, start + QStringLiteral("/new/deep")},
        {start, std::nullopt, start},                         // exists: no question
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        QDir::setCurrent(start);
        prompter.messages.clear();
        prompter.directoryAnswers.push_back(c.chosen);
        if (c.create)
            prompter.answers.push_back(*c.create);
        frame->FileChangeDirClick();
        EXPECT_EQ(QDir::currentPath(), c.expectedDir);
        EXPECT_EQ(prompter.messages.size(), c.create ? 1u : 0u);
    }
}

// File names made to break out of their argument, run for real through the
// launch plan: "argv" records what it was given, one argument per NUL.
class HostileNameTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::WorkingDir cwd{dir.path()};

    void SetUp() override
    {
        script("argv", "printf '%s\\0' \"$@\" > argv.out\n");
        // A terminal that runs what follows its -e, with nothing to read.
        script("term", "while [ \"$1\" != -e ]; do shift; done\nshift\nexec \"$@\" </dev/null\n");
    }

    void script(const QString &name, const QByteArray &body)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body);
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }

    // The arguments "argv" received, after waiting for the whole command.
    QStringList run(const LaunchRequest &r)
    {
        QFile::remove(QStringLiteral("argv.out"));
        const LaunchPlan plan = planLaunch(r);
        if (plan.kind != LaunchPlan::StartProgram)
            return {QStringLiteral("(not started)")};
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(plan.program, plan.arguments);
        p.waitForFinished(-1);
        QStringList args = QString::fromUtf8(test::readBytes(QStringLiteral("argv.out"))).split(QChar(0));
        args.removeLast();
        return args;
    }

    // Each template on each name: the program gets exactly the expected
    // arguments, and nothing in a name has run.
    template <typename Case> void check(const Case &cases, bool stay, const QString &shell = {})
    {
        const char *names[] = {
            "a\" \"--checkpoint=1\" \"--checkpoint-action=exec=touch PWNED\" \"b.txt",
            "x'$(touch PWNED)'.txt",
            "a`touch PWNED`b; touch PWNED; .txt",
            "-n\ntouch PWNED\n.c",
            "$HOME * \\ 'x.txt",
        };
        for (const char *name : names) {
            const T_StringSubst subst(dir.filePath(QString::fromUtf8(name)).toStdString());
            for (const auto &c : cases) {
                SCOPED_TRACE(std::string(c.tmpl) + " on " + name);
                QStringList expected;
                for (const char *arg : c.args)
                    expected << QString::fromStdString(subst.Substitute(arg));
                EXPECT_EQ(run(buildLaunch(subst, QString::fromUtf8(c.tmpl), stay, shell)), expected);
                EXPECT_FALSE(QFile::remove(QStringLiteral("PWNED")));
            }
        }
    }
};

TEST_F(HostileNameTest, ANameFillsExactlyTheWordItStandsIn)
{
    const struct {
        const char *tmpl;
        std::vector<const char *> args;
    } cases[] = {
        {"./argv \"&N\"", {"&N"}},
        {"./argv '&f' &N", {"&f", "&N"}},
        {"./argv -o &n.o \"&P\"&e x&Ny", {"-o", "&n.o", "&P&e", "x&Ny"}},
        {"./argv \\&N \"\\&N\"", {"&N", "\\&N"}},
    };
    check(cases, false);
}

// In the terminal the template is shell code; a name still never is.
TEST_F(HostileNameTest, ANameReachesTheShellInTheTerminalOnlyAsAnArgument)
{
    const struct {
        const char *tmpl;
        std::vector<const char *> args;
    } cases[] = {
        {"./argv \"&N\" 2>/dev/null | cat &&&& touch PIPED", {"&N"}},
        {"./argv '&f' &N; test -s argv.out || touch PWNED", {"&f", "&N"}},
        {"./argv -o &n.o \"&P\"&e x&Ny 'a&Nb' # &N", {"-o", "&n.o", "&P&e", "x&Ny", "a&Nb"}},
        {"./argv \\&N \"\\&N\" $&n \"$&n\" '$&n'", {"&N", "\\&N", "$&n", "$&n", "$&n"}},
        {"./argv \"$(printf %s \"&N\")\" \"`printf %s '&N'`\"", {"&N", "&N"}},
    };
    check(cases, true, dir.filePath(QStringLiteral("term")));
    EXPECT_TRUE(QFile::exists(QStringLiteral("PIPED")));
}

} // namespace
