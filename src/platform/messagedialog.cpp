#include "platform/messagedialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace verno {

namespace {

// A line wider than the box may be is broken, after a blank or a "/" near
// its end where there is one, so a long file name stays on the screen.
QString fitLines(const QString &text, const QFontMetrics &fm, int maxWidth)
{
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        while (fm.horizontalAdvance(line) > maxWidth) {
            qsizetype n = 1;
            while (n < line.size() && fm.horizontalAdvance(line.left(n + 1)) <= maxWidth)
                ++n;
            const qsizetype soft = std::max(line.lastIndexOf(QLatin1Char(' '), n - 1), line.lastIndexOf(QLatin1Char('/'), n - 1));
            if (soft >= n / 2)
                n = soft + 1;
            out << line.left(n);
            line = line.mid(n);
        }
        out << line;
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace

MessageDialog::MessageDialog(MessageKind kind, const QString &title, const QString &text, Buttons buttons,
                             QWidget *parent)
    : QDialog(parent), escape_(escapeAnswer(buttons)), answer_(escape_)
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
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // one break, not two
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto *label = new QLabel;
    label->setObjectName(QStringLiteral("LblMessage"));
    label->setTextFormat(Qt::PlainText);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int maxWidth = screen ? std::max(300, screen->availableGeometry().width() * 2 / 3) : 800;
    label->setText(fitLines(shown, label->fontMetrics(), maxWidth));
    top->addWidget(label, 1);

    auto *row = new QHBoxLayout;
    row->addStretch();
    const Answer dflt = defaultAnswer(buttons);
    const struct {
        Button b;
        Answer a;
        const char *text;
    } all[] = {
        {BtnYes, Answer::Yes, "&Yes"},       {BtnNo, Answer::No, "&No"},  {BtnOk, Answer::Ok, "OK"},
        {BtnCancel, Answer::Cancel, "Cancel"}, {BtnAll, Answer::All, "&All"},
    };
    for (const auto &e : all) {
        if (!(buttons & e.b))
            continue;
        auto *button = new QPushButton(QString::fromLatin1(e.text));
        // The focused button is the one Return presses.
        button->setAutoDefault(true);
        const Answer a = e.a;
        connect(button, &QPushButton::clicked, this, [this, a] {
            answer_ = a;
            accept();
        });
        row->addWidget(button);
        if (a == dflt) {
            button->setDefault(true);
            button->setFocus();
        }
    }
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
}

void MessageDialog::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const QString typed = event->text().toUpper();
    if (mods == Qt::NoModifier && typed.size() == 1 && typed.at(0).isLetter()) {
        for (QPushButton *b : findChildren<QPushButton *>()) {
            const qsizetype amp = b->text().indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < b->text().size() && b->text().at(amp + 1).toUpper() == typed.at(0)) {
                b->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void MessageDialog::reject()
{
    answer_ = escape_;
    QDialog::reject();
}

namespace {

class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(QEventLoop &loop) : loop_(loop) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            QTimer::singleShot(0, &loop_, &QEventLoop::quit);
        return false;
    }

private:
    QEventLoop &loop_;
};

} // namespace

QWidget *dialogParent()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    if (QWidget *w = QApplication::activeWindow())
        return w;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(w) && w->isVisible())
            return w;
    return nullptr;
}

void waitUntilPlaced(QWidget *window)
{
    QWindow *handle = window ? window->window()->windowHandle() : nullptr;
    if (!handle || !handle->isVisible() || handle->isExposed())
        return;
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    ExposeWatch watch(loop);
    handle->installEventFilter(&watch);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

FocusReturn::FocusReturn()
    : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget())
{
}

FocusReturn::~FocusReturn()
{
    if (!window_ || !window_->isVisible())
        return;
    if (focus_ && focus_->window() == window_)
        focus_->setFocus(Qt::ActiveWindowFocusReason);
    window_->activateWindow();
}

} // namespace verno
