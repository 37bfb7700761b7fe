#include "platform/dialogbuttons.h"
#include "platform/helptopic.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QShortcut>

namespace verno {

void addHelpKey(QWidget *dialog, int helpTopic, const QString &section)
{
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), dialog), &QShortcut::activated, dialog,
                     [helpTopic, section] { showHelpTopic(helpTopic, section); });
}

QPushButton *addOkCancelHelp(QBoxLayout *row, QDialog *dialog, const QString &okCaption,
                             const QString &okName, int helpTopic)
{
    auto *ok = new QPushButton(okCaption);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    auto *help = new QPushButton(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("BtnHelp"));
    // Enter presses the focused button, and OK while no button has the focus.
    for (QPushButton *b : {ok, cancel, help})
        b->setAutoDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, dialog, [helpTopic] { showHelpTopic(helpTopic); });
    addHelpKey(dialog, helpTopic);
    row->addStretch();
    for (QPushButton *b : {ok, cancel, help})
        row->addWidget(b);
    return ok;
}

} // namespace verno
