#include "platform/altletterfilter.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace verno {

bool AltLetterFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress
        || !(qobject_cast<QLineEdit *>(watched) || qobject_cast<QAbstractSpinBox *>(watched)))
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    // Ctrl+Alt stays: some layouts type characters with it.
    const Qt::KeyboardModifiers held = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (held != Qt::AltModifier || key->text().isEmpty() || !key->text().at(0).isPrint())
        return false;
    QApplication::beep();
    return true;
}

} // namespace verno
