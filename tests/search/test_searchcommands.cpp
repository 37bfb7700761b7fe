// Every menu item, popup item, tool button and panel of the search and text
// commands reaches the active edit window.
#include "app/statuspanels.h"
#include "search/searchoptions.h"
#include "searchtest.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace verno;
using verno::test::Place;
using verno::test::SearchTest;

namespace {

class CommandWiringTest : public SearchTest {
protected:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        frame.ActivateEditWindow(window);
        ASSERT_EQ(frame.activeWindow(), window);
    }

    void trigger(const QString &name)
    {
        frame.UpdateCommandState(false);
        frame.UpdateCommandState(true);
        if (name.startsWith(QLatin1String("Btn"))) {
            QToolButton *b = frame.findChild<QToolButton *>(name);
            ASSERT_TRUE(b && b->isEnabled());
            b->click();
        } else if (name.startsWith(QLatin1String("Pnl"))) {
            QTest::mouseDClick(frame.statusPanels().panel(name), Qt::LeftButton);
        } else {
            QAction *a = name.startsWith(QLatin1String("Pop")) ? window->MnuPopup()->findChild<QAction *>(name)
                                                                : frame.findChild<QAction *>(name);
            ASSERT_TRUE(a && a->isEnabled());
            a->trigger();
        }
    }
};

// Fills the Find or Replace dialog and confirms it.
std::function<void(QDialog &)> answer(const char *find, const char *replace = nullptr)
{
    return [=](QDialog &d) {
        d.findChild<QComboBox *>(QStringLiteral("TxtFind"))->setEditText(QString::fromLatin1(find));
        if (replace) {
            d.findChild<QComboBox *>(QStringLiteral("TxtReplace"))->setEditText(QString::fromLatin1(replace));
            d.findChild<QCheckBox *>(QStringLiteral("ChkAll"))->setChecked(true);
        }
        d.findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
    };
}

std::function<void(QDialog &)> lineEntry(const char *entry)
{
    return [=](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("EdtLineNum"))->setText(QString::fromLatin1(entry));
        d.findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
    };
}

} // namespace

TEST_F(CommandWiringTest, EveryWayInReachesItsCommand)
{
    const std::string base = "hEllo (world) \r\nworld";
    const struct {
        const char *names;
        Place from;
        std::function<void(QDialog &)> dialog;
        std::string result;
        Place after;
    } cases[] = {
        {"MnuEditChangeCase PopChangeCase BtnEditChangeCase", {0, 0, 5}, {}, "HeLLO (world) \r\nworld", {0, 0, 5}},
        {"MnuEditUpperCase PopUpperCase BtnEditUpperCase", {0, 0, 5}, {}, "HELLO (world) \r\nworld", {0, 0, 5}},
        {"MnuEditLowerCase PopLowerCase BtnEditLowerCase", {0, 0, 5}, {}, "hello (world) \r\nworld", {0, 0, 5}},
        {"MnuEditInitialCaps PopInitialCaps BtnEditInitialCaps", {0, 0, 5}, {}, "Hello (world) \r\nworld", {0, 0, 5}},
        {"MnuEditShiftRight PopShiftRight", {0, 1, 0}, {}, "  hEllo (world) \r\nworld", {1, 0, 0}},
        {"MnuEditShiftLeft PopShiftLeft", {0, 1, 0}, {}, "llo (world) \r\nworld", {1, 0, 0}},
        {"MnuEditTrim", {0, 1, 0}, {}, "hEllo (world)\r\nworld", {0, 13, 0}},
        {"MnuFindBrRgt", {0, 6, 0}, {}, base, {0, 13, 0}},
        {"MnuFindBrLft", {0, 13, 0}, {}, base, {0, 6, 0}},
        {"MnuFind PopFind BtnFind", {0, 8, 0}, answer("world"), base, {1, 0, 5}},
        {"MnuFindReplace PopReplace BtnFindReplace", {0, 0, 0}, answer("world", "all"), "hEllo (all) \r\nall", {1, 3, 0}},
        {"MnuFindAgain MnuKeyFindAgain PopFindAgain BtnFindAgain", {0, 0, 0}, {}, base, {0, 7, 5}},
        {"MnuFindLine PnlStatusCurPos", {0, 3, 0}, lineEntry("2"), base, {1, 0, 0}},
    };
    frame.settings().ShiftCount = 2;
    for (const auto &c : cases) {
        for (const QString &name : QString::fromLatin1(c.names).split(QLatin1Char(' '))) {
            SCOPED_TRACE(name.toStdString());
            setText(base);
            select(c.from.line, c.from.column, c.from.length);
            options().SetFindText("world");
            options().LastAction = SearchAction::Find;
            if (c.dialog)
                prompter.dialogActions.push_back(c.dialog);
            trigger(name);
            EXPECT_EQ(text(), c.result);
            EXPECT_EQ(place(), c.after);
            EXPECT_TRUE(prompter.dialogActions.empty());
        }
    }
}
