#include "app/filterpage.h"
#include "app/filterlist.h"
#include "util/textutil.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace verno {

namespace {

QString before(const QString &s) { return QString::fromStdString(TextBefore(s.toStdString(), "|")); }
QString after(const QString &s) { return QString::fromStdString(TextAfter(s.toStdString(), "|")); }

} // namespace

TFilterPage::TFilterPage(QWidget *parent) : QWidget(parent)
{
    txtFilters_ = new QListWidget;
    txtFilters_->setObjectName(QStringLiteral("TxtFilters"));
    txtDescription_ = new QLineEdit;
    txtDescription_->setObjectName(QStringLiteral("TxtDescription"));
    txtWildcards_ = new QLineEdit;
    txtWildcards_->setObjectName(QStringLiteral("TxtWildcards"));
    const auto label = [](const char *caption, QWidget *buddy) {
        auto *l = new QLabel(QString::fromLatin1(caption));
        l->setBuddy(buddy);
        return l;
    };
    const auto button = [this](const char *name, const char *caption, void (TFilterPage::*handler)()) {
        auto *b = new QPushButton(QString::fromLatin1(caption));
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(true); // Enter on a focused button presses it, not OK
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(button("BtnUp", "&Up", &TFilterPage::BtnUpClick));
    buttons->addWidget(button("BtnDown", "D&own", &TFilterPage::BtnDownClick));
    buttons->addWidget(button("BtnNew", "&New", &TFilterPage::BtnNewClick));
    buttons->addWidget(button("BtnDelete", "D&elete", &TFilterPage::BtnDeleteClick));
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->addWidget(label("&Filename filters", txtFilters_), 0, 0);
    grid->addWidget(txtFilters_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(label("&Description", txtDescription_), 2, 0);
    grid->addWidget(txtDescription_, 3, 0, 1, 2);
    grid->addWidget(label("&Wildcards", txtWildcards_), 4, 0);
    grid->addWidget(txtWildcards_, 5, 0, 1, 2);

    connect(txtFilters_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(txtDescription_, &QLineEdit::textEdited, this, [this] { descriptionEdited_ = true; });
    connect(txtWildcards_, &QLineEdit::textEdited, this, [this] { wildcardsEdited_ = true; });
    txtDescription_->installEventFilter(this);
    txtWildcards_->installEventFilter(this);
}

bool TFilterPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        (watched == txtDescription_ ? descriptionEdited_ : wildcardsEdited_) = false;
    else if (event->type() == QEvent::FocusOut)
        Commit();
    return QWidget::eventFilter(watched, event);
}

void TFilterPage::setFilter(const QString &filter)
{
    FilterToList(filter, entries_);
    txtFilters_->clear();
    txtFilters_->addItems(entries_);
    descriptionEdited_ = wildcardsEdited_ = false;
    select(entries_.isEmpty() ? -1 : 0);
}

QString TFilterPage::filter()
{
    Commit();
    return ListToFilter(entries_);
}

int TFilterPage::selected() const { return txtFilters_->currentRow(); }

void TFilterPage::select(int row)
{
    txtFilters_->setCurrentRow(row);
    showSelected();
}

void TFilterPage::showSelected()
{
    const int row = selected();
    const QString entry = row >= 0 ? entries_.at(row) : QString();
    txtDescription_->setText(row >= 0 ? before(entry) : QString());
    txtWildcards_->setText(row >= 0 ? after(entry) : QString());
}

void TFilterPage::Commit()
{
    const int row = selected();
    if ((descriptionEdited_ || wildcardsEdited_) && row >= 0) {
        entries_[row] = txtDescription_->text() + QLatin1Char('|') + txtWildcards_->text();
        txtFilters_->item(row)->setText(entries_[row]);
    }
    descriptionEdited_ = wildcardsEdited_ = false;
}

void TFilterPage::move(int step)
{
    const int row = selected();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= entries_.size())
        return;
    Commit();
    entries_.swapItemsAt(row, to);
    txtFilters_->item(row)->setText(entries_[row]);
    txtFilters_->item(to)->setText(entries_[to]);
    select(to);
}

void TFilterPage::BtnNewClick()
{
    Commit();
    entries_ << QStringLiteral("New filter|");
    txtFilters_->addItem(entries_.last());
    select(int(entries_.size()) - 1);
    txtDescription_->setFocus();
    txtDescription_->selectAll();
}

void TFilterPage::BtnDeleteClick()
{
    const int row = selected();
    if (row < 0)
        return;
    Commit();
    entries_.removeAt(row);
    {
        const QSignalBlocker quiet(txtFilters_); // the selection is set below
        delete txtFilters_->takeItem(row);
    }
    select(std::min(row, int(entries_.size()) - 1));
}

} // namespace verno
