// Stored geometry and fonts as the frame applies them at start.
#include "app/framegeometry.h"
#include "frametest.h"
#include "platform/fontfallback.h"
#include "platform/regstore.h"

#include <QFontInfo>
#include <QScreen>
#include <map>

using namespace verno;
using verno::test::FrameTest;

namespace {

class FrameSettingsTest : public FrameTest {
protected:
    void store(const QString &section, const std::map<QString, int> &numbers, const QString &name = {})
    {
        RegStore reg;
        const QString key = QStringLiteral("Software\\Qvo\\Verno\\") + section;
        reg.createKey(key);
        for (const auto &[value, number] : numbers)
            reg.writeNumber(key, value, number);
        if (!name.isEmpty())
            reg.writeString(key, QStringLiteral("Name"), name);
        ASSERT_EQ(reg.save(dir.filePath(QStringLiteral("Verno.reg"))), QString());
    }
};

TEST_F(FrameSettingsTest, EachStoredGeometryValueAppliesOnItsOwnWithinTheScreen)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect start(40, 60, 500, 300);
    const struct {
        const char *label;
        std::map<QString, int> stored;
        QRect expect;
    } cases[] = {
        {"width only", {{"Width", 420}}, QRect(40, 60, 420, 300)},
        {"top without left and width", {{"Top", 20}, {"Height", 250}}, QRect(40, 20, 500, 250)},
        {"left and height", {{"Left", 30}, {"Height", 200}}, QRect(30, 60, 500, 200)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        frame->setGeometry(start);
        store(QStringLiteral("MainWindow"), c.stored);
        frame->LoadSettings();
        EXPECT_EQ(frame->geometry(), c.expect);
    }
    store(QStringLiteral("MainWindow"), {{"Width", 100000}, {"Height", 100000}});
    frame->LoadSettings();
    EXPECT_LE(frame->frameGeometry().width(), avail.width());
    EXPECT_LE(frame->frameGeometry().height(), avail.height());
    store(QStringLiteral("MainWindow"), {{"Left", 50000}, {"Top", -50000}, {"Width", 400}, {"Height", 200}});
    frame->LoadSettings();
    EXPECT_TRUE(avail.intersects(frame->frameGeometry())) << frame->geometry().x() << "," << frame->geometry().y();
}

// A size stored larger than the screen, applied before the window manager has
// framed the window: once framed, the whole frame, title bar included, covers
// exactly the available area.
TEST(FrameGeometry, HugeStoredSizeFitsTheFrameOnceFramed)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setMinimumSize(320, 160);
    applyStoredGeometry(window, avail.top() + 300, avail.left() + 200, 100000, 100000);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    ASSERT_NE(window.frameGeometry(), window.geometry()) << "not framed";
    EXPECT_EQ(window.frameGeometry(), avail);
}

TEST_F(FrameSettingsTest, StoredFontKeepsFixedPitchItsColourAndItsName)
{
    store(QStringLiteral("Font"), {{"Color", 0x0000FF}, {"Size", 11}}, QStringLiteral("No Such Face Anywhere"));
    frame->LoadSettings();
    // The installed fixed-pitch face stands in, whatever else the machine has.
    EXPECT_EQ(QFontInfo(frame->DefaultFont).family(), kFixedFallbackFace);
    EXPECT_TRUE(QFontInfo(frame->DefaultFont).fixedPitch());
    TFileWindow *w = openFile("a.txt", "text");
    EXPECT_EQ(w->Memo().textColor(), QColor(Qt::red));

    // The dialog opens at the face really shown; OK on it keeps the stored name.
    prompter.fontAnswers.push_back(std::nullopt);
    frame->OptDflFontClick();
    EXPECT_EQ(prompter.fontShown.font.family(), QFontInfo(frame->DefaultFont).family());
    prompter.fontAnswers.push_back(prompter.fontShown);
    frame->OptDflFontClick();
    EXPECT_EQ(frame->DefaultFont.family(), "No Such Face Anywhere");
    EXPECT_TRUE(frame->SaveSettings());
    RegStore reg;
    reg.load(dir.filePath(QStringLiteral("Verno.reg")));
    const auto name = reg.readValue(QStringLiteral("Software\\Qvo\\Verno\\Font"), QStringLiteral("Name"));
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->text, "No Such Face Anywhere");
    const auto color = reg.readValue(QStringLiteral("Software\\Qvo\\Verno\\Font"), QStringLiteral("Color"));
    ASSERT_TRUE(color.has_value());
    EXPECT_EQ(color->number, 0x0000FF);
}

} // namespace
