#pragma once
#include <QSpinBox>

namespace verno {

// A spin box for whole numbers with the usual rules: only digits, "+", "-"
// and the decimal separator can be typed (anything else beeps); a value typed
// outside the range becomes the nearest bound when the focus leaves; a text
// that is not a whole number reads as the minimum.
class SpinEdit : public QSpinBox {
public:
    SpinEdit(int minimum, int maximum, QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &input) const override;
    int valueFromText(const QString &text) const override;
};

} // namespace verno
