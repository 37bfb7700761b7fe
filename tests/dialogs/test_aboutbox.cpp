#include "app/frametest.h"
#include "dialogs/aboutbox.h"

#include <QPushButton>

using namespace verno;

namespace {

using AboutBoxTest = test::FrameTest;

TEST_F(AboutBoxTest, LinksOpenMailAndWebAndSayWhenTheyCannot)
{
    TAboutBox &box = frame->aboutBox();
    const QString mail = QStringLiteral("mailto:") + QLatin1String(kAuthorEmail) + QStringLiteral("?subject=Verno v3.0");
    const QString web = QString::fromLatin1(kAuthorWebsite);
    for (const bool works : {true, false}) {
        SCOPED_TRACE(works);
        launcher.result = works;
        launcher.launches.clear();
        prompter.messages.clear();
        box.AuthorEmailClick();
        box.AuthorWebsiteClick();
        ASSERT_EQ(launcher.launches.size(), 2u);
        EXPECT_EQ(launcher.launches[0].whole, mail);
        EXPECT_EQ(launcher.launches[1].whole, web);
        if (works) {
            EXPECT_TRUE(prompter.messages.empty());
        } else {
            ASSERT_EQ(prompter.messages.size(), 2u);
            EXPECT_EQ(prompter.messages[0].text, QStringLiteral("failed to launch e-mail program"));
            EXPECT_EQ(prompter.messages[1].text, QStringLiteral("failed to launch web browser"));
        }
    }
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About this program    "));
    EXPECT_FALSE(box.windowIcon().isNull());
}

} // namespace

namespace {

// A click on a link leaves the focus on OK, and every opening starts there,
// so Enter closes the box instead of opening a link again.
TEST_F(AboutBoxTest, EnterClosesTheBoxAfterALinkWasUsed)
{
    launcher.result = false;
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        prompter.dialogActions.push_back([&](QDialog &box) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
            auto *ok = box.findChild<QPushButton *>(QStringLiteral("OKButton"));
            EXPECT_EQ(QApplication::focusWidget(), ok);
            auto *web = box.findChild<QLabel *>(QStringLiteral("AuthorWebsite"));
            QTest::mouseClick(web, Qt::LeftButton, {}, web->rect().center());
            EXPECT_EQ(QApplication::focusWidget(), ok);
            web->setFocus(); // a keyboard user tabbed to the link
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        frame->HelpAboutClick();
        EXPECT_FALSE(frame->aboutBox().isVisible());
    }
    EXPECT_EQ(prompter.messages.size(), 2u);
}

} // namespace
