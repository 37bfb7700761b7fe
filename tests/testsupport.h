#pragma once
// Shared test helpers: a prompter that answers from a script, and temporary folders.
#include "platform/prompter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <ostream>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace verno::test {

struct AskedMessage {
    MessageKind kind;
    QString title;
    QString text;
    Buttons buttons;
};

// Answers message boxes and dialogs from queues; an empty queue gives the Esc
// answer (or a cancelled dialog). Installed for its lifetime.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    std::deque<Answer> answers;
    std::deque<FileDialogResult> fileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::vector<AskedMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    int fontRequests = 0;

    Answer message(MessageKind kind, const QString &title, const QString &text,
                   Buttons buttons) override;
    FileDialogResult openFile(const FileDialogRequest &request) override;
    FileDialogResult saveFile(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(const QString &title, const QFont &initial,
                                    const std::function<void()> &apply) override;

    void answerFile(const QString &name, bool readOnly = false);
};

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace verno::test
