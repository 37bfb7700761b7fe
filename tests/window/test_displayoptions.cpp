// An edit window's display options: its own font with Apply, and word wrap
// that leaves the modified flag alone.
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::ScriptedPrompter;

namespace {

class DisplayOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    TFileWindow &newWindow()
    {
        EXPECT_TRUE(frame.OpenEditWindow(QString(), false));
        return *frame.editWindows().first();
    }
    static FontChoice choice(const char *family, int points, QColor color)
    {
        QFont f(QString::fromLatin1(family));
        f.setPointSize(points);
        return {f, color};
    }

    QTemporaryDir dir;
    TMainWindow frame{dir.filePath(QStringLiteral("Verno.reg"))};
    ScriptedPrompter prompter;
};

TEST_F(DisplayOptionsTest, WordWrapKeepsTheModifiedFlagBothWays)
{
    TFileWindow &w = newWindow();
    w.Memo().SetWholeText("some text that is long enough to wrap somewhere");
    for (const bool modified : {false, true}) {
        w.Memo().SetModifiedFlag(modified);
        for (int i = 0; i < 2; ++i) {
            const bool wrap = !w.Memo().WordWrap();
            w.OptWordWrapClick();
            EXPECT_EQ(w.Memo().WordWrap(), wrap);
            EXPECT_EQ(w.Memo().ModifiedFlag(), modified);
        }
        frame.SetWordWrapAll(!frame.WordWrapAll);
        EXPECT_EQ(w.Memo().ModifiedFlag(), modified);
    }
}

TEST_F(DisplayOptionsTest, AppliedFontSurvivesCancelAndStaysWithItsWindow)
{
    TFileWindow &first = newWindow();
    TFileWindow &second = newWindow();
    const QFont secondFont = second.Memo().font();
    first.Memo().setTextColor(Qt::darkGreen);

    prompter.fontApplies.push_back(choice("Liberation Serif", 17, Qt::blue));
    prompter.fontAnswers.push_back(std::nullopt); // Cancel after Apply
    first.OptFontClick();
    EXPECT_EQ(prompter.fontShown.color, QColor(Qt::darkGreen));
    EXPECT_EQ(first.Memo().font().family(), "Liberation Serif");
    EXPECT_EQ(first.Memo().font().pointSize(), 17);
    EXPECT_EQ(first.Memo().textColor(), QColor(Qt::blue));
    EXPECT_EQ(second.Memo().font(), secondFont);

    // The Default Font dialog's Apply gives the active window its own font.
    frame.ActivateEditWindow(&second);
    ASSERT_EQ(frame.activeWindow(), &second);
    second.Memo().setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    prompter.fontApplies.push_back(choice("Liberation Serif", 30, Qt::red));
    prompter.fontAnswers.push_back(choice("Liberation Mono", 9, Qt::red));
    frame.OptDflFontClick();
    EXPECT_EQ(second.Memo().font(), secondFont);
    EXPECT_EQ(first.Memo().font().pointSize(), 17);

    // The new default reaches only windows opened from now on.
    TFileWindow &third = newWindow();
    EXPECT_EQ(third.Memo().font().family(), "Liberation Mono");
    EXPECT_EQ(third.Memo().font().pointSize(), 9);
    EXPECT_EQ(third.Memo().textColor(), QColor(Qt::red));
    EXPECT_EQ(first.Memo().font().family(), "Liberation Serif");
}

} // namespace
