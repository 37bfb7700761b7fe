#pragma once
// Whole-file reading and the safe save: the new text is written whole to a
// temporary file beside the target before anything existing is touched.
#include <QString>
#include <string>

namespace verno {

// "a.txt" -> "a.bak", "a" -> "a.bak"; only the last path component counts.
QString backupName(const QString &path);

// Reads every byte; false with an error text when the file cannot be read.
bool readWholeFile(const QString &path, std::string &bytes, QString &error);

// Writes bytes to path (through a symbolic link to the file it points to),
// keeping the file's permissions. With backup, the old file becomes the ".bak"
// copy once the new text is safely on disk. On failure the original file and
// any older backup are untouched and error says why.
bool saveWholeFile(const QString &path, const std::string &bytes, bool backup, QString &error);

} // namespace verno
