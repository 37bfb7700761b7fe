#pragma once
#include <QDialog>

namespace verno {

class SpinEdit;

// Page Setup: the left print margin of one edit window, 0 to 40 characters.
class TSimplePageSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit TSimplePageSetupDialog(QWidget *parent = nullptr);

    // Shown when the dialog opens; the spin box's value after OK.
    int LeftMargin = 0;

    void BtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    SpinEdit *valLeft_;
};

// Runs a new Page Setup dialog over margin; false when cancelled.
bool editLeftMargin(int &margin, QWidget *parent);

} // namespace verno
