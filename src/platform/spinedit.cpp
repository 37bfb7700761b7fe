#include "platform/spinedit.h"

#include <QApplication>
#include <QLocale>

namespace verno {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget *parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
}

QValidator::State SpinEdit::validate(QString &text, int &) const
{
    const QChar decimal = locale().decimalPoint().front();
    for (const QChar c : text) {
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && c != decimal) {
            QApplication::beep();
            return QValidator::Invalid;
        }
    }
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void SpinEdit::fixup(QString &input) const { input = QString::number(valueFromText(input)); }

int SpinEdit::valueFromText(const QString &text) const
{
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok)
        return minimum();
    return int(std::clamp<qlonglong>(v, minimum(), maximum()));
}

} // namespace verno
