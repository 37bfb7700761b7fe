#include "dialogs/inschardialog.h"
#include "editor/editcontrol.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "util/bytechars.h"
#include "util/intbase.h"
#include "util/utf8.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace verno {

namespace {

constexpr int kCellWidth = 30;
constexpr int kCellHeight = 16;

// Column header digits per base; row labels always have three places.
struct BaseLabel {
    int radix;
    int headerDigits;
};
constexpr BaseLabel kBases[] = {{10, 3}, {16, 2}, {8, 3}};

} // namespace

QString insCharCellText(int code)
{
    static const char *const controls[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                           "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                           "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                           "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    if (code < 32)
        return QString::fromLatin1(controls[code]);
    switch (code) {
    case 32: return QStringLiteral("SP");
    case 127: return QStringLiteral("DEL");
    case 0xA0: return QStringLiteral("NBSP");
    case 0xAD: return QStringLiteral("SHY");
    }
    const QChar ch(ByteToChar(static_cast<unsigned char>(code)));
    // The five codes the code page leaves unassigned show their number.
    return ch.category() == QChar::Other_Control ? QString::number(code, 16).toUpper() : QString(ch);
}

// Names stand in for characters that would show nothing; they are drawn smaller.
// A UTF-8 text takes the character the cell shows, in UTF-8.
std::string insertedBytes(int code, bool utf8)
{
    if (code == 0)
        return {};
    if (!utf8 || code < 0x80)
        return std::string(1, char(code));
    return utf8::encode(ByteToChar(static_cast<unsigned char>(code)));
}

bool isNamedCell(int code) { return insCharCellText(code).size() > 1; }

TInsCharDialog::TInsCharDialog(QWidget *parent, int &base) : QDialog(parent), base_(base)
{
    setObjectName(QStringLiteral("InsCharDialog"));
    setWindowTitle(QStringLiteral("Insert Character"));

    grid_ = new QTableWidget(16, 16, this);
    grid_->setObjectName(QStringLiteral("GridChars"));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setTabKeyNavigation(false);
    QFont labelFont(QStringLiteral("Courier"));
    labelFont.setStyleHint(QFont::TypeWriter);
    for (QHeaderView *h : {grid_->horizontalHeader(), grid_->verticalHeader()}) {
        h->setObjectName(h == grid_->horizontalHeader() ? QStringLiteral("GridLables") : QStringLiteral("GridLablesRows"));
        h->setFont(labelFont);
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setSectionsClickable(false);
        h->setHighlightSections(false);
    }
    grid_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    grid_->verticalHeader()->setDefaultSectionSize(kCellHeight + 2);
    for (int code = 0; code < 256; ++code) {
        auto *item = new QTableWidgetItem(insCharCellText(code));
        item->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(code % 16, code / 16, item);
    }
    grid_->setCurrentCell(0, 0);
    SetCellFont(grid_->font());
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto *group = new QGroupBox(QStringLiteral("Base"), this);
    group->setObjectName(QStringLiteral("GrpBase"));
    baseGroup_ = new QButtonGroup(this);
    auto *row = new QHBoxLayout(group);
    const char *captions[] = {"Decimal", "Hexadec", "Octal"};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(captions[i]), group);
        radio->setFocusPolicy(Qt::ClickFocus);
        baseGroup_->addButton(radio, i);
        row->addWidget(radio);
    }
    // Tab reaches the group at its checked button, where the arrows choose.
    connect(baseGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        baseGroup_->button(id)->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    baseGroup_->button(1)->setChecked(true);
    connect(baseGroup_, &QButtonGroup::idClicked, this, [this](int) { FillLabels(); });

    // OK, Cancel, Help in this order on every desktop.
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto addButton = [&](const char *name, const char *caption, auto handler) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(true); // Enter presses the focused button, OK otherwise
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b);
        return b;
    };
    addButton("BtnOK", "OK", [this] { accept(); })->setDefault(true);
    addButton("BtnCancel", "Cancel", [this] { reject(); });
    addButton("BtnHelp", "&Help", [] { showHelpTopic(HelpGeneral, QLatin1String(HelpSectionInsChar)); });
    addHelpKey(this, HelpGeneral, QLatin1String(HelpSectionInsChar));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FillLabels();
}

void TInsCharDialog::SetBase(int base)
{
    if (QAbstractButton *b = baseGroup_->button(base))
        b->setChecked(true);
    FillLabels();
}

int TInsCharDialog::Base() const { return baseGroup_->checkedId(); }

void TInsCharDialog::FillLabels()
{
    const BaseLabel b = kBases[std::max(0, Base())];
    QStringList columns, rows;
    for (int i = 0; i < 16; ++i) {
        columns << QString::fromStdString(IntToBase(16 * i, b.radix, b.headerDigits));
        rows << QString::fromStdString(IntToBaseBlank(i, b.radix, 3));
    }
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setVerticalHeaderLabels(rows);
}

void TInsCharDialog::SelectCell(int column, int row) { grid_->setCurrentCell(row, column); }

int TInsCharDialog::SelectedCode() const
{
    const int column = grid_->currentColumn();
    const int row = grid_->currentRow();
    return column >= 0 && row >= 0 ? 16 * column + row : -1;
}

QString TInsCharDialog::ColumnLabel(int column) const { return grid_->horizontalHeaderItem(column)->text(); }
QString TInsCharDialog::RowLabel(int row) const { return grid_->verticalHeaderItem(row)->text(); }
QString TInsCharDialog::CellText(int code) const { return grid_->item(code % 16, code / 16)->text(); }

void TInsCharDialog::SetCellFont(const QFont &font)
{
    QFont cells = grid_->font();
    cells.setFamily(font.family());
    QFont named = cells;
    named.setPointSizeF(cells.pointSizeF() * 0.65);
    grid_->setFont(cells);
    for (int code = 0; code < 256; ++code)
        grid_->item(code % 16, code / 16)->setFont(isNamedCell(code) ? named : cells);
    // Every cell in view: the table is exactly as large as its cells and labels.
    const QFontMetrics fm(cells);
    const int width = std::max(kCellWidth, fm.horizontalAdvance(QLatin1Char('W')) + 10);
    const int height = std::max(kCellHeight, fm.height() + 2);
    grid_->horizontalHeader()->setDefaultSectionSize(width);
    grid_->verticalHeader()->setDefaultSectionSize(height);
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(grid_->verticalHeader()->sizeHint().width() + 16 * grid_->columnWidth(0) + frame,
                        grid_->horizontalHeader()->sizeHint().height() + 16 * grid_->rowHeight(0) + frame);
}

void TInsCharDialog::Execute(EditControl &memo, const QFont &font)
{
    if (memo.ReadOnly())
        return;
    SetCellFont(font);
    SetBase(base_);
    grid_->setFocus();
    const bool ok = prompter().runDialog(*this) == QDialog::Accepted;
    base_ = Base();
    const int code = SelectedCode();
    if (ok && code >= 0)
        memo.ReplaceSelection(insertedBytes(code, memo.Utf8()));
}

} // namespace verno
