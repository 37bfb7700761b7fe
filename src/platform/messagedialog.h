#pragma once
#include "platform/prompter.h"

#include <QDialog>

namespace verno {

// A message box whose buttons keep the program's order and whose Esc and
// close box give the program's answer. The designed default has the focus
// first; Return presses the button that has it, and a button's access letter
// presses it with or without Alt.
class MessageDialog : public QDialog {
public:
    MessageDialog(MessageKind kind, const QString &title, const QString &text, Buttons buttons,
                  QWidget *parent = nullptr);
    Answer answer() const { return answer_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    Answer escape_;
    Answer answer_;
};

// The window a dialog should sit over: the active one, or, in the moment
// after another dialog closed and before the focus came back, the open modal
// dialog or the program's main window, so it is never left at the screen's centre.
QWidget *dialogParent();

// Waits (a moment at most) until the window manager has placed and shown
// the window, so a box opened over it at start-up is not put in a corner.
void waitUntilPlaced(QWidget *window);

} // namespace verno
