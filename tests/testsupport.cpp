#include "testsupport.h"
#include "platform/launcher.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace verno::test {

ScriptedPrompter::ScriptedPrompter() { setPrompter(this); }
ScriptedPrompter::~ScriptedPrompter() { setPrompter(nullptr); }

Answer ScriptedPrompter::message(MessageKind kind, const QString &title, const QString &text,
                                 Buttons buttons)
{
    messages.push_back({kind, title.isEmpty() ? defaultTitle(kind) : title, text, buttons, std::nullopt});
    if (answers.empty())
        return escapeAnswer(buttons);
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

Answer ScriptedPrompter::messageAt(MessageKind kind, const QString &title, const QString &text,
                                   Buttons buttons, const QPoint &topLeft)
{
    const Answer a = message(kind, title, text, buttons);
    messages.back().topLeft = topLeft;
    return a;
}

int ScriptedPrompter::runDialog(QDialog &dialog)
{
    dialogsRun << dialog.objectName();
    QWidget *previous = QApplication::activeWindow();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!dialogActions.empty()) {
        const auto action = std::move(dialogActions.front());
        dialogActions.pop_front();
        action(dialog);
    }
    if (dialog.isVisible())
        dialog.reject();
    // As a window manager would, hand the activation back.
    if (previous) {
        previous->activateWindow();
        QCoreApplication::processEvents();
    }
    return dialog.result();
}

FileDialogResult ScriptedPrompter::openFile(const FileDialogRequest &request)
{
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return {};
    FileDialogResult r = fileAnswers.front();
    fileAnswers.pop_front();
    return r;
}

FileDialogResult ScriptedPrompter::saveFile(const FileDialogRequest &request)
{
    return openFile(request);
}

std::optional<FontChoice> ScriptedPrompter::chooseFont(const FontDialogRequest &request)
{
    ++fontRequests;
    fontShown = request.initial;
    for (const FontChoice &applied : fontApplies)
        if (request.apply)
            request.apply(applied);
    fontApplies.clear();
    if (fontAnswers.empty())
        return std::nullopt;
    auto f = fontAnswers.front();
    fontAnswers.pop_front();
    return f;
}

std::optional<QString> ScriptedPrompter::chooseDirectory(const QString &, const QString &)
{
    if (directoryAnswers.empty())
        return std::nullopt;
    const QString d = directoryAnswers.front();
    directoryAnswers.pop_front();
    if (d.isEmpty())
        return std::nullopt;
    return d;
}

PrintDialogResult ScriptedPrompter::printDialog(const PrintDialogRequest &request)
{
    printRequests.push_back(request);
    if (printAnswers.empty())
        return {};
    PrintDialogResult r = printAnswers.front();
    printAnswers.pop_front();
    return r;
}

bool ScriptedPrompter::printSetup()
{
    ++printSetupRequests;
    return false;
}

void ScriptedPrompter::answerFile(const QString &name, bool readOnly)
{
    FileDialogResult r;
    r.accepted = true;
    r.fileName = name;
    r.filterIndex = 1;
    r.readOnly = readOnly;
    fileAnswers.push_back(r);
}

RecordingLauncher::RecordingLauncher()
{
    setLaunchHook([this](const LaunchRequest &request) {
        launches.push_back(request);
        return real ? carryOut(planLaunch(request)) : result;
    });
}

RecordingLauncher::~RecordingLauncher() { setLaunchHook({}); }

WorkingDir::WorkingDir(const QString &path) : old_(QDir::currentPath()) { QDir::setCurrent(path); }
WorkingDir::~WorkingDir() { QDir::setCurrent(old_); }

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace verno::test
