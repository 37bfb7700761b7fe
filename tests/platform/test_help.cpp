#include "platform/help.h"
#include "platform/helpviewer.h"

#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

using namespace verno;

namespace {

QString pageText(const QString &page)
{
    QFile f(QString(page).replace(QStringLiteral("qrc:"), QStringLiteral(":")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

// Every context number has its own page, each page is reachable from the
// contents, and every link between the pages leads to a page that exists.
TEST(Help, EveryTopicHasAPageReachableFromTheContents)
{
    const QString contents = pageText(helpContentsPage());
    ASSERT_FALSE(contents.isEmpty());
    QSet<QString> pages;
    for (const int context : {10, 13, 20, 22, 30, 31, 32, 34, 40, 93}) {
        const QString page = helpPage(context);
        SCOPED_TRACE(context);
        EXPECT_NE(page, helpContentsPage());
        EXPECT_FALSE(pageText(page).isEmpty());
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"") + page.section(QLatin1Char('/'), -1)));
        pages.insert(page);
    }
    EXPECT_EQ(pages.size(), 10);
    EXPECT_EQ(helpPage(999), helpContentsPage());

    static const QRegularExpression link(QStringLiteral("href=\"([a-z]+\\.(html|css))"));
    pages.insert(helpContentsPage());
    for (const QString &page : std::as_const(pages)) {
        auto it = link.globalMatch(pageText(page));
        while (it.hasNext()) {
            const QString target = QStringLiteral("qrc:/help/") + it.next().captured(1);
            EXPECT_FALSE(pageText(target).isEmpty()) << qPrintable(page) << " -> " << qPrintable(target);
        }
    }
}

// The viewer opens at a topic or the contents; over a modal dialog it is
// modal itself, so it can be read while that dialog waits.
TEST(Help, ViewerOpensAtTopicOrContentsAndOverModalDialogs)
{
    showHelpTopic(HelpFind);
    ASSERT_NE(helpViewer(), nullptr);
    EXPECT_TRUE(helpViewer()->isVisible());
    EXPECT_EQ(helpViewer()->currentTitle(), QStringLiteral("Find"));
    EXPECT_EQ(helpViewer()->windowModality(), Qt::NonModal);
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        showHelpContents();
        EXPECT_EQ(helpViewer()->windowModality(), Qt::ApplicationModal);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(helpViewer()->currentPage(), helpContentsPage());
    EXPECT_EQ(helpViewer()->currentTitle(), QStringLiteral("Verno Help: Contents"));
    quitHelp();
    EXPECT_EQ(helpViewer(), nullptr);
}
