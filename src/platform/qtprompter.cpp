#include "platform/qtprompter.h"
#include "platform/dialogbuttons.h"
#include "platform/directorychooser.h"
#include "platform/filecheck.h"
#include "platform/filefilter.h"
#include "platform/fontdialog.h"
#include "platform/help.h"
#include "platform/messagedialog.h"
#include "platform/printerhost.h"
#include "platform/typednamedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace verno {

namespace {

// Takes the name as typed and checks it before it closes, with the program's
// own messages and its one question before a file is replaced.
class CheckedFileDialog : public TypedNameDialog {
public:
    CheckedFileDialog(const QString &title, bool save, bool confirmReplace)
        : TypedNameDialog(dialogParent(), title), save_(save), confirmReplace_(confirmReplace)
    {
        setOption(QFileDialog::DontConfirmOverwrite);
        setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile);
    }

    QString chosenFile() const { return chosen_; }

    void accept() override
    {
        const QString path = typedOrSelected();
        if (path.isEmpty())
            return;
        if (QFileInfo(path).isDir()) {
            setDirectory(path);
            if (QLineEdit *edit = nameEdit())
                edit->clear();
            return;
        }
        const FileCheck check = checkChosenFile(path, save_, confirmReplace_);
        if (check.verdict == FileCheck::Refuse) {
            prompter().message(MessageKind::Error, windowTitle(), check.message, BtnOk);
            return;
        }
        if (check.verdict == FileCheck::AskReplace
            && prompter().message(MessageKind::Confirm, windowTitle(), check.message, BtnYes | BtnNo)
                   != Answer::Yes)
            return;
        chosen_ = path;
        // Not QFileDialog::accept(): it would read the name again as a list.
        QDialog::accept();
    }

private:
    // What was typed; only an open dialog, given a quoted list that names no
    // file as it stands, takes the list's first entry as before.
    QString typedOrSelected() const
    {
        const QString typed = typedName();
        if (!typed.isEmpty()) {
            const QString path = typedPath();
            if (save_ || QFileInfo::exists(path) || !typed.contains(QLatin1Char('"')))
                return path;
        }
        const QStringList files = selectedFiles();
        return files.isEmpty() ? QString() : files.constFirst();
    }

    bool save_;
    bool confirmReplace_;
    QString chosen_;
};

// The file dialogs have no Help button of their own.
void addHelpButton(QFileDialog &dialog, int context, const QString &section)
{
    auto *box = dialog.findChild<QDialogButtonBox *>();
    if (!box)
        return;
    QPushButton *button = box->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    button->setObjectName(QStringLiteral("BtnHelp"));
    QObject::connect(button, &QPushButton::clicked, &dialog,
                     [context, section] { showHelpTopic(context, section); });
}

FileDialogResult runFileDialog(const FileDialogRequest &r, QFileDialog::AcceptMode mode)
{
    const FocusReturn focusBack; // after the dialog has gone
    CheckedFileDialog dialog(r.title, mode == QFileDialog::AcceptSave, r.confirmOverwrite);
    const QStringList filters = qtNameFilters(r.filter);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(r.filterIndex - 1));
    if (!r.directory.isEmpty())
        dialog.setDirectory(r.directory);
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);

    QCheckBox *readOnly = nullptr;
    if (r.showReadOnly) {
        readOnly = new QCheckBox(QStringLiteral("&Read only"), &dialog);
        readOnly->setObjectName(QStringLiteral("ChkReadOnly"));
        readOnly->setChecked(r.readOnlyChecked);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    }
    if (r.helpContext != 0) {
        if (r.helpButton)
            addHelpButton(dialog, r.helpContext, r.helpSection);
        addHelpKey(&dialog, r.helpContext, r.helpSection);
    }
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.chosenFile().isEmpty())
        return result;
    result.accepted = true;
    result.fileName = dialog.chosenFile();
    result.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = r.filterIndex;
    result.readOnly = readOnly && readOnly->isChecked();
    return result;
}

} // namespace

Answer QtPrompter::message(MessageKind kind, const QString &title, const QString &text,
                           Buttons buttons)
{
    return showMessage(kind, title, text, buttons, nullptr);
}

Answer QtPrompter::messageAt(MessageKind kind, const QString &title, const QString &text,
                             Buttons buttons, const QPoint &topLeft)
{
    return showMessage(kind, title, text, buttons, &topLeft);
}

Answer QtPrompter::showMessage(MessageKind kind, const QString &title, const QString &text,
                               Buttons buttons, const QPoint *topLeft)
{
    QWidget *parent = dialogParent();
    waitUntilPlaced(parent);
    MessageDialog dialog(kind, title, text, buttons, parent);
    if (topLeft)
        dialog.move(*topLeft);
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    dialog.exec();
    QApplication::restoreOverrideCursor();
    return dialog.answer();
}

FileDialogResult QtPrompter::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtPrompter::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<FontChoice> QtPrompter::chooseFont(const FontDialogRequest &request)
{
    TFontDialog dialog(request, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QString> QtPrompter::chooseDirectory(const QString &title, const QString &start)
{
    return runDirectoryChooser(title, start);
}

PrintDialogResult QtPrompter::printDialog(const PrintDialogRequest &request)
{
    return runPrintDialog(request);
}

bool QtPrompter::printSetup() { return runPrintSetup(); }

} // namespace verno
