#pragma once
#include "search/searchdialog.h"

class QLabel;

namespace verno {

// "Replace": the Find dialog's controls plus the replace text, all
// occurrences and the prompt.
class TReplaceDialog : public TSearchDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget *parent = nullptr);

    QLabel *LblFind;
    QLabel *LblReplace;
    QComboBox *TxtReplace;
    QCheckBox *ChkAll;
    QCheckBox *ChkPrompt;

protected:
    void FormShow() override;
    void BtnOKClick() override;
};

} // namespace verno
