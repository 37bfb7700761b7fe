#pragma once
#include <QObject>

namespace verno {

// Alt with a letter is a command key in this program, as in the edit windows.
// On X11 one that matches no access key still reaches the focused field with
// the letter as its text, and Qt's line edits and spin boxes type it: Alt+U
// on a disabled "&Up" button put a "u" into the command about to be run.
// Installed on the application, this drops such keys with a beep.
class AltLetterFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace verno
