#include "platform/typednamedialog.h"
#include "platform/filecheck.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace verno {

TypedNameDialog::TypedNameDialog(QWidget *parent, const QString &title, const QString &directory)
    : QFileDialog(parent, title, directory)
{
    setOption(QFileDialog::DontUseNativeDialog);
    if (QLineEdit *edit = nameEdit())
        edit->installEventFilter(this);
}

QLineEdit *TypedNameDialog::nameEdit() const
{
    return findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

QString TypedNameDialog::typedName() const
{
    const QLineEdit *edit = nameEdit();
    return edit ? edit->text() : QString();
}

QString TypedNameDialog::typedPath() const
{
    return typedFilePath(typedName(), directory().absolutePath());
}

bool TypedNameDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == nameEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QFileDialog::eventFilter(watched, event);
}

} // namespace verno
