// Printing from an edit window to a real PDF file through QPrinter, checked
// with the poppler tools.
#include "app/mainwindow.h"
#include "editor/bytefont.h"
#include "window/filewindow.h"
#include "platform/printerhost.h"
#include "print/printcommands.h"
#include "print/qtprintdevice.h"
#include "testsupport.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::ScriptedPrompter;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

int pdfPages(const QString &pdf)
{
    for (const QString &line : run(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QStringList pdfLines(const QString &pdf)
{
    QStringList lines = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    lines.removeAll(QStringLiteral("\f"));
    for (QString &l : lines)
        l.remove(QLatin1Char('\f'));
    return lines;
}

// The box of the first word on the first page, in points.
QRectF firstWordBox(const QString &pdf)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re"));
    const QRegularExpressionMatch m = word.match(html);
    if (!m.hasMatch())
        return {};
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

class PrintToPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QPrinter &printer = programPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        ASSERT_TRUE(frame.OpenEditWindow(QString(), false));
        window = frame.activeWindow();
        ASSERT_NE(window, nullptr);
    }

    // Lines of the window's font on one page, as the layout fills it.
    int linesPerPage()
    {
        QPrinter probe(QPrinter::HighResolution);
        probe.setOutputFormat(QPrinter::PdfFormat);
        probe.setOutputFileName(dir.filePath(QStringLiteral("probe.pdf")));
        probe.setPageSize(QPageSize(QPageSize::A4));
        QtPrintDevice device(probe);
        device.StartDocument();
        device.SetFont(printFontOf(window->Memo()));
        const int h = device.Extent("x").height + 2;
        const int n = (device.PageHeight() - 2 * h) / h + 1;
        device.EndDocument();
        return n;
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    TMainWindow frame{dir.filePath(QStringLiteral("Verno.reg"))};
    TFileWindow *window = nullptr;
    ScriptedPrompter prompter;
};

TEST_F(PrintToPdf, ToolbarPrintsEveryLineWithTheMarginOnThreePagesToTheFileAskedFor)
{
    const int n = 2 * linesPerPage() + 3;
    std::string text;
    QStringList expected;
    for (int i = 1; i <= n; ++i) {
        text += "line " + std::to_string(i) + "\r\n";
        expected << QStringLiteral("line %1").arg(i);
    }
    window->Memo().SetWholeText(text);
    // A PDF printer without a file asks for one first.
    programPrinter().setOutputFileName(QString());
    prompter.answerFile(pdf);
    frame.FilePrintBtnClick();
    ASSERT_EQ(prompter.fileRequests.size(), 1u);
    EXPECT_EQ(prompter.fileRequests[0].title, QStringLiteral("Print to File"));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(pdfPages(pdf), 3);
    EXPECT_EQ(pdfLines(pdf), expected);
    // Monospaced: the four margin spaces are as wide as the word "line".
    const QRectF first = firstWordBox(pdf);
    const qreal left = programPrinter().pageLayout().paintRectPoints().left();
    EXPECT_NEAR(first.left() - left, first.width(), 0.5);
    EXPECT_EQ(frame.statusMessage(), QString());
}

TEST_F(PrintToPdf, PrintDialogOffersTheSelectionAndPrintsItsCopies)
{
    window->Memo().SetWholeText("first line\r\nsecond line\r\nthird");
    frame.FilePrintClick();
    ASSERT_EQ(prompter.printRequests.size(), 1u);
    EXPECT_FALSE(prompter.printRequests.back().selectionAvailable);
    EXPECT_FALSE(QFile::exists(pdf)); // cancelled: nothing printed

    window->Memo().SetCaret(6);
    window->Memo().SetSelectionLength(12); // "line\r\nsecond"
    window->LeftMargin = 0;
    prompter.printAnswers.push_back({true, true, 2});
    frame.FilePrintClick();
    ASSERT_EQ(prompter.printRequests.size(), 2u);
    EXPECT_TRUE(prompter.printRequests.back().selectionAvailable);
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_EQ(pdfLines(pdf), QStringList({"line", "second", "line", "second"}));
    EXPECT_EQ(frame.statusMessage(), QString());
}

// What the screen draws with a glyph prints and takes its room, the soft
// hyphen (byte 0xAD) included.
TEST_F(PrintToPdf, EveryByteShownPrintsInItsPlace)
{
    QPrinter probe(QPrinter::HighResolution);
    probe.setOutputFormat(QPrinter::PdfFormat);
    probe.setOutputFileName(dir.filePath(QStringLiteral("probe.pdf")));
    QtPrintDevice device(probe);
    device.StartDocument();
    device.SetFont(printFontOf(window->Memo()));
    const int two = device.Extent("xx").width;
    for (int b = 32; b < 256; ++b) {
        if (ByteFont::isSymbol(static_cast<unsigned char>(b)))
            continue;
        EXPECT_GT(device.Extent(std::string{'x', char(b), 'x'}).width, two) << "byte " << b;
    }
    device.EndDocument();

    window->LeftMargin = 0;
    window->Memo().SetWholeText("soft\xADhyphen");
    frame.FilePrintBtnClick();
    EXPECT_EQ(pdfLines(pdf), QStringList{"soft-hyphen"});
}

TEST_F(PrintToPdf, UnwritableFileIsReportedAndTheStatusCleared)
{
    programPrinter().setOutputFileName(dir.filePath(QStringLiteral("missing/out.pdf")));
    window->Memo().SetWholeText("text");
    frame.FilePrintBtnClick();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, QStringLiteral("Verno"));
    EXPECT_TRUE(prompter.messages[0].text.contains(QLatin1String("missing/out.pdf")));
    EXPECT_EQ(frame.statusMessage(), QString());
}

TEST_F(PrintToPdf, AFileThatCannotBeWrittenWholeIsReportedAndAnOlderOneKept)
{
    // Many pages, so that the disk fills up between two of them.
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    window->Memo().SetWholeText(text);
    verno::test::writeBytes(pdf, "older");
    const struct {
        QString file;
        const char *reason;
    } cases[] = {
        {QStringLiteral("/dev/full"), "No space left on device"},
        {pdf, "File too large"}, // the size limit below fails like a full disk
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        prompter.messages.clear();
        programPrinter().setOutputFileName(c.file);
        {
            verno::test::FileSizeLimit limit(20000);
            frame.FilePrintBtnClick();
        }
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_TRUE(prompter.messages[0].text.startsWith(QStringLiteral("Cannot write file ") + c.file))
            << prompter.messages[0].text.toStdString();
        EXPECT_TRUE(prompter.messages[0].text.contains(QLatin1String(c.reason)));
        EXPECT_EQ(frame.statusMessage(), QString());
    }
    EXPECT_EQ(verno::test::readBytes(pdf), "older");
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*pdf*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("out.pdf")});
}

} // namespace
