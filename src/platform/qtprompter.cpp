#include "platform/qtprompter.h"
#include "platform/filefilter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace verno {

namespace {

// A message box whose buttons keep the program's order and whose Esc and
// close box give the program's answer.
class MessageDialog : public QDialog {
public:
    MessageDialog(MessageKind kind, const QString &title, const QString &text, Buttons buttons)
        : QDialog(QApplication::activeWindow()), escape_(escapeAnswer(buttons))
    {
        setWindowTitle(title.isEmpty() ? defaultTitle(kind) : title);
        auto *top = new QHBoxLayout;
        QStyle::StandardPixmap icon = QStyle::SP_MessageBoxInformation;
        bool hasIcon = true;
        switch (kind) {
        case MessageKind::Error: icon = QStyle::SP_MessageBoxCritical; break;
        case MessageKind::Confirm: icon = QStyle::SP_MessageBoxQuestion; break;
        case MessageKind::Information: icon = QStyle::SP_MessageBoxInformation; break;
        case MessageKind::Plain: hasIcon = false; break;
        }
        if (hasIcon) {
            auto *iconLabel = new QLabel;
            iconLabel->setPixmap(style()->standardIcon(icon).pixmap(32, 32));
            iconLabel->setAlignment(Qt::AlignTop);
            top->addWidget(iconLabel);
        }
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        auto *label = new QLabel(shown);
        label->setObjectName(QStringLiteral("LblMessage"));
        label->setTextFormat(Qt::PlainText);
        top->addWidget(label, 1);

        auto *row = new QHBoxLayout;
        row->addStretch();
        const Answer dflt = defaultAnswer(buttons);
        const struct { Button b; Answer a; const char *text; } all[] = {
            {BtnYes, Answer::Yes, "&Yes"},       {BtnNo, Answer::No, "&No"},
            {BtnOk, Answer::Ok, "OK"},           {BtnCancel, Answer::Cancel, "Cancel"},
            {BtnAll, Answer::All, "&All"},
        };
        for (const auto &e : all) {
            if (!(buttons & e.b))
                continue;
            auto *button = new QPushButton(QString::fromLatin1(e.text));
            button->setAutoDefault(false);
            const Answer a = e.a;
            if (a == dflt) {
                button->setDefault(true);
                button->setFocus();
            }
            connect(button, &QPushButton::clicked, this, [this, a] {
                answer_ = a;
                accept();
            });
            row->addWidget(button);
        }
        row->addStretch();
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(top);
        layout->addLayout(row);
        answer_ = escape_;
    }
    Answer answer() const { return answer_; }

protected:
    void reject() override
    {
        answer_ = escape_;
        QDialog::reject();
    }

private:
    Answer escape_;
    Answer answer_;
};

FileDialogResult runFileDialog(const FileDialogRequest &r, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), r.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::AnyFile
                                                       : QFileDialog::AnyFile);
    if (!r.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtNameFilters(r.filter);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(r.filterIndex - 1));
    if (!r.directory.isEmpty())
        dialog.setDirectory(r.directory);
    if (!r.fileName.isEmpty())
        dialog.selectFile(r.fileName);

    QCheckBox *readOnly = nullptr;
    if (r.showReadOnly) {
        readOnly = new QCheckBox(QStringLiteral("&Read only"), &dialog);
        readOnly->setObjectName(QStringLiteral("ChkReadOnly"));
        readOnly->setChecked(r.readOnlyChecked);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    }
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.fileName = dialog.selectedFiles().constFirst();
    result.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex < 1)
        result.filterIndex = r.filterIndex;
    result.readOnly = readOnly && readOnly->isChecked();
    return result;
}

} // namespace

Answer QtPrompter::message(MessageKind kind, const QString &title, const QString &text,
                           Buttons buttons)
{
    MessageDialog dialog(kind, title, text, buttons);
    QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    dialog.exec();
    QApplication::restoreOverrideCursor();
    return dialog.answer();
}

FileDialogResult QtPrompter::openFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtPrompter::saveFile(const FileDialogRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QFont> QtPrompter::chooseFont(const QString &title, const QFont &initial,
                                            const std::function<void()> &apply)
{
    QFontDialog dialog(initial, QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (apply) {
        if (auto *box = dialog.findChild<QDialogButtonBox *>()) {
            QPushButton *button = box->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
            button->setObjectName(QStringLiteral("BtnApply"));
            QObject::connect(button, &QPushButton::clicked, &dialog, [apply] { apply(); });
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

} // namespace verno
