#include "app/preferencesdialog.h"
#include "app/filterpage.h"
#include "platform/dialogbuttons.h"
#include "platform/help.h"
#include "platform/prompter.h"
#include "platform/spinedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace verno {

TPreferencesDialog::TPreferencesDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PreferencesDialog"));
    setWindowTitle(QStringLiteral("Preferences"));
    resize(400, 350);
    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("PageControl"));
    filters_ = new TFilterPage;
    pages_->addTab(generalPage(), QStringLiteral("&General"));
    pages_->addTab(displayPage(), QStringLiteral("&Display"));
    pages_->addTab(filters_, QStringLiteral("&Filters"));

    auto *buttons = new QHBoxLayout;
    QPushButton *ok = addOkCancelHelp(buttons, this, QStringLiteral("Ok"), QStringLiteral("BtnOk"), HelpPreferences);
    connect(ok, &QPushButton::clicked, this, &TPreferencesDialog::BtnOkClick);
    for (QCheckBox *c : {chkFileHist_, chkWinList_, chkTabs_})
        connect(c, &QCheckBox::clicked, this, &TPreferencesDialog::ChkDisplayClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
}

QCheckBox *TPreferencesDialog::check(const char *name, const char *caption, bool T_Options::*field)
{
    auto *c = new QCheckBox(QString::fromLatin1(caption));
    c->setObjectName(QString::fromLatin1(name));
    checks_.insert(c, field);
    return c;
}

QWidget *TPreferencesDialog::spin(const char *name, const char *labelName, const char *caption, int min,
                                  int max, int T_Options::*field)
{
    auto *s = new SpinEdit(min, max);
    s->setObjectName(QString::fromLatin1(name));
    spins_.insert(s, field);
    auto *label = new QLabel(QString::fromLatin1(caption));
    label->setObjectName(QString::fromLatin1(labelName));
    label->setBuddy(s);
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(s);
    layout->addWidget(label);
    layout->addStretch();
    return row;
}

QGroupBox *TPreferencesDialog::group(const char *title, std::initializer_list<QWidget *> controls)
{
    auto *g = new QGroupBox(QString::fromLatin1(title));
    auto *layout = new QVBoxLayout(g);
    for (QWidget *c : controls)
        layout->addWidget(c);
    layout->addStretch();
    return g;
}

QWidget *TPreferencesDialog::generalPage()
{
    using O = T_Options;
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group("File &Handling", {check("ChkBackup", "Create Backup", &O::Backup),
                                               check("ChkConfirmSave", "Confirm Save As", &O::ConfirmSave),
                                               check("ChkSaveExec", "Save Before Shell/Exec", &O::SaveExec),
                                               check("ChkROMod", "Allow Read Only if Modified", &O::ROifModified),
                                               check("ChkNewUtf8", "New windows use UTF-8", &O::NewWindowsUtf8),
                                               check("ChkAutoReload", "Reload files changed by other programs",
                                                     &O::AutoReload),
                                               check("ChkKeepBreaks", "Keep each file's line breaks", &O::KeepLineBreaks),
                                               check("ChkReopenSession", "Reopen the files of the last session",
                                                     &O::ReopenSession)}));
    layout->addWidget(group("&Search Options", {check("ChkFindWord", "Find Word at Cursor", &O::FindWord),
                                                check("ChkFindHistSave", "Save Find/Replace History", &O::FindHistSave)}));
    layout->addWidget(group("&Metrics", {spin("SpinShift", "LblShift", "Shift count", 1, 32, &O::ShiftCount)}));
    layout->addStretch();
    return page;
}

QWidget *TPreferencesDialog::displayPage()
{
    using O = T_Options;
    chkFileHist_ = check("ChkFileHist", "Display", &O::FileHist);
    chkTabs_ = check("ChkTabs", "Display", &O::Tabs);
    chkWinList_ = check("ChkWinList", "Display", &O::WinList);
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addWidget(group("&Main Window", {check("ChkToolbar", "Toolbar", &O::ToolBar),
                                           check("ChkStatusBar", "Status Bar", &O::StatusBar),
                                           check("ChkHints", "Hints", &O::Hints),
                                           check("ChkSavePosition", "Save Position and Size", &O::SavePosition),
                                           check("ChkPath", "Filepath in Caption", &O::Path)}),
                    0, 0, 2, 1);
    grid->addWidget(group("File &History List",
                          {chkFileHist_, check("ChkFileHistSort", "Order", &O::FileHistSort),
                           check("ChkFileHistSave", "Save", &O::FileHistSave),
                           spin("SpinFileHistMax", "LblFileHistMax", "Items", 0, 99, &O::FileHistMax)}),
                    0, 1, 2, 1);
    grid->addWidget(group("&Tabs", {chkTabs_, check("ChkTabsSort", "Order", &O::TabsSort)}), 0, 2);
    grid->addWidget(group("Edit &Window List",
                          {chkWinList_, check("ChkWinListSort", "Order", &O::WinListSort),
                           spin("SpinWinListMax", "LblWinListMax", "Items", 0, 99, &O::WinListMax)}),
                    1, 2);
    grid->addWidget(group("&Edit Windows", {check("ChkGrayRO", "Gray Read Only", &O::GrayReadOnly),
                                            check("ChkInitialWin", "Initial Edit Window", &O::InitialWin),
                                            check("ChkLineNumbers", "Initial Line Numbers", &O::LineNumbers)}),
                    2, 0, 1, 3);
    return page;
}

void TPreferencesDialog::FormShow()
{
    for (auto it = checks_.cbegin(); it != checks_.cend(); ++it)
        it.key()->setChecked(Options.*it.value());
    for (auto it = spins_.cbegin(); it != spins_.cend(); ++it)
        it.key()->setValue(Options.*it.value());
    filters_->setFilter(Options.FileFilter);
    ChkDisplayClick();
}

void TPreferencesDialog::ChkDisplayClick()
{
    const auto enable = [this](const char *name, bool on) {
        findChild<QWidget *>(QString::fromLatin1(name))->setEnabled(on);
    };
    enable("ChkFileHistSort", chkFileHist_->isChecked());
    enable("SpinFileHistMax", chkFileHist_->isChecked());
    enable("ChkWinListSort", chkWinList_->isChecked());
    enable("SpinWinListMax", chkWinList_->isChecked());
    enable("ChkTabsSort", chkTabs_->isChecked());
}

void TPreferencesDialog::BtnOkClick()
{
    filters_->Commit();
    for (auto it = spins_.cbegin(); it != spins_.cend(); ++it) {
        it.key()->interpretText(); // a value still being typed counts
        Options.*it.value() = it.key()->value();
    }
    for (auto it = checks_.cbegin(); it != checks_.cend(); ++it)
        Options.*it.value() = it.key()->isChecked();
    Options.FileFilter = filters_->filter();
    accept();
}

bool TPreferencesDialog::Execute(T_Options &options)
{
    Options = options;
    FormShow();
    if (prompter().runDialog(*this) != QDialog::Accepted)
        return false;
    options = Options;
    return true;
}

void TPreferencesDialog::showEvent(QShowEvent *event)
{
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    findChild<QPushButton *>(QStringLiteral("BtnOk"))->setFocus();
    QDialog::showEvent(event);
}

} // namespace verno
