#include "print/pagesetupdialog.h"
#include "platform/helptopic.h"
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
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BtnOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    auto *help = new QPushButton(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("BtnHelp"));
    for (QPushButton *b : {cancel, help})
        b->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TSimplePageSetupDialog::BtnOKClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { showHelpTopic(40); });

    auto *field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(valLeft_);
    field->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {ok, cancel, help})
        buttons->addWidget(b);
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
    if (dialog.exec() != QDialog::Accepted)
        return false;
    margin = dialog.LeftMargin;
    return true;
}

} // namespace verno
