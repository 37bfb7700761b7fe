#include "search/searchdialog.h"
#include "editor/textconvert.h"
#include "platform/dialogbuttons.h"
#include "platform/helptopic.h"
#include "platform/prompter.h"
#include "search/regexmatcher.h"
#include "search/searchoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace verno {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

void layOutWithButtons(QDialog *dialog, QLayout *fields, const QList<QPushButton *> &buttons, QSize clientSize)
{
    auto *column = new QVBoxLayout;
    for (QPushButton *b : buttons)
        column->addWidget(b);
    column->addStretch();
    auto *top = new QHBoxLayout(dialog);
    top->addLayout(fields, 1);
    top->addLayout(column);
    dialog->setFixedSize(dialog->sizeHint().expandedTo(clientSize));
}

void setFixedDialogWindow(QDialog *dialog)
{
    // A fixed border with only the system menu and its close box.
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void setFocusOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

TSearchDialog::TSearchDialog(QWidget *parent, const QString &name, const QString &caption,
                             int helpTopic, const QString &backwardCaption)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setFixedDialogWindow(this);
    TxtFind = makeHistoryBox(QStringLiteral("TxtFind"));
    GrpOptions = new QGroupBox(QStringLiteral("Options"), this);
    GrpOptions->setObjectName(QStringLiteral("GrpOptions"));
    new QVBoxLayout(GrpOptions);
    ChkCase = addOption(QStringLiteral("ChkCase"), QStringLiteral("C&ase sensitive"));
    ChkWords = addOption(QStringLiteral("ChkWords"), QStringLiteral("&Whole words only"));
    ChkBackward = addOption(QStringLiteral("ChkBackward"), backwardCaption);
    ChkRegex = addOption(QStringLiteral("ChkRegex"), QStringLiteral("Regular e&xpression"));
    GrpOrigin = new QGroupBox(QStringLiteral("Origin"), this);
    GrpOrigin->setObjectName(QStringLiteral("GrpOrigin"));
    OriginCurrent = new QRadioButton(QStringLiteral("From &current position"), GrpOrigin);
    OriginCurrent->setObjectName(QStringLiteral("OriginCurrent"));
    OriginEntire = new QRadioButton(QStringLiteral("&Entire text"), GrpOrigin);
    OriginEntire->setObjectName(QStringLiteral("OriginEntire"));
    auto *origin = new QVBoxLayout(GrpOrigin);
    origin->addWidget(OriginCurrent);
    origin->addWidget(OriginEntire);
    origin->addStretch();
    OriginCurrent->setChecked(true);
    BtnOK = makeButton(this, "BtnOK", QStringLiteral("O&K"));
    BtnCancel = makeButton(this, "BtnCancel", QStringLiteral("&Cancel"));
    BtnHelp = makeButton(this, "BtnHelp", QStringLiteral("&Help"));
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, [this] {
        if (!PatternAccepted())
            return;
        BtnOKClick();
        accept();
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnHelp, &QPushButton::clicked, this, [helpTopic] { showHelpTopic(helpTopic); });
    addHelpKey(this, helpTopic);
}

void TSearchDialog::arrange(QVBoxLayout *textRows, QSize clientSize)
{
    auto *groups = new QHBoxLayout;
    groups->addWidget(GrpOptions, 1);
    groups->addWidget(GrpOrigin, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(textRows);
    left->addLayout(groups);
    layOutWithButtons(this, left, {BtnOK, BtnCancel, BtnHelp}, clientSize);
}

QComboBox *TSearchDialog::makeHistoryBox(const QString &name)
{
    auto *box = new QComboBox(this);
    box->setObjectName(name);
    box->setEditable(true);
    // What the user types is what is stored: no completion, no insertion.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setMinimumWidth(340);
    return box;
}

QCheckBox *TSearchDialog::addOption(const QString &name, const QString &caption)
{
    auto *check = new QCheckBox(caption, GrpOptions);
    check->setObjectName(name);
    GrpOptions->layout()->addWidget(check);
    return check;
}

void TSearchDialog::fillHistoryBox(QComboBox *box, const T_HistList &history, const QString &text)
{
    box->clear();
    for (const std::string &entry : history.Entries)
        box->addItem(QString::fromStdString(entry));
    // No entry is current, so Down starts at the most recent one.
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

std::string TSearchDialog::boxText(const QComboBox *box) { return box->currentText().toUtf8().toStdString(); }

bool TSearchDialog::PatternAccepted()
{
    if (!ChkRegex->isChecked())
        return true;
    const std::string pattern = shortSearchText(boxText(TxtFind));
    const std::string error = regexError(pattern, {ChkCase->isChecked(), ChkWords->isChecked(), Utf8Window});
    if (error.empty())
        return true;
    errorBox(QStringLiteral("Bad regular expression \"%1\":\r%2")
                 .arg(QString::fromUtf8(pattern.data(), qsizetype(pattern.size())),
                      QString::fromStdString(error)));
    TxtFind->setFocus();
    return false;
}

bool TSearchDialog::Execute(T_SearchOptions &options, const std::string &selection)
{
    options_ = &options;
    const bool oneLine = !selection.empty() && selection.find_first_of("\r\n") == std::string::npos;
    proposed_ = oneLine ? QString::fromStdString(selection) : options.FindTextShown();
    const bool ok = prompter().runDialog(*this) == QDialog::Accepted;
    options_ = nullptr;
    return ok;
}

void TSearchDialog::showEvent(QShowEvent *event)
{
    centreOnScreen(this);
    if (options_)
        FormShow();
    QDialog::showEvent(event);
}

void TSearchDialog::FormShow()
{
    fillHistoryBox(TxtFind, options_->FindHistory, proposed_);
    ChkCase->setChecked(options_->CaseSensitive);
    ChkWords->setChecked(options_->WholeWords);
    ChkBackward->setChecked(options_->Backward);
    ChkRegex->setChecked(options_->RegularExpression);
    (options_->Origin == T_SearchOptions::kOriginEntire ? OriginEntire : OriginCurrent)->setChecked(true);
    TxtFind->setFocus();
    TxtFind->lineEdit()->selectAll();
}

void TSearchDialog::BtnOKClick()
{
    if (!options_)
        return;
    options_->SetTypedFindText(TxtFind->currentText());
    options_->CaseSensitive = ChkCase->isChecked();
    options_->WholeWords = ChkWords->isChecked();
    options_->Backward = ChkBackward->isChecked();
    options_->RegularExpression = ChkRegex->isChecked();
    options_->Origin = OriginEntire->isChecked() ? T_SearchOptions::kOriginEntire
                                                 : T_SearchOptions::kOriginCurrent;
    options_->FindHistory.Add(options_->FindText);
}

} // namespace verno
