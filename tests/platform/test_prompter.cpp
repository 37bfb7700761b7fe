#include "platform/filecheck.h"
#include "platform/filefilter.h"
#include "platform/helptopic.h"
#include "platform/messagedialog.h"
#include "platform/prompter.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <sys/stat.h>
#include <vector>

using namespace verno;

namespace {

// `action` on the modal dialog about to run, once it is up; a dialog the
// action leaves open is cancelled.
template <typename Dialog> void whenUp(const std::function<void(Dialog &)> &action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
        action(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

FileDialogResult runFileDialog(const FileDialogRequest &request, bool save,
                               const std::function<void(QFileDialog &)> &action)
{
    whenUp(action);
    return save ? prompter().saveFile(request) : prompter().openFile(request);
}

// Types a name into a file dialog and presses Enter.
void typeName(QFileDialog &d, const QString &name)
{
    auto *edit = d.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

TEST(Prompter, DefaultAndEscapeAnswersFollowTheConventions)
{
    EXPECT_EQ(defaultAnswer(BtnYes | BtnNo | BtnCancel), Answer::Yes);
    EXPECT_EQ(defaultAnswer(BtnOk | BtnCancel), Answer::Ok);
    EXPECT_EQ(escapeAnswer(BtnYes | BtnNo | BtnCancel | BtnAll), Answer::Cancel);
    EXPECT_EQ(escapeAnswer(BtnYes | BtnNo), Answer::No);
    EXPECT_EQ(escapeAnswer(BtnOk), Answer::Ok);
}

TEST(Prompter, ReportPeriodOnlyAfterCharactersSortingAfterPeriod)
{
    EXPECT_EQ(withReportPeriod("Cannot open file x"), "Cannot open file x.");
    EXPECT_EQ(withReportPeriod("Really?"), "Really?.");
    EXPECT_EQ(withReportPeriod("Done."), "Done.");
    EXPECT_EQ(withReportPeriod("Stop!"), "Stop!");
    EXPECT_EQ(withReportPeriod("a,"), "a,");
    EXPECT_EQ(withReportPeriod("9"), "9.");
    EXPECT_EQ(withReportPeriod(""), "");
}

TEST(FileFilter, PairsBecomeQtFiltersWithRealPatterns)
{
    const QStringList f = qtNameFilters("Text (*.txt)|*.txt|Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr|All files (*.*)|*.*");
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], "Text (*.txt)");
    EXPECT_EQ(f[1], "Pascal,Delphi (*.pas *.dpr)");
    EXPECT_EQ(f[2], "All files (*)");
    EXPECT_EQ(qtNameFilters("Odd|").size(), 1);
}

TEST(MessageDialogKeys, ReturnPressesTheFocusedButtonAndLettersTheirButton)
{
    const Buttons buttons = BtnYes | BtnNo | BtnCancel | BtnAll;
    const struct {
        const char *label;
        std::vector<std::pair<Qt::Key, QString>> keys;
        Answer answer;
    } cases[] = {
        {"Return at once", {{Qt::Key_Return, ""}}, Answer::Yes},
        {"Tab, Return", {{Qt::Key_Tab, ""}, {Qt::Key_Return, ""}}, Answer::No},
        {"Tab, Tab, space", {{Qt::Key_Tab, ""}, {Qt::Key_Tab, ""}, {Qt::Key_Space, " "}}, Answer::Cancel},
        {"n", {{Qt::Key_N, "n"}}, Answer::No},
        {"A", {{Qt::Key_A, "A"}}, Answer::All},
        {"Esc", {{Qt::Key_Escape, ""}}, Answer::Cancel},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        MessageDialog dialog(MessageKind::Confirm, QString(), QStringLiteral("Save?"), buttons);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (const auto &[key, text] : c.keys) {
            QWidget *focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::sendKeyEvent(QTest::Click, focus, key, text, Qt::NoModifier);
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.answer(), c.answer);
    }
}

TEST(MessageDialogText, LongLinesBreakSoTheBoxFitsOnTheScreen)
{
    const QString name = QStringLiteral("/tmp/some folder/") + QString(240, QLatin1Char('L')) + QStringLiteral(".txt");
    const QString text = QStringLiteral("Save changes to file \"%1\"?").arg(name);
    MessageDialog dialog(MessageKind::Confirm, QString(), text, BtnYes | BtnNo | BtnCancel);
    const QLabel *label = dialog.findChild<QLabel *>(QStringLiteral("LblMessage"));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(dialog.sizeHint().width(), QGuiApplication::primaryScreen()->availableGeometry().width());
    EXPECT_GT(label->text().count(QLatin1Char('\n')), 0);
    EXPECT_EQ(QString(label->text()).remove(QLatin1Char('\n')), text); // nothing lost

    MessageDialog shortOne(MessageKind::Confirm, QString(), QStringLiteral("Replace this occurrence?"), BtnYes | BtnNo);
    EXPECT_EQ(shortOne.findChild<QLabel *>(QStringLiteral("LblMessage"))->text(), "Replace this occurrence?");
}

TEST(FileCheck, SaveAndOpenTakeOnlyWhatTheyMay)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("there.txt"));
    const QString readOnly = dir.filePath(QStringLiteral("ro.txt"));
    for (const QString &f : {file, readOnly}) {
        QFile out(f);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString noFolder = dir.filePath(QStringLiteral("nofolder/a.txt"));
    const struct {
        QString path;
        bool save, confirm;
        FileCheck::Verdict verdict;
        const char *says;
    } cases[] = {
        {file, false, false, FileCheck::Accept, ""},
        {missing, false, false, FileCheck::Refuse, "File not found."},
        {pipe, false, false, FileCheck::Refuse, "This is a named pipe, not a regular file."},
        {"/dev/null", false, false, FileCheck::Refuse, "This is a device, not a regular file."},
        {missing, true, true, FileCheck::Accept, ""},
        {noFolder, true, true, FileCheck::Refuse, "Path does not exist."},
        {readOnly, true, false, FileCheck::Refuse, "This file is set to read-only."},
        {file, true, true, FileCheck::AskReplace, "already exists."},
        {file, true, false, FileCheck::Accept, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString() + (c.save ? " save" : " open"));
        const FileCheck check = checkChosenFile(c.path, c.save, c.confirm);
        EXPECT_EQ(check.verdict, c.verdict);
        EXPECT_TRUE(check.message.contains(QString::fromLatin1(c.says))) << check.message.toStdString();
        if (c.verdict != FileCheck::Accept) {
            EXPECT_TRUE(check.message.startsWith(c.path));
        }
    }
}

TEST(Prompter, DialogsSitOverTheMainWindowWhileNoWindowIsActive)
{
    QMainWindow frame;
    frame.show();
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(dialogParent(), &frame);
    QDialog modal(&frame);
    modal.setModal(true);
    modal.show();
    EXPECT_EQ(dialogParent(), &modal) << "a question asked from a modal dialog sits over it";
}

TEST(FileDialogs, F1AndTheHelpButtonAskForTheTopic)
{
    std::vector<int> topics;
    setHelpTopicHandler([&](int topic) { topics.push_back(topic); });
    for (const bool button : {true, false}) {
        FileDialogRequest r;
        r.title = QStringLiteral("Open");
        r.directory = QDir::tempPath();
        r.helpContext = 22;
        r.helpButton = button;
        runFileDialog(r, false, [&](QFileDialog &d) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            auto *help = d.findChild<QPushButton *>(QStringLiteral("BtnHelp"));
            ASSERT_EQ(help != nullptr, button);
            if (help)
                help->click();
        });
    }
    setHelpTopicHandler({});
    EXPECT_EQ(topics, (std::vector<int>{22, 22, 22}));
}

