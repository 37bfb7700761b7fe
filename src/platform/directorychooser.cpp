#include "platform/directorychooser.h"
#include "platform/messagedialog.h"

#include <QFileDialog>

namespace verno {

namespace {

// The plain file dialog refuses a typed directory that does not exist.
class DirectoryDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    QString missing;

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.size() == 1 && !files.first().isEmpty() && !QFileInfo::exists(files.first())) {
            missing = files.first();
            QDialog::done(Accepted);
            return;
        }
        QFileDialog::accept();
    }
};

} // namespace

std::optional<QString> runDirectoryChooser(const QString &title, const QString &start)
{
    DirectoryDialog dialog(dialogParent(), title, start);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (!dialog.missing.isEmpty())
        return dialog.missing;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.first());
}

} // namespace verno
