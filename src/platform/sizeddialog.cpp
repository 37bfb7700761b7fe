#include "platform/sizeddialog.h"
#include "platform/windowframe.h"

#include <QScreen>

namespace verno {

SizedDialog::SizedDialog(QWidget *parent, int &width, int &height)
    : QDialog(parent), width_(width), height_(height)
{
}

void SizedDialog::showEvent(QShowEvent *event)
{
    if (width_ > 0 && height_ > 0) {
        // A stored size larger than the screen would leave the dialog's edges
        // out of reach (and a huge one costs the memory of its whole surface).
        QSize size(width_, height_);
        if (const QScreen *s = screen()) {
            const QRect avail = s->availableGeometry();
            size = size.boundedTo(avail.marginsRemoved(windowFrameMargins(*this)).size());
        }
        resize(size);
    }
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
