#include "dialogs/sizeddialog.h"

namespace verno {

SizedDialog::SizedDialog(QWidget *parent, int &width, int &height)
    : QDialog(parent), width_(width), height_(height)
{
}

void SizedDialog::showEvent(QShowEvent *event)
{
    if (width_ > 0 && height_ > 0)
        resize(width_, height_);
    FormShow();
    QDialog::showEvent(event);
}

void SizedDialog::hideEvent(QHideEvent *event)
{
    width_ = width();
    height_ = height();
    QDialog::hideEvent(event);
}

} // namespace verno
