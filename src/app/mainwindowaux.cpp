// The frame's handlers for external commands, Insert Character, the File
// list, help and the About box, and the dialogs they open.
#include "app/mainmenu.h"
#include "app/mainwindow.h"
#include "commands/commanddialog.h"
#include "commands/commandrunner.h"
#include "dialogs/aboutbox.h"
#include "dialogs/childlist.h"
#include "dialogs/inschardialog.h"
#include "window/filewindow.h"
#include "platform/help.h"
#include "platform/prompter.h"

#include <QGuiApplication>

namespace verno {

void TMainWindow::EditInsCharClick()
{
    SetStatusMessage(menu_->hint(QStringLiteral("MnuEditInsChar")));
    forward([this](TFileWindow &w) { insCharDialog().Execute(w.Memo(), w.Memo().font()); });
    SetStatusMessage(QString());
}

bool TMainWindow::RunCommand(const QString &tmpl, bool stay) { return runCommand(*this, tmpl, stay); }

QString TMainWindow::activeFilePath() const
{
    const TFileWindow *w = activeWindow();
    return w ? w->FileDir + w->FileName : QString();
}

void TMainWindow::saveBeforeLaunch()
{
    if (settings_.SaveExec)
        SaveAllWindows(true);
}
void TMainWindow::FileChangeDirClick() { changeDirectory(); }

void TMainWindow::FileDosClick()
{
    RunCommand(currentShell(settings_.ShellCmds, settings_.ShellIndex), false);
}

void TMainWindow::FileCommandClick()
{
    SetStatusMessage(menu_->hint(QStringLiteral("MnuFileCommand")));
    prompter().runDialog(commandDialog());
    SetStatusMessage(QString());
}

void TMainWindow::RunCommandNumber(int n)
{
    if (settings_.Commands.size() >= n)
        RunCommand(settings_.Commands.at(n - 1), StayInDos);
    else
        FileCommandClick();
}

TCommandDialog &TMainWindow::commandDialog()
{
    if (!commandDialog_)
        commandDialog_ = new TCommandDialog(this, *this, settings_.CommandWidth, settings_.CommandHeight);
    return *commandDialog_;
}

void TMainWindow::HelpAboutClick() { prompter().runDialog(aboutBox()); }

TAboutBox &TMainWindow::aboutBox()
{
    // Centred on the screen, so not a child of the frame; the frame deletes it.
    if (!aboutBox_)
        aboutBox_ = new TAboutBox;
    return *aboutBox_;
}

void TMainWindow::WinListClick() { prompter().runDialog(childList()); }

TChildList &TMainWindow::childList()
{
    if (!childList_)
        childList_ = new TChildList(this, *this, settings_.ChildListWidth, settings_.ChildListHeight);
    return *childList_;
}

QList<QMdiSubWindow *> TMainWindow::fileWindows() const
{
    const QList<TFileWindow *> windows = editWindows();
    return {windows.begin(), windows.end()};
}

QMdiSubWindow *TMainWindow::activeFileWindow() const { return activeWindow(); }

QString TMainWindow::fullNameOf(const QMdiSubWindow *window) const
{
    const auto *w = qobject_cast<const TFileWindow *>(window);
    return w ? w->FullName() : QString();
}

bool TMainWindow::saveFileWindow(QMdiSubWindow *window)
{
    auto *w = qobject_cast<TFileWindow *>(window);
    return w && (w->FileName.isEmpty() ? w->SaveAs() : w->Save());
}

void TMainWindow::showFileWindow(QMdiSubWindow *window)
{
    ActivateEditWindow(qobject_cast<TFileWindow *>(window));
    SelectActiveTab();
}

TInsCharDialog &TMainWindow::insCharDialog()
{
    if (!insCharDialog_)
        insCharDialog_ = new TInsCharDialog(this, settings_.InsCharBase);
    return *insCharDialog_;
}

void TMainWindow::ShowHelp(int topic)
{
    SetStatusMessage(QString());
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (topic == 0)
        showHelpContents();
    else
        showHelpTopic(topic);
    QGuiApplication::restoreOverrideCursor();
}

} // namespace verno
