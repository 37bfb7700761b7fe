#pragma once
#include "app/options.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QGroupBox;
class QSpinBox;
class QTabWidget;

namespace verno {

class TFilterPage;

// Preferences: the program-wide options on three pages. Works on Options, a
// record the caller fills; made once and reused, it reopens on the page shown
// last.
class TPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TPreferencesDialog(QWidget *parent = nullptr);

    T_Options Options;

    // Options into the controls, the first filter selected.
    void FormShow();
    // Shows the dialog modally over options; on OK they are read back.
    bool Execute(T_Options &options);
    void BtnOkClick();
    // Sort and size of the lists only while they are displayed.
    void ChkDisplayClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *generalPage();
    QWidget *displayPage();
    QGroupBox *group(const char *title, std::initializer_list<QWidget *> controls);
    QCheckBox *check(const char *name, const char *caption, bool T_Options::*field);
    QWidget *spin(const char *name, const char *labelName, const char *caption, int min, int max,
                  int T_Options::*field);

    QTabWidget *pages_;
    TFilterPage *filters_;
    QHash<QCheckBox *, bool T_Options::*> checks_;
    QHash<QSpinBox *, int T_Options::*> spins_;
    QCheckBox *chkFileHist_, *chkWinList_, *chkTabs_;
};

} // namespace verno
