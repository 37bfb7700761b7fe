#pragma once
#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace verno {

// The button row of the program's own dialogs, right-aligned: OK (the default
// button, named okName), Cancel (rejects) and Help (opens the help topic).
// Returns OK for the caller's commit handler.
QPushButton *addOkCancelHelp(QBoxLayout *row, QDialog *dialog, const QString &okCaption,
                             const QString &okName, int helpTopic);

} // namespace verno
