#pragma once
#include "platform/prompter.h"

#include <QDialog>
#include <QPointer>

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

// Hands the keyboard focus back, when it goes out of scope, to the window and
// control that had it when it was made. A question answered in a dialog that
// then closes too takes two windows away at once, and the window manager may
// then leave no window focused at all.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

} // namespace verno
