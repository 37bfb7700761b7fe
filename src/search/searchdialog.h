#pragma once
#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace verno {

class T_HistList;
class T_SearchOptions;

// Pieces of the search dialogs. The window: a fixed border with only the
// system menu, centred on the screen.
void setFixedDialogWindow(QDialog *dialog);
void centreOnScreen(QWidget *window);
void setFocusOrder(const QList<QWidget *> &order);
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QWidget *buddy = nullptr);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption);
// The fields, with the buttons in a column to their right, in at least the
// designed client size.
void layOutWithButtons(QDialog *dialog, QLayout *fields, const QList<QPushButton *> &buttons, QSize clientSize);

// What the Find and Replace dialogs share: the find text with its history,
// the option check boxes, the origin and the three buttons. Each showing fills
// them from the search state; OK writes them back, Cancel stores nothing.
class TSearchDialog : public QDialog {
    Q_OBJECT
public:
    // Modal over options. The proposed text is selection (characters in
    // UTF-8) when it is one line, else the stored find text. True on OK.
    bool Execute(T_SearchOptions &options, const std::string &selection);
    // The window searched holds UTF-8, so a pattern is checked as UTF-8.
    bool Utf8Window = false;

    QComboBox *TxtFind;
    QGroupBox *GrpOptions;
    QCheckBox *ChkCase;
    QCheckBox *ChkWords;
    QCheckBox *ChkBackward;
    QCheckBox *ChkRegex;
    QGroupBox *GrpOrigin;
    QRadioButton *OriginCurrent;
    QRadioButton *OriginEntire;
    QPushButton *BtnOK;
    QPushButton *BtnCancel;
    QPushButton *BtnHelp;

protected:
    TSearchDialog(QWidget *parent, const QString &name, const QString &caption, int helpTopic,
                  const QString &backwardCaption);
    // Puts the text rows above the groups, the buttons beside them.
    void arrange(QVBoxLayout *textRows, QSize clientSize);

    virtual void FormShow();
    virtual void BtnOKClick();
    // A pattern that cannot be used is reported, and the dialog stays.
    bool PatternAccepted();
    void showEvent(QShowEvent *event) override;

    QComboBox *makeHistoryBox(const QString &name);
    QCheckBox *addOption(const QString &name, const QString &caption);
    static void fillHistoryBox(QComboBox *box, const T_HistList &history, const QString &text);
    static std::string boxText(const QComboBox *box);

    T_SearchOptions *options_ = nullptr;
    QString proposed_;
};

} // namespace verno
