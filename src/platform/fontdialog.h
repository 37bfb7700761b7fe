#pragma once
#include "platform/prompter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace verno {

// The font dialog: family, style and size, each a field over a list; the
// effects strikeout, underline and colour; a sample; Apply when asked for.
// Any installed family (for screen and printer alike) and any whole size
// from 1 point up.
class TFontDialog : public QDialog {
    Q_OBJECT
public:
    TFontDialog(const FontDialogRequest &request, QWidget *parent = nullptr);

    FontChoice choice() const;
    void setChoice(const FontChoice &choice);

    void accept() override;

private:
    QWidget *column(const char *caption, QLineEdit *edit, QListWidget *list);
    QWidget *effects();
    void listPicked(QLineEdit *edit, QListWidget *list);
    void editTyped(QLineEdit *edit, QListWidget *list);
    void fillSizes();
    void updateSample();
    // A complaint about the typed family or size, or "" when both are good.
    QString problem() const;
    // Shows the problem, if there is one; true then.
    bool complain();

    QLineEdit *familyEdit_, *styleEdit_, *sizeEdit_;
    QListWidget *families_, *styles_, *sizes_;
    QCheckBox *strikeOut_, *underline_;
    QComboBox *color_;
    QLabel *sample_;
    bool typing_ = false; // the list follows the field, not the other way
};

} // namespace verno
