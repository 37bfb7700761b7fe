#include "platform/toolicons.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace verno;

namespace {

const QStringList kToolBar = {"BtnFileExit",        "BtnFileNew",       "BtnFileOpen",
                              "BtnFileSave",        "BtnFileSaveAll",   "BtnFilePrint",
                              "BtnEditCut",         "BtnEditCopy",      "BtnEditPaste",
                              "BtnEditChangeCase",  "BtnEditUpperCase", "BtnEditLowerCase",
                              "BtnEditInitialCaps", "BtnFind",          "BtnFindReplace",
                              "BtnFindAgain",       "BtnOptFont",       "BtnOptWordWrap",
                              "BtnOptReadOnly",     "BtnOptROAll",      "BtnAdjust"};

// Buttons with no standard desktop icon: always the bundled picture.
const QStringList kBundledOnly = {"BtnEditChangeCase",  "BtnEditUpperCase", "BtnEditLowerCase",
                                  "BtnEditInitialCaps", "BtnFindAgain",     "BtnOptFont",
                                  "BtnOptWordWrap",     "BtnOptReadOnly",   "BtnOptROAll",
                                  "BtnAdjust"};

int opaquePixels(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++count;
    return count;
}

// Opaque pixels that stand out against a light grey tool bar.
int contrastingPixels(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) > 128 && std::abs(qGray(px) - 192) > 64)
                ++count;
        }
    return count;
}

} // namespace

TEST(ToolIcons, NamesAreTheToolBarButtonsInOrder)
{
    EXPECT_EQ(toolIconNames(), kToolBar);
}

TEST(ToolIcons, EveryButtonHasAVisibleIcon)
{
    for (const QString &name : kToolBar) {
        SCOPED_TRACE(name.toStdString());
        const QIcon icon = toolIcon(name);
        ASSERT_FALSE(icon.isNull());
        const QPixmap pixmap = icon.pixmap(QSize(20, 20));
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_LE(pixmap.width(), 20);
        EXPECT_LE(pixmap.height(), 20);
        EXPECT_GT(opaquePixels(pixmap), 0);
    }
}

TEST(ToolIcons, BundledPicturesHaveBothSizesAndShowOnGrey)
{
    for (const QString &name : kToolBar) {
        SCOPED_TRACE(name.toStdString());
        const QPixmap small = toolPicture(name, 20);
        const QPixmap large = toolPicture(name, 40);
        EXPECT_EQ(small.size(), QSize(20, 20));
        EXPECT_EQ(large.size(), QSize(40, 40));
        // A glyph, not a speck and not a filled square.
        EXPECT_GT(opaquePixels(small), 40);
        EXPECT_LT(opaquePixels(small), 20 * 20);
        EXPECT_GT(contrastingPixels(small), 20);
        // The large copy is the same drawing, so about four times the ink.
        EXPECT_NEAR(opaquePixels(large) / 4.0, opaquePixels(small), opaquePixels(small) * 0.25);
    }
}

TEST(ToolIcons, BundledPicturesAreAllDifferent)
{
    QList<QImage> images;
    for (const QString &name : kToolBar)
        images << toolPicture(name).toImage();
    for (int i = 0; i < images.size(); ++i)
        for (int j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j])
                << kToolBar[i].toStdString() << " looks like " << kToolBar[j].toStdString();
}

TEST(ToolIcons, ButtonsWithoutThemeIconCarryBothResolutions)
{
    for (const QString &name : kBundledOnly) {
        SCOPED_TRACE(name.toStdString());
        const QIcon icon = toolIcon(name);
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(20, 20)));
        EXPECT_TRUE(sizes.contains(QSize(40, 40)));
        EXPECT_EQ(icon.pixmap(QSize(20, 20), 2.0).size(), QSize(40, 40));
        EXPECT_EQ(icon.pixmap(QSize(20, 20)).toImage(), toolPicture(name, 20).toImage());
    }
}

TEST(ToolIcons, UnknownNamesGiveNothing)
{
    for (const QString &name : {QString(), QString("BtnNothing"), QString("btnfilesave"),
                                QString(" BtnFileSave"), QString("FileSave")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(toolIcon(name).isNull());
        EXPECT_TRUE(toolPicture(name).isNull());
    }
    EXPECT_TRUE(toolPicture("BtnFileSave", 0).isNull());
    EXPECT_TRUE(toolPicture("BtnFileSave", -20).isNull());
}
