#include "platform/fontdialog.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace verno {

namespace {

const char *const kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};

// The sixteen basic colours, by the names users know them by.
const struct {
    const char *name;
    QRgb rgb;
} kColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000}, {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080}, {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},    {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF},
};

QIcon swatch(const QColor &c)
{
    QPixmap p(24, 12);
    p.fill(c);
    return QIcon(p);
}

QListWidgetItem *findItem(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchFixedString);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

TFontDialog::TFontDialog(const FontDialogRequest &request, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgFont"));
    setWindowTitle(request.title.isEmpty() ? QStringLiteral("Font") : request.title);
    resize(480, 400);
    familyEdit_ = new QLineEdit;
    familyEdit_->setObjectName(QStringLiteral("EdtFamily"));
    families_ = new QListWidget;
    families_->setObjectName(QStringLiteral("LstFamily"));
    families_->addItems(QFontDatabase::families());
    styleEdit_ = new QLineEdit;
    styleEdit_->setObjectName(QStringLiteral("EdtStyle"));
    styles_ = new QListWidget;
    styles_->setObjectName(QStringLiteral("LstStyle"));
    for (const char *s : kStyles)
        styles_->addItem(QString::fromLatin1(s));
    sizeEdit_ = new QLineEdit;
    sizeEdit_->setObjectName(QStringLiteral("EdtSize"));
    sizes_ = new QListWidget;
    sizes_->setObjectName(QStringLiteral("LstSize"));
    for (const int s : QFontDatabase::standardSizes())
        sizes_->addItem(QString::number(s));

    auto *lists = new QHBoxLayout;
    lists->addWidget(column("&Font:", familyEdit_, families_), 3);
    lists->addWidget(column("Font st&yle:", styleEdit_, styles_), 2);
    lists->addWidget(column("&Size:", sizeEdit_, sizes_), 1);

    sample_ = new QLabel(QStringLiteral("AaBbYyZz"));
    sample_->setObjectName(QStringLiteral("LblSample"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);
    auto *sampleBox = new QGroupBox(QStringLiteral("Sample"));
    (new QVBoxLayout(sampleBox))->addWidget(sample_);
    auto *lower = new QHBoxLayout;
    lower->addWidget(effects());
    lower->addWidget(sampleBox, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const auto button = [&](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromLatin1(caption));
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(true); // Enter presses the focused button, OK otherwise
        buttons->addWidget(b);
        return b;
    };
    QPushButton *ok = button("BtnOK", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFontDialog::accept);
    connect(button("BtnCancel", "Cancel"), &QPushButton::clicked, this, &QDialog::reject);
    if (request.apply) {
        const auto apply = request.apply;
        connect(button("BtnApply", "&Apply"), &QPushButton::clicked, this, [this, apply] {
            if (complain())
                return;
            apply(choice());
        });
    }
    if (const int topic = request.helpTopic) {
        connect(button("BtnHelp", "&Help"), &QPushButton::clicked, this, [topic] { showHelpTopic(topic); });
        addHelpKey(this, topic);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(lower);
    layout->addLayout(buttons);
    setChoice(request.initial);
}

QWidget *TFontDialog::column(const char *caption, QLineEdit *edit, QListWidget *list)
{
    auto *w = new QWidget;
    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(QString::fromLatin1(caption));
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(list);
    connect(list, &QListWidget::currentRowChanged, this, [this, edit, list] { listPicked(edit, list); });
    connect(edit, &QLineEdit::textEdited, this, [this, edit, list] { editTyped(edit, list); });
    return w;
}

QWidget *TFontDialog::effects()
{
    auto *box = new QGroupBox(QStringLiteral("Effects"));
    strikeOut_ = new QCheckBox(QStringLiteral("Stri&keout"));
    strikeOut_->setObjectName(QStringLiteral("ChkStrikeOut"));
    underline_ = new QCheckBox(QStringLiteral("&Underline"));
    underline_->setObjectName(QStringLiteral("ChkUnderline"));
    color_ = new QComboBox;
    color_->setObjectName(QStringLiteral("CmbColor"));
    for (const auto &c : kColors)
        color_->addItem(swatch(QColor(c.rgb)), QString::fromLatin1(c.name), QColor(c.rgb));
    auto *colorLabel = new QLabel(QStringLiteral("&Color:"));
    colorLabel->setBuddy(color_);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(strikeOut_);
    layout->addWidget(underline_);
    layout->addWidget(colorLabel);
    layout->addWidget(color_);
    for (QCheckBox *c : {strikeOut_, underline_})
        connect(c, &QCheckBox::toggled, this, &TFontDialog::updateSample);
    connect(color_, &QComboBox::currentIndexChanged, this, &TFontDialog::updateSample);
    return box;
}

void TFontDialog::listPicked(QLineEdit *edit, QListWidget *list)
{
    if (QListWidgetItem *item = list->currentItem(); item && !typing_)
        edit->setText(item->text());
    if (list == families_)
        fillSizes();
    updateSample();
}

void TFontDialog::editTyped(QLineEdit *edit, QListWidget *list)
{
    // Typing moves the list to the first entry that begins with the text.
    const QList<QListWidgetItem *> found = list->findItems(edit->text(), Qt::MatchStartsWith);
    if (!found.isEmpty() && !edit->text().isEmpty()) {
        typing_ = true;
        list->setCurrentItem(found.first());
        typing_ = false;
        list->scrollToItem(found.first());
    }
    updateSample();
}

void TFontDialog::fillSizes()
{
    // Scalable faces take any size; the list offers the usual ones.
    const QList<int> sizes = QFontDatabase::isSmoothlyScalable(familyEdit_->text())
                                 ? QFontDatabase::standardSizes()
                                 : QFontDatabase::pointSizes(familyEdit_->text());
    const QString typed = sizeEdit_->text();
    sizes_->blockSignals(true);
    sizes_->clear();
    for (const int s : sizes.isEmpty() ? QFontDatabase::standardSizes() : sizes)
        sizes_->addItem(QString::number(s));
    if (QListWidgetItem *item = findItem(sizes_, typed))
        sizes_->setCurrentItem(item);
    sizes_->blockSignals(false);
}

FontChoice TFontDialog::choice() const
{
    FontChoice c;
    const QListWidgetItem *family = findItem(families_, familyEdit_->text());
    c.font = QFont(family ? family->text() : familyEdit_->text());
    c.font.setPointSize(std::max(1, sizeEdit_->text().toInt()));
    const QString style = styleEdit_->text();
    c.font.setBold(style.contains(QLatin1String("Bold"), Qt::CaseInsensitive));
    c.font.setItalic(style.contains(QLatin1String("Italic"), Qt::CaseInsensitive));
    c.font.setStrikeOut(strikeOut_->isChecked());
    c.font.setUnderline(underline_->isChecked());
    c.color = color_->currentData().value<QColor>();
    return c;
}

void TFontDialog::setChoice(const FontChoice &c)
{
    const QFont &f = c.font;
    familyEdit_->setText(f.family());
    if (QListWidgetItem *item = findItem(families_, f.family()))
        families_->setCurrentItem(item);
    fillSizes();
    const int style = (f.bold() ? 2 : 0) + (f.italic() ? 1 : 0);
    styles_->setCurrentRow(style);
    styleEdit_->setText(QString::fromLatin1(kStyles[style]));
    const int points = f.pointSize() > 0 ? f.pointSize() : std::max(1, f.pixelSize() * 72 / 96);
    sizeEdit_->setText(QString::number(points));
    if (QListWidgetItem *item = findItem(sizes_, sizeEdit_->text()))
        sizes_->setCurrentItem(item);
    strikeOut_->setChecked(f.strikeOut());
    underline_->setChecked(f.underline());
    // A colour outside the basic sixteen keeps a place of its own.
    int index = color_->findData(c.color);
    if (index < 0) {
        color_->addItem(swatch(c.color), QStringLiteral("Custom"), c.color);
        index = color_->count() - 1;
    }
    color_->setCurrentIndex(index);
    updateSample();
}

void TFontDialog::updateSample()
{
    const FontChoice c = choice();
    sample_->setFont(c.font);
    QPalette p = sample_->palette();
    p.setColor(QPalette::WindowText, c.color);
    sample_->setPalette(p);
}

QString TFontDialog::problem() const
{
    if (!findItem(families_, familyEdit_->text()))
        return QStringLiteral("There is no font with that name.\rChoose a font from the list of fonts.");
    if (!findItem(styles_, styleEdit_->text()))
        return QStringLiteral("This font style is not available.\rChoose a style from the list of styles.");
    bool ok = false;
    const int size = sizeEdit_->text().toInt(&ok);
    if (!ok || size < 1)
        return QStringLiteral("Size must be a whole number of points, 1 or more.");
    return QString();
}

bool TFontDialog::complain()
{
    const QString complaint = problem();
    if (complaint.isEmpty())
        return false;
    prompter().message(MessageKind::Plain, windowTitle(), complaint, BtnOk);
    return true;
}

void TFontDialog::accept()
{
    if (!complain())
        QDialog::accept();
}

} // namespace verno
