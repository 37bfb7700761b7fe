#include "platform/launcher.h"
#include "util/commandsplit.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace verno {

namespace {

LaunchHook &hook()
{
    static LaunchHook h;
    return h;
}

// No words at all when a quote is left open.
QStringList splitWords(const QString &line)
{
    QStringList list;
    if (const auto words = SplitCommandLine(line.toStdString())) {
        for (const std::string &w : *words)
            list << QString::fromStdString(w);
    }
    return list;
}

bool isLink(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^(mailto|https?|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(text).hasMatch();
}

// An existing file that is not a program, or a folder: the desktop opens it.
// A bare word that names a program runs the program, as a shell would.
bool isDocument(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QFileInfo info(QDir::current(), name);
    if (!info.exists() || (info.isFile() && info.isExecutable()))
        return false;
    return name.contains(QLatin1Char('/')) || QStandardPaths::findExecutable(name).isEmpty();
}

LaunchPlan programPlan(QStringList words)
{
    LaunchPlan plan;
    if (words.isEmpty() || words.first().isEmpty())
        return plan;
    const QString program = words.takeFirst();
    const QString found = program.contains(QLatin1Char('/'))
                              ? (QFileInfo(program).isExecutable() && QFileInfo(program).isFile() ? program : QString())
                              : QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return plan;
    plan.kind = LaunchPlan::StartProgram;
    plan.program = found;
    plan.arguments = words;
    return plan;
}

LaunchPlan documentPlan(const QString &name)
{
    LaunchPlan plan;
    plan.kind = LaunchPlan::OpenUrl;
    plan.url = QUrl::fromLocalFile(QFileInfo(QDir::current(), name).absoluteFilePath());
    return plan;
}

// The command runs in a shell in the terminal, then a shell stays open
// there. A newline, not ";", so a trailing "&" or "#" cannot eat it.
LaunchPlan terminalPlan(const LaunchRequest &r)
{
    QStringList words = splitWords(r.terminal);
    if (words.isEmpty())
        return {};
    // The values follow as arguments of that shell: they are never read as code.
    if (!r.script.trimmed().isEmpty())
        words << QStringLiteral("-e") << QStringLiteral("sh") << QStringLiteral("-c")
              << r.script + QStringLiteral("\nexec \"${SHELL:-sh}\"") << QStringLiteral("sh")
              << r.values;
    return programPlan(words);
}

} // namespace

LaunchRequest openRequest(const QString &line)
{
    LaunchRequest r;
    r.whole = line;
    r.words = splitWords(line);
    return r;
}

LaunchPlan planLaunch(const LaunchRequest &request)
{
    if (request.inTerminal)
        return terminalPlan(request);
    const QString whole = request.whole.trimmed();
    if (isLink(whole)) {
        LaunchPlan plan;
        plan.kind = LaunchPlan::OpenUrl;
        plan.url = QUrl(whole, QUrl::TolerantMode);
        return plan;
    }
    if (isDocument(whole))
        return documentPlan(whole);
    if (request.words.size() == 1 && isDocument(request.words.first()))
        return documentPlan(request.words.first());
    return programPlan(request.words);
}

bool launch(const LaunchRequest &request)
{
    return hook() ? hook()(request) : carryOut(planLaunch(request));
}

bool carryOut(const LaunchPlan &plan)
{
    switch (plan.kind) {
    case LaunchPlan::OpenUrl:
        return QDesktopServices::openUrl(plan.url);
    case LaunchPlan::StartProgram: {
        // A started program neither reads the editor's input nor writes into
        // its output: it gets nothing to read and its output goes nowhere.
        QProcess process;
        process.setProgram(plan.program);
        process.setArguments(plan.arguments);
        process.setWorkingDirectory(QDir::currentPath());
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    }
    case LaunchPlan::Refused:
        break;
    }
    return false;
}

void setLaunchHook(LaunchHook h) { hook() = std::move(h); }

} // namespace verno
