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

ShellOpenHook &hook()
{
    static ShellOpenHook h;
    return h;
}

std::optional<QStringList> splitWords(const QString &line)
{
    const auto words = SplitCommandLine(line.toStdString());
    if (!words)
        return std::nullopt;
    QStringList list;
    for (const std::string &w : *words)
        list << QString::fromStdString(w);
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

} // namespace

LaunchPlan planShellOpen(const QString &file, const QString &parameters)
{
    const QString text = file.trimmed();
    if (parameters.startsWith(QLatin1String("/K "))) {
        // Run the command in a shell in the terminal, then keep a shell open
        // there. A newline, not ";", so a trailing "&" or "#" cannot eat it.
        auto words = splitWords(text);
        if (!words)
            return {};
        const QString command = parameters.mid(3).trimmed();
        if (!command.isEmpty())
            *words << QStringLiteral("-e") << QStringLiteral("sh") << QStringLiteral("-c")
                   << command + QStringLiteral("\nexec \"${SHELL:-sh}\"");
        return programPlan(*words);
    }
    if (text.isEmpty())
        return {};
    if (parameters.isEmpty() && isLink(text)) {
        LaunchPlan plan;
        plan.kind = LaunchPlan::OpenUrl;
        plan.url = QUrl(text, QUrl::TolerantMode);
        return plan;
    }
    if (parameters.isEmpty() && isDocument(text))
        return documentPlan(text);
    auto words = splitWords(text);
    if (!words)
        return {};
    if (words->size() == 1 && parameters.isEmpty() && isDocument(words->first()))
        return documentPlan(words->first());
    if (!parameters.isEmpty()) {
        const auto more = splitWords(parameters);
        if (!more)
            return {};
        *words << *more;
    }
    return programPlan(*words);
}

bool shellOpen(const QString &file, const QString &parameters)
{
    return hook() ? hook()(file, parameters) : carryOut(planShellOpen(file, parameters));
}

bool carryOut(const LaunchPlan &plan)
{
    switch (plan.kind) {
    case LaunchPlan::OpenUrl:
        return QDesktopServices::openUrl(plan.url);
    case LaunchPlan::StartProgram:
        return QProcess::startDetached(plan.program, plan.arguments, QDir::currentPath());
    case LaunchPlan::Refused:
        break;
    }
    return false;
}

void setShellOpenHook(ShellOpenHook h) { hook() = std::move(h); }

} // namespace verno
