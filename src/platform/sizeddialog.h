#pragma once
#include <QDialog>

namespace verno {

// A dialog whose size lives in two settings fields: taken when it is shown
// (when known), stored when it is hidden. FormShow fills it at every showing.
class SizedDialog : public QDialog {
    Q_OBJECT
public:
    SizedDialog(QWidget *parent, int &width, int &height);
    virtual void FormShow() = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int &width_;
    int &height_;
};

} // namespace verno
