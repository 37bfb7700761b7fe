#include "print/pagesetupdialog.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "platform/spinedit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace verno {

TSimplePageSetupDialog::TSimplePageSetupDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SimplePageSetupDialog"));
    setWindowTitle(QStringLiteral("Page Setup"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    auto *label = new QLabel(QStringLiteral("Left Margin:"));
    label->setObjectName(QStringLiteral("LblLeft"));
    valLeft_ = new SpinEdit(0, 40);
    valLeft_->setObjectName(QStringLiteral("ValLeft"));
    label->setBuddy(valLeft_);
    auto *field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(valLeft_);
    field->addStretch();
    auto *buttons = new QHBoxLayout;
    QPushButton *ok = addOkCancelHelp(buttons, this, QStringLiteral("OK"), QStringLiteral("BtnOK"), HelpPrinting);
    connect(ok, &QPushButton::clicked, this, &TSimplePageSetupDialog::BtnOKClick);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TSimplePageSetupDialog::showEvent(QShowEvent *event)
{
    valLeft_->setValue(LeftMargin);
    valLeft_->selectAll();
    valLeft_->setFocus();
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TSimplePageSetupDialog::BtnOKClick()
{
    // A value still being typed counts, as when the focus leaves the field.
    valLeft_->interpretText();
    LeftMargin = valLeft_->value();
    accept();
}

bool editLeftMargin(int &margin, QWidget *parent)
{
    TSimplePageSetupDialog dialog(parent);
    dialog.LeftMargin = margin;
    if (prompter().runDialog(dialog) != QDialog::Accepted)
        return false;
    margin = dialog.LeftMargin;
    return true;
}

} // namespace verno
