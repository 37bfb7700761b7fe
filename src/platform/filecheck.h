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

// The one file a name typed into a file dialog stands for: the text as it
// stands, quotes and blanks included, in `folder` unless it is a full path.
// A leading "~" is the home folder unless `folder` holds that very name.
QString typedFilePath(const QString &typed, const QString &folder);

} // namespace verno
