#pragma once
// Launching the user's commands on the active window's file, and choosing the
// directory launched programs start in.
#include <QString>
#include <QStringList>

namespace verno {

class CommandHost;

// The entry of the shell list at the index, or "" when the index is outside it.
QString currentShell(const QStringList &shells, int index);

// The program and parameters handed to the launcher for one expanded template.
struct LaunchRequest {
    QString program;
    QString parameters;
};
LaunchRequest buildLaunch(const QString &expanded, bool stay, const QString &shell);

// Saves modified windows first when SaveExec is on, expands the template from
// the active window's file and launches; a failure is reported with the
// template as written. True when something was started.
bool runCommand(CommandHost &host, const QString &tmpl, bool stay);

// Asks for a directory (offering to create a missing one) and makes it the
// working directory.
void changeDirectory();

} // namespace verno
