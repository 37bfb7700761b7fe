#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace verno {

// What the Go to Line command and its dialog exchange: the line number from 1
// (in: the caret's line, out: the line entered) and the line total.
struct GotoRecord {
    int LineNumber = 1;
    int LineTotal = 0;
};

// "Go to Line": asks for a line number; a bad entry keeps it open.
class TGotoDialog : public QDialog {
    Q_OBJECT
public:
    explicit TGotoDialog(QWidget *parent = nullptr);

    // Modal; true on OK, with the entry (if any) in Record.LineNumber.
    bool Execute();

    GotoRecord Record;
    QLabel *LblLineNum;
    QLineEdit *EdtLineNum;
    QLabel *LblCurLine;
    QLabel *TxtCurLine;
    QLabel *LblMaxLine;
    QLabel *TxtMaxLine;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;
    QPushButton *BtnHelp;

protected:
    void showEvent(QShowEvent *event) override;
    // Closing with OK: the entry must be a line number.
    void accept() override;
};

} // namespace verno
