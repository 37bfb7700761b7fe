#pragma once
#include "platform/prompter.h"

namespace verno {

// The real dialogs: Qt widgets with the program's own captions, button order,
// default and Esc answers (never the platform style's reordering).
class QtPrompter : public Prompter {
public:
    Answer message(MessageKind kind, const QString &title, const QString &text,
                   Buttons buttons) override;
    FileDialogResult openFile(const FileDialogRequest &request) override;
    FileDialogResult saveFile(const FileDialogRequest &request) override;
    std::optional<QFont> chooseFont(const QString &title, const QFont &initial,
                                    const std::function<void()> &apply) override;
    Answer messageAt(MessageKind kind, const QString &title, const QString &text,
                     Buttons buttons, const QPoint &topLeft) override;
    std::optional<QString> chooseDirectory(const QString &title, const QString &start) override;

private:
    Answer showMessage(MessageKind kind, const QString &title, const QString &text, Buttons buttons,
                       const QPoint *topLeft);
    PrintDialogResult printDialog(const PrintDialogRequest &request) override;
    bool printSetup() override;
};

} // namespace verno
