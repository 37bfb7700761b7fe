#include "platform/printerhost.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"
#include "platform/messagedialog.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace verno {

QPrinter &programPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool noPrinterInstalled() { return QPrinterInfo::availablePrinterNames().isEmpty(); }

bool ensurePrinterOutput()
{
    QPrinter &printer = programPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return true;
    FileDialogRequest r;
    r.title = QStringLiteral("Print to File");
    r.directory = QDir::currentPath();
    r.fileName = QStringLiteral("print.pdf");
    r.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
    r.confirmOverwrite = true;
    r.helpContext = HelpPrinting;
    const FileDialogResult chosen = prompter().saveFile(r);
    if (!chosen.accepted)
        return false;
    printer.setOutputFileName(QDir::current().absoluteFilePath(chosen.fileName));
    return true;
}

namespace {

// Qt's print dialog with the program's additions: a Help button for topic 40
// and, with no printer installed, a line saying that the text goes to a PDF
// file. Page ranges, page sets and reversed order are not offered: the job
// prints whole copies in order.
class PrintDialog : public QPrintDialog {
public:
    explicit PrintDialog(const QString &okText) : QPrintDialog(&programPrinter(), dialogParent())
    {
        if (auto *box = findChild<QDialogButtonBox *>()) {
            if (QPushButton *ok = box->button(QDialogButtonBox::Ok); ok && !okText.isEmpty())
                ok->setText(okText);
            QPushButton *help = box->addButton(QDialogButtonBox::Help);
            help->setObjectName(QStringLiteral("BtnHelp"));
            connect(help, &QPushButton::clicked, this, [] { showHelpTopic(HelpPrinting); });
        }
        addHelpKey(this, HelpPrinting);
        if (!noPrinterInstalled())
            return;
        auto *warning = new QLabel(QStringLiteral("No printer is installed: the text is printed to a PDF file."));
        warning->setObjectName(QStringLiteral("LblNoPrinter"));
        if (auto *layout = qobject_cast<QBoxLayout *>(this->layout()))
            layout->insertWidget(0, warning);
    }

    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible); // shows the range controls it knows of
        if (!visible)
            return;
        for (const char *name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "pageSetLabel",
                                 "pageSetCombo", "reverse", "collate"})
            if (auto *w = findChild<QWidget *>(QString::fromLatin1(name)))
                w->hide();
        // The "to" between the two page numbers.
        if (auto *range = findChild<QWidget *>(QStringLiteral("gbPrintRange")))
            if (auto *to = range->findChild<QLabel *>(QStringLiteral("label_3")))
                to->hide();
    }
};

} // namespace

PrintDialogResult runPrintDialog(const PrintDialogRequest &request)
{
    QPrinter &printer = programPrinter();
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    PrintDialog dialog{QString()};
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
                                                     | QAbstractPrintDialog::PrintShowPageSize;
    if (request.selectionAvailable)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    PrintDialogResult result;
    if (dialog.exec() != QDialog::Accepted)
        return result;
    result.accepted = true;
    result.selection = request.selectionAvailable && dialog.printRange() == QAbstractPrintDialog::Selection;
    result.copies = std::max(1, printer.copyCount());
    // The job prints each copy itself.
    printer.setCopyCount(1);
    return result;
}

bool runPrintSetup()
{
    PrintDialog dialog{QStringLiteral("OK")};
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace verno
