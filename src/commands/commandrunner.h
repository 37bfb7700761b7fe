#pragma once
// Launching the user's commands on the active window's file, and choosing the
// directory launched programs start in.
#include "platform/launcher.h"

#include <QString>
#include <QStringList>

namespace verno {

class CommandHost;
class T_StringSubst;

// The entry of the shell list at the index, or "" when the index is outside it.
QString currentShell(const QStringList &shells, int index);

// What the launcher is given for one template on one file: the template's
// words with the name's parts filled in, or (stay) the command in the shell.
LaunchRequest buildLaunch(const T_StringSubst &subst, const QString &tmpl, bool stay,
                          const QString &shell);

// Saves modified windows first when SaveExec is on, expands the template from
// the active window's file and launches; a failure is reported with the
// template as written. True when something was started.
bool runCommand(CommandHost &host, const QString &tmpl, bool stay);

// Asks for a directory (offering to create a missing one) and makes it the
// working directory.
void changeDirectory();

} // namespace verno
