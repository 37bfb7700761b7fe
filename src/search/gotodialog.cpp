#include "search/gotodialog.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "search/searchdialog.h"
#include "util/intparse.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace verno {

TGotoDialog::TGotoDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GotoDialog"));
    setWindowTitle(QStringLiteral("Go to Line"));
    setFixedDialogWindow(this);
    LblLineNum = makeLabel(this, "LblLineNum", QStringLiteral("Line number:"));
    EdtLineNum = new QLineEdit(this);
    EdtLineNum->setObjectName(QStringLiteral("EdtLineNum"));
    EdtLineNum->setMaxLength(4);
    EdtLineNum->setFixedWidth(56);
    LblCurLine = makeLabel(this, "LblCurLine", QStringLiteral("Current line:"));
    TxtCurLine = makeLabel(this, "TxtCurLine", QString());
    LblMaxLine = makeLabel(this, "LblMaxLine", QStringLiteral("Total lines:"));
    TxtMaxLine = makeLabel(this, "TxtMaxLine", QString());
    BtnOK = makeButton(this, "BtnOK", QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnCancel = makeButton(this, "BtnCancel", QStringLiteral("Cancel"));
    BtnHelp = makeButton(this, "BtnHelp", QStringLiteral("Help"));
    connect(BtnOK, &QPushButton::clicked, this, &TGotoDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnHelp, &QPushButton::clicked, this, [] { showHelpTopic(HelpGotoLine); });
    addHelpKey(this, HelpGotoLine);

    auto *fields = new QGridLayout;
    fields->addWidget(LblLineNum, 0, 0);
    fields->addWidget(EdtLineNum, 0, 1);
    fields->addWidget(LblCurLine, 1, 0);
    fields->addWidget(TxtCurLine, 1, 1);
    fields->addWidget(LblMaxLine, 2, 0);
    fields->addWidget(TxtMaxLine, 2, 1);
    fields->setRowStretch(3, 1);
    layOutWithButtons(this, fields, {BtnOK, BtnCancel, BtnHelp}, QSize(255, 100));
}

bool TGotoDialog::Execute() { return prompter().runDialog(*this) == QDialog::Accepted; }

void TGotoDialog::showEvent(QShowEvent *event)
{
    centreOnScreen(this);
    EdtLineNum->clear();
    // Four digits, as designed, unless the text has more lines than that reaches.
    const int digits = std::max(4, int(QString::number(Record.LineTotal).size()));
    EdtLineNum->setMaxLength(digits);
    EdtLineNum->setFixedWidth(std::max(56, EdtLineNum->fontMetrics().horizontalAdvance(QString(digits + 2, u'0'))));
    TxtCurLine->setText(QString::number(Record.LineNumber));
    TxtMaxLine->setText(QString::number(Record.LineTotal));
    EdtLineNum->setFocus();
    QDialog::showEvent(event);
}

void TGotoDialog::accept()
{
    const QString entry = EdtLineNum->text();
    if (!entry.isEmpty()) {
        const std::optional<int> number = ParseInt32(entry.toStdString());
        if (!number || *number < 0) {
            // Beside the entry, so the user sees what was wrong.
            const QPoint at = frameGeometry().topLeft() + EdtLineNum->mapTo(this, QPoint(0, 0)) + QPoint(-20, 50);
            prompter().messageAt(MessageKind::Error, QString(), QStringLiteral("Invalid line number"), BtnOk, at);
            EdtLineNum->setFocus();
            return;
        }
        Record.LineNumber = *number;
    }
    QDialog::accept();
}

} // namespace verno
