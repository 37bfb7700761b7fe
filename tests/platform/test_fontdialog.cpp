// The font dialog: what it shows and gives back, Apply, and the refused
// family and size.
#include "platform/fontdialog.h"
#include "platform/helptopic.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::ScriptedPrompter;

namespace {

FontChoice font(const char *family, int points, bool bold, bool italic, QColor color)
{
    QFont f(QString::fromLatin1(family), points);
    f.setBold(bold);
    f.setItalic(italic);
    return {f, color};
}

TEST(FontDialog, ShowsTheFontAndGivesBackWhatWasPicked)
{
    std::vector<FontChoice> applied;
    FontDialogRequest request;
    request.initial = font("Liberation Mono", 13, true, false, QColor(0x80, 0, 0));
    request.initial.font.setUnderline(true);
    request.apply = [&](const FontChoice &c) { applied.push_back(c); };
    TFontDialog dialog(request);
    const auto edit = [&](const char *name) { return dialog.findChild<QLineEdit *>(QString::fromLatin1(name)); };
    const auto list = [&](const char *name) { return dialog.findChild<QListWidget *>(QString::fromLatin1(name)); };
    EXPECT_EQ(edit("EdtFamily")->text(), "Liberation Mono");
    EXPECT_EQ(edit("EdtStyle")->text(), "Bold");
    EXPECT_EQ(edit("EdtSize")->text(), "13");
    EXPECT_EQ(dialog.findChild<QComboBox *>()->currentText(), "Maroon");
    EXPECT_TRUE(dialog.findChild<QCheckBox *>(QStringLiteral("ChkUnderline"))->isChecked());
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("BtnHelp")), nullptr);

    list("LstFamily")->setCurrentItem(list("LstFamily")->findItems("Liberation Serif", Qt::MatchExactly).first());
    list("LstStyle")->setCurrentRow(1);
    edit("EdtSize")->setText(QStringLiteral("57")); // not in the list: any size goes
    dialog.findChild<QCheckBox *>(QStringLiteral("ChkStrikeOut"))->setChecked(true);
    dialog.findChild<QComboBox *>()->setCurrentText(QStringLiteral("Blue"));
    dialog.findChild<QPushButton *>(QStringLiteral("BtnApply"))->click();
    ASSERT_EQ(applied.size(), 1u);
    const QFont f = applied[0].font;
    EXPECT_EQ(f.family(), "Liberation Serif");
    EXPECT_EQ(f.pointSize(), 57);
    EXPECT_TRUE(f.italic() && !f.bold() && f.underline() && f.strikeOut());
    EXPECT_EQ(applied[0].color, QColor(Qt::blue));
    EXPECT_EQ(dialog.choice().font, f);
    const QLabel *sample = dialog.findChild<QLabel *>(QStringLiteral("LblSample"));
    EXPECT_EQ(sample->font(), f);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

TEST(FontDialog, TypedFamilyFindsItsEntryAndBadInputKeepsTheDialogOpen)
{
    ScriptedPrompter prompter;
    TFontDialog dialog(FontDialogRequest{QStringLiteral("Font"), font("Liberation Mono", 10, false, false, Qt::black), 93, {}});
    EXPECT_NE(dialog.findChild<QPushButton *>(QStringLiteral("BtnHelp")), nullptr);
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("BtnApply")), nullptr);
    auto *family = dialog.findChild<QLineEdit *>(QStringLiteral("EdtFamily"));
    auto *size = dialog.findChild<QLineEdit *>(QStringLiteral("EdtSize"));
    dialog.show();
    family->setFocus();
    family->selectAll();
    QTest::keyClicks(family, QStringLiteral("Liberation Se"));
    EXPECT_EQ(dialog.findChild<QListWidget *>(QStringLiteral("LstFamily"))->currentItem()->text(),
              "Liberation Serif");
    const struct {
        const char *family, *size;
        bool accepted;
    } cases[] = {{"Liberation Se", "10", false}, {"No Such Face", "10", false},
                 {"liberation serif", "0", false}, {"liberation serif", "x", false},
                 {"liberation serif", "11", true}};
    for (const auto &c : cases) {
        family->setText(QString::fromLatin1(c.family));
        size->setText(QString::fromLatin1(c.size));
        dialog.setResult(QDialog::Rejected);
        prompter.messages.clear();
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.family << " " << c.size;
        EXPECT_EQ(prompter.messages.size(), c.accepted ? 0u : 1u) << c.family << " " << c.size;
    }
    EXPECT_EQ(dialog.choice().font.family(), "Liberation Serif");
}

// Enter on a focused button presses it; F1 asks for the dialog's topic.
TEST(FontDialog, EnterPressesTheFocusedButtonAndF1OpensTheTopic)
{
    int applied = 0;
    std::vector<int> topics;
    setHelpTopicHandler([&](int topic) { topics.push_back(topic); });
    FontDialogRequest request{QStringLiteral("Font"), font("Liberation Mono", 10, false, false, Qt::black), 93,
                              [&](const FontChoice &) { ++applied; }};
    TFontDialog dialog(request);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.findChild<QPushButton *>(QStringLiteral("BtnApply")), Qt::Key_Return);
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(dialog.findChild<QLineEdit *>(QStringLiteral("EdtSize")), Qt::Key_F1);
    setHelpTopicHandler({});
    EXPECT_EQ(topics, std::vector<int>{93});
    QTest::keyClick(dialog.findChild<QPushButton *>(QStringLiteral("BtnCancel")), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

} // namespace
