#include "testsupport.h"

#include <QFile>

namespace verno::test {

ScriptedPrompter::ScriptedPrompter() { setPrompter(this); }
ScriptedPrompter::~ScriptedPrompter() { setPrompter(nullptr); }

Answer ScriptedPrompter::message(MessageKind kind, const QString &title, const QString &text,
                                 Buttons buttons)
{
    messages.push_back({kind, title.isEmpty() ? defaultTitle(kind) : title, text, buttons});
    if (answers.empty())
        return escapeAnswer(buttons);
    Answer a = answers.front();
    answers.pop_front();
    return a;
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

std::optional<QFont> ScriptedPrompter::chooseFont(const QString &, const QFont &initial,
                                                  const std::function<void()> &)
{
    ++fontRequests;
    fontShown = initial;
    if (fontAnswers.empty())
        return std::nullopt;
    auto f = fontAnswers.front();
    fontAnswers.pop_front();
    return f;
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
