#include "platform/directorychooser.h"
#include "platform/messagedialog.h"
#include "platform/typednamedialog.h"

#include <QFileInfo>

namespace verno {

namespace {

// Takes a typed folder that does not exist yet (the caller offers to create
// it), and the name as typed.
class DirectoryDialog : public TypedNameDialog {
public:
    using TypedNameDialog::TypedNameDialog;
    QString chosen;

protected:
    void accept() override
    {
        if (typedName().isEmpty()) {
            QFileDialog::accept(); // the folder shown
            return;
        }
        const QString path = typedPath();
        if (QFileInfo::exists(path) && !QFileInfo(path).isDir())
            return;
        chosen = path;
        QDialog::done(Accepted);
    }
};

} // namespace

std::optional<QString> runDirectoryChooser(const QString &title, const QString &start)
{
    const FocusReturn focusBack; // after the dialog has gone
    DirectoryDialog dialog(dialogParent(), title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (!dialog.chosen.isEmpty())
        return dialog.chosen;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.first());
}

} // namespace verno
