#pragma once
#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

namespace verno {

// The button row of the program's own dialogs, right-aligned: OK (the default
// button, named okName), Cancel (rejects) and Help (opens the help topic).
// Returns OK for the caller's commit handler.
// F1 anywhere in the dialog opens its help topic, as its Help button does.
// section: the part of the topic's page it opens at (see showHelpTopic).
void addHelpKey(QWidget *dialog, int helpTopic, const QString &section = {});

QPushButton *addOkCancelHelp(QBoxLayout *row, QDialog *dialog, const QString &okCaption,
                             const QString &okName, int helpTopic);

} // namespace verno
