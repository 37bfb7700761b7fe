#include "commands/commandrunner.h"
#include "commands/commandhost.h"
#include "commands/stringsubst.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>

namespace verno {

QString currentShell(const QStringList &shells, int index)
{
    return index >= 0 && index < shells.size() ? shells.at(index) : QString();
}

LaunchRequest buildLaunch(const QString &expanded, bool stay, const QString &shell)
{
    if (stay)
        return {shell, QStringLiteral("/K ") + expanded};
    return {expanded, QString()};
}

bool runCommand(CommandHost &host, const QString &tmpl, bool stay)
{
    const T_StringSubst subst(host.activeFilePath().toStdString());
    host.saveBeforeLaunch();
    const QString expanded = QString::fromStdString(subst.Substitute(tmpl.toStdString()));
    // Only an empty template launches nothing at all; one that expands to
    // nothing still opens the shell.
    const LaunchRequest r =
        tmpl.isEmpty() ? LaunchRequest{} : buildLaunch(expanded, stay, currentShell(host.shellList(), host.shellIndex()));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = shellOpen(r.program, r.parameters);
    QGuiApplication::restoreOverrideCursor();
    if (!ok)
        prompter().message(MessageKind::Plain, QString(), QStringLiteral("failed to launch command\r\n") + tmpl, BtnOk);
    return ok;
}

void changeDirectory()
{
    const auto chosen = prompter().chooseDirectory(QStringLiteral("Select Directory"), QDir::currentPath());
    if (!chosen)
        return;
    const QString dir = QDir::cleanPath(QDir::current().absoluteFilePath(*chosen));
    if (!QFileInfo(dir).isDir()) {
        const QString question = QStringLiteral("The directory \"%1\" does not exist. Create it?").arg(dir);
        if (confirmBox(question, BtnYes | BtnNo) != Answer::Yes)
            return;
        if (!QDir().mkpath(dir)) {
            errorBox(QStringLiteral("Cannot create the directory \"%1\".").arg(dir));
            return;
        }
    }
    QDir::setCurrent(dir); // a refusal leaves the old directory, as before
}

} // namespace verno
