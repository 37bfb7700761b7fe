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
    std::optional<FontChoice> chooseFont(const FontDialogRequest &request) override;
    Answer messageAt(MessageKind kind, const QString &title, const QString &text,
                     Buttons buttons, const QPoint &topLeft) override;
    std::optional<QString> chooseDirectory(const QString &title, const QString &start) override;
    PrintDialogResult printDialog(const PrintDialogRequest &request) override;
    bool printSetup() override;

private:
    Answer showMessage(MessageKind kind, const QString &title, const QString &text, Buttons buttons,
                       const QPoint *topLeft);
};

} // namespace verno
