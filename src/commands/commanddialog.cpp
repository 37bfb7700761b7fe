#include "commands/commanddialog.h"
#include "commands/commandhost.h"
#include "commands/commandrunner.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace verno {

namespace {

QPushButton *button(const char *name, const char *caption, QWidget *parent)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(true); // Enter presses the focused button, Execute otherwise
    return b;
}

QStringList sortedShells(QStringList shells)
{
    std::stable_sort(shells.begin(), shells.end(), [](const QString &a, const QString &b) {
        return a.toUpper() < b.toUpper();
    });
    return shells;
}

} // namespace

TCommandDialog::TCommandDialog(QWidget *parent, CommandHost &host, int &width, int &height)
    : SizedDialog(parent, width, height), host_(host)
{
    setObjectName(QStringLiteral("CommandDialog"));
    setWindowTitle(QStringLiteral("Execute command"));
    setMinimumHeight(300);
    resize(width, height);
    buildControls();
    connect(edit_, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            edit_->setText(list_->item(row)->text());
            edit_->selectAll();
        }
        UpdateButtons();
    });
    // Clicking the entry already selected brings its text back after an edit.
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        selectEntry(list_->row(item));
        UpdateButtons();
    });
    edit_->installEventFilter(this);
    connect(exec_, &QPushButton::clicked, this, &TCommandDialog::BtnExecClick);
    connect(add_, &QPushButton::clicked, this, &TCommandDialog::BtnAddClick);
    connect(delete_, &QPushButton::clicked, this, &TCommandDialog::BtnDeleteClick);
    connect(up_, &QPushButton::clicked, this, &TCommandDialog::BtnUpClick);
    connect(down_, &QPushButton::clicked, this, &TCommandDialog::BtnDownClick);
    addHelpKey(this, HelpGeneral, QLatin1String(HelpSectionCommands));
}

// The list cannot take the focus, so Up and Down in the command field walk it,
// as in a combo box whose list is always open.
bool TCommandDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && list_->count() > 0) {
            const int row = list_->currentRow() + (key == Qt::Key_Up ? -1 : 1);
            selectEntry(std::clamp(row, 0, list_->count() - 1));
            UpdateButtons();
            return true;
        }
    }
    return SizedDialog::eventFilter(watched, event);
}

void TCommandDialog::buildControls()
{
    auto *left = new QWidget(this);
    left->setObjectName(QStringLiteral("PnlCommands"));
    left->setMinimumWidth(200);
    edit_ = new QLineEdit(left);
    edit_->setObjectName(QStringLiteral("LstCommand"));
    list_ = new QListWidget(left);
    list_->setObjectName(QStringLiteral("LstCommandList"));
    list_->setFocusPolicy(Qt::ClickFocus);
    auto *group = new QGroupBox(QStringLiteral("Command shell"), left);
    group->setObjectName(QStringLiteral("GrpShell"));
    shells_ = new QComboBox(group);
    shells_->setObjectName(QStringLiteral("EdtShell"));
    (new QVBoxLayout(group))->addWidget(shells_);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(edit_);
    leftLayout->addWidget(list_, 1);
    leftLayout->addWidget(group);

    auto *right = new QWidget(this);
    right->setObjectName(QStringLiteral("PnlButtons"));
    right->setMinimumWidth(220);
    exec_ = button("BtnExec", "E&xecute", right);
    exec_->setDefault(true);
    auto *close = button("BtnClose", "Cl&ose", right);
    auto *cancel = button("BtnCancel", "&Cancel", right);
    add_ = button("BtnAdd", "&Add", right);
    delete_ = button("BtnDelete", "D&elete", right);
    up_ = button("BtnUp", "&Up", right);
    down_ = button("BtnDown", "&Down", right);
    auto *help = button("BtnHelp", "&Help", right);
    connect(close, &QPushButton::clicked, this, &TCommandDialog::BtnCloseClick);
    connect(cancel, &QPushButton::clicked, this, &TCommandDialog::BtnCancelClick);
    connect(help, &QPushButton::clicked, this, [] {
        showHelpTopic(HelpGeneral, QLatin1String(HelpSectionCommands));
    });
    auto *grid = new QGridLayout(right);
    grid->setContentsMargins(0, 0, 0, 0);
    const QList<QPushButton *> order = {exec_, add_, close, delete_, cancel, up_, help, down_};
    for (int i = 0; i < order.size(); ++i)
        grid->addWidget(order[i], i / 2, i % 2);
    grid->setRowStretch(4, 1);

    stay_ = new QCheckBox(QStringLiteral("&Stay in DOS (type EXIT to close DOS box)"), this);
    stay_->setObjectName(QStringLiteral("ChkStay"));
    auto *top = new QHBoxLayout;
    top->addWidget(left, 1);
    top->addWidget(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(stay_);
}

void TCommandDialog::FormShow()
{
    stay_->setChecked(host_.stayInDos());
    list_->clear();
    list_->addItems(host_.commandList());
    edit_->clear();
    selectEntry(list_->count() > 0 ? 0 : -1);
    shells_->clear();
    shells_->addItems(sortedShells(host_.shellList()));
    const int shell = host_.shellIndex();
    shells_->setCurrentIndex(shell >= 0 && shell < shells_->count() ? shell : -1);
    UpdateButtons();
}

QStringList TCommandDialog::commands() const
{
    QStringList result;
    for (int i = 0; i < list_->count(); ++i)
        result << list_->item(i)->text();
    return result;
}

void TCommandDialog::selectEntry(int index)
{
    list_->setCurrentRow(index);
    if (index >= 0) {
        edit_->setText(list_->item(index)->text());
        edit_->selectAll();
    }
}

void TCommandDialog::UpdateButtons()
{
    const int row = list_->currentRow();
    const bool hasText = !edit_->text().isEmpty();
    exec_->setEnabled(hasText);
    add_->setEnabled(hasText);
    delete_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row < list_->count() - 1);
    edit_->setFocus();
}

void TCommandDialog::BtnAddClick()
{
    if (edit_->text().isEmpty())
        return;
    list_->addItem(edit_->text());
    selectEntry(list_->count() - 1);
    UpdateButtons();
}

void TCommandDialog::BtnDeleteClick()
{
    const int row = list_->currentRow();
    if (row < 0)
        return;
    delete list_->takeItem(row);
    selectEntry(std::min(row, list_->count() - 1));
    UpdateButtons();
}

void TCommandDialog::moveSelected(int step)
{
    const int row = list_->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= list_->count())
        return;
    QListWidgetItem *item = list_->takeItem(row);
    list_->insertItem(to, item);
    list_->setCurrentRow(to);
    UpdateButtons();
}

void TCommandDialog::Commit()
{
    host_.stayInDos() = stay_->isChecked();
    host_.commandList() = commands();
    QStringList &shells = host_.shellList();
    shells.clear();
    for (int i = 0; i < shells_->count(); ++i)
        shells << shells_->itemText(i);
    host_.shellIndex() = shells_->currentIndex();
}

void TCommandDialog::BtnExecClick()
{
    const QString text = edit_->text();
    if (text.isEmpty())
        return;
    Commit();
    if (host_.RunCommand(text, stay_->isChecked()))
        accept();
    else
        UpdateButtons();
}

void TCommandDialog::BtnCloseClick()
{
    Commit();
    accept();
}

} // namespace verno