// Qt reads `a "b" c` as a list naming "b"; the program takes the name as typed.
TEST(FileDialogs, ATypedNameIsTheOneFileItNamesAsItStands)
{
    QTemporaryDir dir;
    for (const char *name : {"y", "hi", "d", "a.txt", "b.txt", "say \"hi\" now.txt"})
        verno::test::writeBytes(dir.filePath(QString::fromUtf8(name)), "old");
    const struct {
        bool save;
        const char *typed;
        const char *chosen;
    } cases[] = {
        {true, "notes \"y\" draft.txt", "notes \"y\" draft.txt"},
        {true, "c \"d\".txt", "c \"d\".txt"},
        {true, "a \"\" b", "a \"\" b"}, // Qt would refuse it
        {false, "say \"hi\" now.txt", "say \"hi\" now.txt"},
        {false, "\"a.txt\" \"b.txt\"", "a.txt"}, // no such name: the list's first
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        FileDialogRequest r;
        r.directory = dir.path();
        const FileDialogResult result = runFileDialog(
            r, c.save, [&](QFileDialog &d) { typeName(d, QString::fromUtf8(c.typed)); });
        EXPECT_TRUE(result.accepted);
        EXPECT_EQ(result.fileName, dir.filePath(QString::fromUtf8(c.chosen)));
    }
    // The folder chooser too: the typed folder need not exist yet.
    whenUp<QFileDialog>([](QFileDialog &d) { typeName(d, QStringLiteral("new \"y\" folder")); });
    EXPECT_EQ(prompter().chooseDirectory(QStringLiteral("Change Directory"), dir.path()),
              dir.filePath(QStringLiteral("new \"y\" folder")));
}

// After a question and the file dialog under it close at once, the window
// manager may focus nothing; the window and control that had the focus get
// it back.
TEST(FileDialogs, FocusGoesBackWhereItWas)
{
    QWidget frame;
    new QLineEdit(&frame);
    auto *second = new QLineEdit(&frame);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    second->setFocus();
    {
        const FocusReturn back;
        QDialog dialog(&frame);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.hide();
        QApplication::setActiveWindow(nullptr); // as the window manager may leave it
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &frame; }));
    EXPECT_EQ(QApplication::focusWidget(), second);
}
