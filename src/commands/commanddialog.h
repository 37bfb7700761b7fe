#pragma once
#include "platform/sizeddialog.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace verno {

class CommandHost;

// The Execute dialog: edits copies of the command and shell lists, runs one
// command, and writes the copies back only on Execute or Close.
class TCommandDialog : public SizedDialog {
    Q_OBJECT
public:
    // width and height: where the size is kept between showings.
    TCommandDialog(QWidget *parent, CommandHost &host, int &width, int &height);

    // Fills the controls from the frame; runs whenever the dialog is shown.
    void FormShow() override;
    void BtnExecClick();
    void BtnCloseClick();
    void BtnCancelClick() { reject(); }
    void BtnAddClick();
    void BtnDeleteClick();
    void BtnUpClick() { moveSelected(-1); }
    void BtnDownClick() { moveSelected(1); }
    void Commit();

    // The working copy of the command list, in order.
    QStringList commands() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void selectEntry(int index);
    void moveSelected(int step);
    void UpdateButtons();

    CommandHost &host_;
    QLineEdit *edit_ = nullptr;
    QListWidget *list_ = nullptr;
    QComboBox *shells_ = nullptr;
    QCheckBox *stay_ = nullptr;
    QPushButton *exec_ = nullptr;
    QPushButton *add_ = nullptr;
    QPushButton *delete_ = nullptr;
    QPushButton *up_ = nullptr;
    QPushButton *down_ = nullptr;
};

} // namespace verno
