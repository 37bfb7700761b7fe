#pragma once
#include <QFileDialog>

class QLineEdit;

namespace verno {

// Qt's own file dialog (never the desktop's), taking the name in its name
// field as typed. Qt reads a name holding double quotes as a list of names
// and takes the first, so `a "b" c` would name "b"; and it disables its
// button for a name it cannot find. Enter in the name field always reaches
// accept(), which subclasses write with typedPath().
class TypedNameDialog : public QFileDialog {
public:
    TypedNameDialog(QWidget *parent, const QString &title, const QString &directory = {});

protected:
    QLineEdit *nameEdit() const;
    // The text of the name field, empty when nothing is typed.
    QString typedName() const;
    // The one file or folder the typed name stands for (typedFilePath).
    QString typedPath() const;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace verno
