#include "dialogs/aboutbox.h"
#include "platform/programicon.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace verno {

const char kAuthorEmail[] = "verno@example.org";
const char kAuthorWebsite[] = "https://example.org/verno/";

namespace {

QLabel *label(const char *name, const QString &text, QWidget *parent, int pointSizeDelta = 0)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + pointSizeDelta);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128)); // navy
    l->setPalette(p);
    return l;
}

// A label that reads as a link (blue, underlined) and acts on a click or on
// Enter when it has the focus.
QLabel *link(const char *name, const QString &text, QWidget *parent, void (TAboutBox::*onClick)(), TAboutBox *box)
{
    QLabel *l = label(name, QStringLiteral("<a href=\"#\" style=\"color:#0000ff; text-decoration:underline\">%1</a>")
                                .arg(text.toHtmlEscaped()),
                      parent);
    l->setTextFormat(Qt::RichText);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // A click must not take the focus from OK, or Enter would open the link again.
    l->setFocusPolicy(Qt::TabFocus);
    l->setCursor(Qt::PointingHandCursor);
    QObject::connect(l, &QLabel::linkActivated, box, [box, onClick] { (box->*onClick)(); });
    return l;
}

void launchOrSay(const QString &target, const char *failure)
{
    if (!launch(openRequest(target)))
        prompter().message(MessageKind::Plain, QString(), QString::fromLatin1(failure), BtnOk);
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About this program    "));
    setWindowIcon(programIcon());
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(programIcon().pixmap(64, 64));
    auto *inner = new QVBoxLayout(panel);
    inner->addWidget(label("ProgramIdent", QStringLiteral("Verno v3.0"), panel, 6));
    inner->addWidget(label("ProgramTitle", QStringLiteral("Text Editor"), panel, 6));
    inner->addWidget(icon);
    inner->addWidget(label("Copyright", QStringLiteral("Copyright \u00A9 the Verno authors"), panel));
    inner->addWidget(link("AuthorEmail", QString::fromLatin1(kAuthorEmail), panel, &TAboutBox::AuthorEmailClick, this));
    inner->addWidget(link("AuthorWebsite", QString::fromLatin1(kAuthorWebsite), panel, &TAboutBox::AuthorWebsiteClick, this));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ok_->setFocus(); // the box is reused: every opening starts on OK
}

void TAboutBox::AuthorEmailClick()
{
    launchOrSay(QStringLiteral("mailto:") + QLatin1String(kAuthorEmail) + QStringLiteral("?subject=Verno v3.0"),
                "failed to launch e-mail program");
}

void TAboutBox::AuthorWebsiteClick()
{
    launchOrSay(QString::fromLatin1(kAuthorWebsite), "failed to launch web browser");
}

} // namespace verno
