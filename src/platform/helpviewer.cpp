#include "platform/helpviewer.h"
#include "platform/help.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace verno {

namespace {

const HelpTopic kTopics[] = {
    {HelpGeneral, "general.html", "General Information"},
    {HelpUsage, "usage.html", "Program Usage"},
    {HelpOpen, "open.html", "Opening and Viewing Files"},
    {HelpPreferences, "preferences.html", "Preferences"},
    {HelpFont, "font.html", "Fonts"},
    {HelpSearching, "searching.html", "Searching"},
    {HelpFind, "find.html", "Find"},
    {HelpReplace, "replace.html", "Replace"},
    {HelpGotoLine, "gotoline.html", "Go to Line"},
    {HelpPrinting, "printing.html", "Printing"},
};

const char kPrefix[] = "qrc:/help/";

QPointer<THelpViewer> theViewer;

QToolButton *toolButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::NoFocus); // the keys belong to the page; the buttons have access keys
    return b;
}

THelpViewer &viewer()
{
    if (!theViewer)
        theViewer = new THelpViewer;
    return *theViewer;
}

void openAt(const QString &page)
{
    THelpViewer &v = viewer();
    // Over a modal dialog the viewer would take no input unless modal itself.
    QWidget *modal = QApplication::activeModalWidget();
    const bool wantModal = modal && modal != &v;
    if (wantModal != (v.windowModality() == Qt::ApplicationModal)) {
        v.hide();
        v.setWindowModality(wantModal ? Qt::ApplicationModal : Qt::NonModal);
    }
    v.showPage(page);
    if (v.isVisible())
        v.raise();
    v.show();
    v.activateWindow();
}

} // namespace

std::span<const HelpTopic> helpTopics() { return kTopics; }

QString helpContentsPage() { return QString::fromLatin1(kPrefix) + QStringLiteral("index.html"); }

QString helpPage(int context)
{
    for (const HelpTopic &t : kTopics)
        if (t.context == context)
            return QString::fromLatin1(kPrefix) + QString::fromLatin1(t.page);
    return helpContentsPage();
}

void showHelpContents() { openAt(helpContentsPage()); }
void openHelpViewer(int context, const QString &section)
{
    openAt(section.isEmpty() ? helpPage(context) : helpPage(context) + QLatin1Char('#') + section);
}

void quitHelp()
{
    if (theViewer) {
        theViewer->close();
        delete theViewer;
    }
}

THelpViewer *helpViewer() { return theViewer; }

THelpViewer::THelpViewer() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Verno Help"));
    setWindowIcon(QApplication::windowIcon());
    // Never the window that keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(620, 520);

    auto *contents = toolButton(QStringLiteral("BtnContents"), QStringLiteral("&Contents"), this);
    back_ = toolButton(QStringLiteral("BtnBack"), QStringLiteral("&Back"), this);
    forward_ = toolButton(QStringLiteral("BtnForward"), QStringLiteral("&Forward"), this);
    auto *close = toolButton(QStringLiteral("BtnClose"), QStringLiteral("Close"), this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    // Links leaving the help go to the desktop, pages inside it stay here.
    browser_->setOpenLinks(false);
    // The pages' own style sheet, which the text browser does not fetch itself.
    QFile css(QStringLiteral(":/help/style.css"));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == QLatin1String("qrc") || url.isRelative())
            browser_->setSource(browser_->source().resolved(url));
        else
            QDesktopServices::openUrl(url);
    });
    connect(contents, &QToolButton::clicked, this, [this] { showPage(helpContentsPage()); });
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, &QWidget::close);

    auto *bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch();
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
}

void THelpViewer::showPage(const QString &page) { browser_->setSource(QUrl(page)); }
QString THelpViewer::currentPage() const { return browser_->source().toString(); }
QString THelpViewer::currentTitle() const { return browser_->documentTitle(); }

} // namespace verno
