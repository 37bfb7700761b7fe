#pragma once
// Stands in for the desktop's "open this" service: starts a program, opens a
// document or a link. One call, answering whether something was started.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace verno {

// What a request comes down to, decided without launching anything.
struct LaunchPlan {
    enum Kind {
        Refused,      // nothing to start: empty, unbalanced quotes, no such program
        OpenUrl,      // a link, or a document for its usual application
        StartProgram, // a program started directly, no shell in between
    };
    Kind kind = Refused;
    QUrl url;
    QString program;
    QStringList arguments;
};

// file: the thing to open, or a whole command line when parameters are empty.
// parameters "/K <command>": file is a terminal that runs the command in a
// shell and stays open afterwards. Other parameters follow the program's own words.
LaunchPlan planShellOpen(const QString &file, const QString &parameters);

// Carries out a plan in the current working directory; true when started.
bool carryOut(const LaunchPlan &plan);
// Plans and carries out (or hands to the test hook); true when started.
bool shellOpen(const QString &file, const QString &parameters);

// Tests take the launches here instead (an empty function restores the real one).
using ShellOpenHook = std::function<bool(const QString &file, const QString &parameters)>;
void setShellOpenHook(ShellOpenHook hook);

} // namespace verno
