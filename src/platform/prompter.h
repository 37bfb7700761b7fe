#pragma once
// Every message box and common dialog is asked through this interface, so
// tests can answer them and the real dialogs stay in one place.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class QDialog;

namespace verno {

enum class Answer { Yes, No, Ok, Cancel, All };

// Buttons always appear in this order: Yes, No, OK, Cancel, All.
enum Button : unsigned {
    BtnYes = 1,
    BtnNo = 2,
    BtnOk = 4,
    BtnCancel = 8,
    BtnAll = 16,
};
using Buttons = unsigned;

enum class MessageKind {
    Error,       // title "Error"
    Confirm,     // title "Confirm", question icon
    Information, // title "Information"
    Plain,       // title "Verno"
};

struct FileDialogRequest {
    QString title;
    QString directory;
    QString fileName;
    QString filter;       // "desc|pattern|desc|pattern"
    int filterIndex = 1;  // from 1
    bool showReadOnly = false;
    bool readOnlyChecked = false;
    bool confirmOverwrite = false;
    bool mustExist = false;
    int helpContext = 0;      // F1 opens this help topic; 0: none
    QString helpSection;      // at this part of the topic's page
    bool helpButton = false;  // a Help button opens it too
};

struct FileDialogResult {
    bool accepted = false;
    QString fileName;
    int filterIndex = 1;
    bool readOnly = false;
};

// A font and the colour of its text, as the font dialog edits them.
struct FontChoice {
    QFont font;
    QColor color = Qt::black;
};

struct FontDialogRequest {
    QString title;
    FontChoice initial;
    int helpTopic = 0; // 0: no Help button
    // Run by the Apply button with the dialog's font; empty: no Apply button.
    std::function<void(const FontChoice &)> apply;
};

struct PrintDialogRequest {
    bool selectionAvailable = false; // offer the selection as a range
};

struct PrintDialogResult {
    bool accepted = false;
    bool selection = false; // the selection range was chosen
    int copies = 1;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // title empty: the kind's own title.
    virtual Answer message(MessageKind kind, const QString &title, const QString &text,
                           Buttons buttons) = 0;
    virtual FileDialogResult openFile(const FileDialogRequest &request) = 0;
    virtual FileDialogResult saveFile(const FileDialogRequest &request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontDialogRequest &request) = 0;
    // message() with the box's top-left corner at a point on the screen.
    virtual Answer messageAt(MessageKind kind, const QString &title, const QString &text,
                             Buttons buttons, const QPoint &topLeft);
    // One of the program's own modal dialogs, shown until it closes; gives
    // QDialog::Accepted or QDialog::Rejected.
    virtual int runDialog(QDialog &dialog);
    // A directory picked or typed; it need not exist yet. Nothing on cancel.
    virtual std::optional<QString> chooseDirectory(const QString &title, const QString &start) = 0;
    // The print dialog on the program's printer (programPrinter()); what is
    // chosen there stays for the run.
    virtual PrintDialogResult printDialog(const PrintDialogRequest &request) = 0;
    // The printer setup dialog; false when cancelled.
    virtual bool printSetup() = 0;
};

// The prompter in use; the Qt one unless a test installed another.
Prompter &prompter();
void setPrompter(Prompter *p); // nullptr restores the Qt one

QString defaultTitle(MessageKind kind);
Answer defaultAnswer(Buttons buttons);
Answer escapeAnswer(Buttons buttons);

// Convenience wrappers.
Answer errorBox(const QString &text, Buttons buttons = BtnOk);
Answer confirmBox(const QString &text, Buttons buttons);
void informationBox(const QString &text);

// The general error report: title "Verno", period rule applied.
QString withReportPeriod(const QString &text);
void reportError(const QString &text);

} // namespace verno
