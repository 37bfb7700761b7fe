#include "commands/commandrunner.h"
#include "commands/commandhost.h"
#include "commands/stringsubst.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>

namespace verno {

QString currentShell(const QStringList &shells, int index)
{
    return index >= 0 && index < shells.size() ? shells.at(index) : QString();
}

LaunchRequest buildLaunch(const T_StringSubst &subst, const QString &tmpl, bool stay,
                          const QString &shell)
{
    LaunchRequest r;
    if (tmpl.isEmpty())
        return r; // nothing at all; a template that expands to nothing still opens the shell
    const CommandPieces pieces = subst.Pieces(tmpl.toStdString());
    if (stay) {
        r.inTerminal = true;
        r.terminal = shell;
        // The name goes to the shell as arguments, never into its code.
        const ShellScript script = ShellScriptWithValues(pieces);
        r.script = QString::fromStdString(script.code);
        for (const std::string &v : script.values)
            r.values << QString::fromStdString(v);
        return r;
    }
    // The words come from the template alone; a name only fills them in.
    if (std::none_of(pieces.begin(), pieces.end(), [](const CommandPiece &p) { return p.value; }))
        r.whole = tmpl;
    if (const auto words = SplitCommandWords(pieces)) {
        for (const std::string &w : *words)
            r.words << QString::fromStdString(w);
    }
    return r;
}

bool runCommand(CommandHost &host, const QString &tmpl, bool stay)
{
    const T_StringSubst subst(host.activeFilePath().toStdString());
    host.saveBeforeLaunch();
    const LaunchRequest r = buildLaunch(subst, tmpl, stay, currentShell(host.shellList(), host.shellIndex()));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = launch(r);
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
