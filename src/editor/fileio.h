#pragma once
// Whole-file reading, and saving that keeps what the file was: its owner,
// group, permissions, hard links and the old text until the new one is safe.
#include <QByteArray>
#include <QString>
#include <string>

namespace verno {

// "a.txt" -> "a.bak", "a" -> "a.bak"; only the last path component counts.
QString backupName(const QString &path);

// Reads every byte; false with an error text when the file cannot be read.
bool readWholeFile(const QString &path, std::string &bytes, QString &error);

// Writes bytes to path (through symbolic links to the file they point to),
// keeping its permissions, owner, group and hard links. With backup, the old
// bytes become the ".bak" copy. The new text goes to a temporary file renamed
// over the old one when that keeps everything; otherwise the file is
// overwritten in place after its new length is reserved on disk. On failure
// the original file and any older backup are left as they were and error
// says why.
bool saveWholeFile(const QString &path, const std::string &bytes, bool backup, QString &error);

// Whether a save may create files in a folder; tests replace it, since root
// may write anywhere. nullptr restores the real check.
using FolderWritableCheck = bool (*)(const QByteArray &folder);
void setFolderWritableCheck(FolderWritableCheck check);

} // namespace verno
