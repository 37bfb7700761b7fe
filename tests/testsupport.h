#pragma once
// Shared test helpers: a prompter that answers from a script, and temporary folders.
#include "platform/launcher.h"
#include "platform/prompter.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <deque>
#include <sys/resource.h>
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
    std::optional<QPoint> topLeft; // where the box was placed, if it was
};

// Answers message boxes and dialogs from queues; an empty queue gives the Esc
// answer (or a cancelled dialog). Installed for its lifetime.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    std::deque<Answer> answers;
    std::deque<FileDialogResult> fileAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    // Fonts the next font dialog applies (its Apply button) before it answers.
    std::vector<FontChoice> fontApplies;
    std::deque<QString> directoryAnswers; // "" cancels
    std::vector<AskedMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    int fontRequests = 0;
    FontChoice fontShown; // what the last font dialog opened at
    std::deque<PrintDialogResult> printAnswers;
    std::vector<PrintDialogRequest> printRequests;
    int printSetupRequests = 0;

    Answer message(MessageKind kind, const QString &title, const QString &text,
                   Buttons buttons) override;
    FileDialogResult openFile(const FileDialogRequest &request) override;
    FileDialogResult saveFile(const FileDialogRequest &request) override;
    std::optional<FontChoice> chooseFont(const FontDialogRequest &request) override;
    std::optional<QString> chooseDirectory(const QString &title, const QString &start) override;
    PrintDialogResult printDialog(const PrintDialogRequest &request) override;
    bool printSetup() override;

    Answer messageAt(MessageKind kind, const QString &title, const QString &text, Buttons buttons,
                     const QPoint &topLeft) override;

    // The program's own dialogs: each is shown and handed to the next action,
    // which may fill it and press its buttons; one left open is cancelled.
    std::deque<std::function<void(QDialog &)>> dialogActions;
    QStringList dialogsRun; // their object names
    int runDialog(QDialog &dialog) override;

    void answerFile(const QString &name, bool readOnly = false);
};

// Takes every launch instead of starting anything, and answers `result`.
// Installed for its lifetime.
class RecordingLauncher {
public:
    RecordingLauncher();
    ~RecordingLauncher();
    RecordingLauncher(const RecordingLauncher &) = delete;
    RecordingLauncher &operator=(const RecordingLauncher &) = delete;

    bool result = true;
    bool real = false; // launch for real after recording
    std::vector<LaunchRequest> launches;
};

// The soft file-size limit, lowered for one scope: writes past it fail with
// EFBIG, for root too, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// The working directory changed for one scope.
class WorkingDir {
public:
    explicit WorkingDir(const QString &path);
    ~WorkingDir();
    WorkingDir(const WorkingDir &) = delete;
    WorkingDir &operator=(const WorkingDir &) = delete;

private:
    QString old_;
};

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace verno::test
