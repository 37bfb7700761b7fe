#pragma once
// What the open and save dialogs do with a chosen name before they close:
// refuse it with a message, ask before replacing a file, or take it.
#include <QString>

namespace verno {

struct FileCheck {
    enum Verdict { Accept, Refuse, AskReplace };
    Verdict verdict = Accept;
    QString message;
};

// save: a save dialog (an existing folder, no read-only file, a question
// before replacing when confirmReplace); otherwise an open dialog, which takes
// existing files only.
FileCheck checkChosenFile(const QString &path, bool save, bool confirmReplace);

} // namespace verno
