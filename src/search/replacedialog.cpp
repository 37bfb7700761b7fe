#include "search/replacedialog.h"
#include "editor/textconvert.h"
#include "search/searchoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace verno {

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : TSearchDialog(parent, QStringLiteral("ReplaceDialog"), QStringLiteral("Replace"), 32,
                    QStringLiteral("Search &Backward"))
{
    LblFind = makeLabel(this, "LblFind", QStringLiteral("&Search for:"), TxtFind);
    TxtReplace = makeHistoryBox(QStringLiteral("TxtReplace"));
    LblReplace = makeLabel(this, "LblReplace", QStringLiteral("&Replace with:"), TxtReplace);
    ChkAll = addOption(QStringLiteral("ChkAll"), QStringLiteral("&All occurrences"));
    ChkPrompt = addOption(QStringLiteral("ChkPrompt"), QStringLiteral("&Prompt on replace"));
    auto *rows = new QVBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(LblFind), static_cast<QWidget *>(TxtFind),
                       static_cast<QWidget *>(LblReplace), static_cast<QWidget *>(TxtReplace)})
        rows->addWidget(w);
    arrange(rows, QSize(444, 174));
    // The pattern check box goes last in the group, after the designed ones.
    GrpOptions->layout()->removeWidget(ChkRegex);
    GrpOptions->layout()->addWidget(ChkRegex);
    setFocusOrder({TxtFind, TxtReplace, ChkCase, ChkWords, ChkBackward, ChkAll, ChkPrompt, ChkRegex,
                   OriginCurrent, OriginEntire, BtnOK, BtnCancel, BtnHelp});
}

void TReplaceDialog::FormShow()
{
    TSearchDialog::FormShow();
    fillHistoryBox(TxtReplace, options_->ReplaceHistory, QString::fromStdString(options_->ReplaceText));
    ChkAll->setChecked(options_->AllOccurrences);
    ChkPrompt->setChecked(options_->PromptOnReplace);
    TxtReplace->lineEdit()->selectAll();
}

void TReplaceDialog::BtnOKClick()
{
    if (!options_)
        return;
    options_->SetReplaceText(boxText(TxtReplace));
    options_->AllOccurrences = ChkAll->isChecked();
    options_->PromptOnReplace = ChkPrompt->isChecked();
    TSearchDialog::BtnOKClick();
    options_->ReplaceHistory.Add(options_->ReplaceText);
}

} // namespace verno
