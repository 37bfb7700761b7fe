#include "platform/filecheck.h"
#include "platform/filefilter.h"
#include "platform/messagedialog.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace verno;

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
