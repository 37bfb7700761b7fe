#pragma once
// Stands in for the desktop's "open this" service: starts a program, opens a
// document or a link. One call, answering whether something was started.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace verno {

// What the caller asks for. Either a program with its arguments (or one
// document), or a shell command run in a terminal that stays open.
struct LaunchRequest {
    // Text with nothing put into it, tried as a link or a document as it
    // stands before the words are looked at ("" to skip).
    QString whole;
    QStringList words; // program and arguments, already split
    bool inTerminal = false;
    QString terminal; // the terminal's own command line, split like a shell would
    QString script;   // shell code run inside it; "" just opens the terminal
    QStringList values; // what "${1}", "${2}", ... in the script stand for
};

// A link or document (or a command line typed whole) to open as it stands.
LaunchRequest openRequest(const QString &line);

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

LaunchPlan planLaunch(const LaunchRequest &request);

// Carries out a plan in the current working directory; true when started. A
// program started directly reads from and writes to the null device.
bool carryOut(const LaunchPlan &plan);
// Plans and carries out (or hands to the test hook); true when started.
bool launch(const LaunchRequest &request);

// Tests take the launches here instead (an empty function restores the real one).
using LaunchHook = std::function<bool(const LaunchRequest &request)>;
void setLaunchHook(LaunchHook hook);

} // namespace verno
