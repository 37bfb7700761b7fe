// The Page Setup dialog: its spin box rules and the margin it sets.
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "platform/helptopic.h"
#include "platform/spinedit.h"
#include "print/pagesetupdialog.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::ScriptedPrompter;

namespace {

TEST(PageSetupDialog, TypedMarginIsReadAsTheFocusLeaves)
{
    const struct {
        const char *typed;
        const char *shown; // the field's text after typing: refused keys leave no trace
        int value;
    } cases[] = {
        {"99", "99", 40}, {"7", "7", 7}, {"12x", "12", 12}, {"-3", "-3", 0}, {"1.5", "1.5", 0}, {"+", "+", 0},
    };
    for (const auto &c : cases) {
        TSimplePageSetupDialog dialog;
        dialog.LeftMargin = 4;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        auto *spin = dialog.findChild<SpinEdit *>(QStringLiteral("ValLeft"));
        auto *edit = spin->findChild<QLineEdit *>();
        ASSERT_EQ(QApplication::focusWidget(), spin);
        EXPECT_EQ(edit->text(), QStringLiteral("4"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.typed;
        // The mouse takes the focus to OK before it clicks.
        auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("BtnOK"));
        ok->setFocus();
        EXPECT_EQ(spin->value(), c.value) << c.typed;
        ok->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.LeftMargin, c.value) << c.typed;
    }
}

TEST(PageSetupDialog, EnterPressesTheFocusedButtonOrOk)
{
    const struct {
        const char *focus;
        int result;
    } cases[] = {{"ValLeft", QDialog::Accepted}, {"BtnOK", QDialog::Accepted}, {"BtnCancel", QDialog::Rejected}};
    for (const auto &c : cases) {
        TSimplePageSetupDialog dialog;
        dialog.show();
        QTest::keyClick(dialog.findChild<QWidget *>(QString::fromLatin1(c.focus)), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << c.focus;
        EXPECT_EQ(dialog.result(), c.result) << c.focus;
    }
}

TEST(PageSetupDialog, F1AndHelpOpenThePrintingTopic)
{
    std::vector<int> topics;
    setHelpTopicHandler([&](int topic) { topics.push_back(topic); });
    TSimplePageSetupDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.findChild<SpinEdit *>(QStringLiteral("ValLeft")), Qt::Key_F1);
    dialog.findChild<QPushButton *>(QStringLiteral("BtnHelp"))->click();
    setHelpTopicHandler({});
    EXPECT_EQ(topics, (std::vector<int>{40, 40}));
}

// Types a margin into the Page Setup dialog, then presses OK or Cancel.
std::function<void(QDialog &)> typeMargin(const QString &typed, const char *button)
{
    return [typed, button](QDialog &dialog) {
        auto *field = dialog.findChild<SpinEdit *>(QStringLiteral("ValLeft"))->findChild<QLineEdit *>();
        field->setText(typed);
        dialog.findChild<QPushButton *>(QString::fromLatin1(button))->click();
    };
}

TEST(PageSetupDialog, SetsTheMarginOfItsWindowOnlyAndOnlyOnOk)
{
    QTemporaryDir dir;
    TMainWindow frame(dir.filePath(QStringLiteral("Verno.reg")));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    ASSERT_TRUE(frame.OpenEditWindow(QString(), false));
    ASSERT_TRUE(frame.OpenEditWindow(QString(), false));
    TFileWindow *active = frame.activeWindow();
    TFileWindow *other = frame.editWindows().last();
    ASSERT_NE(active, other);
    EXPECT_EQ(active->LeftMargin, 4);

    ScriptedPrompter prompter;
    prompter.dialogActions.push_back(typeMargin(QStringLiteral("0"), "BtnOK"));
    frame.FilePageSetupClick();
    EXPECT_EQ(active->LeftMargin, 0);
    EXPECT_EQ(other->LeftMargin, 4);

    prompter.dialogActions.push_back(typeMargin(QStringLiteral("12"), "BtnCancel"));
    frame.FilePageSetupClick();
    EXPECT_EQ(prompter.dialogsRun, QStringList({"SimplePageSetupDialog", "SimplePageSetupDialog"}));
    EXPECT_EQ(active->LeftMargin, 0);
}

} // namespace
