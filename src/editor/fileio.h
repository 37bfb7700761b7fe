#pragma once
// Whole-file reading, and saving that keeps what the file was: its owner,
// group, permissions, hard links and the old text until the new one is safe.
#include "util/byteblock.h"
#include "util/textstore.h"

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// "a.txt" -> "a.bak", "a" -> "a.bak"; only the last path component counts.
QString backupName(const QString &path);

// Whether the file is larger than any text can be; such a file is refused
// before it is read, so it cannot exhaust the memory.
bool tooLargeForText(const QString &path);

// Reads every byte; false with an error text when the file cannot be read.
bool readWholeFile(const QString &path, std::string &bytes, QString &error);
// The same straight into a block an edit buffer can take over, with some room
// to spare for editing.
bool readWholeFile(const QString &path, ByteBlock &bytes, QString &error);

// Reading ahead: a large file named on the command line is read and made
// ready on threads of its own while the program starts.
void startPreload(const QString &path);
// The text read ahead for path if it is still that very file; otherwise
// false, and the file is read as usual.
bool takePreload(const QString &path, PreparedText &text);
// Ends a read ahead that no window took, freeing its memory.
void dropPreload();

// A text to save as pieces written in order (an edit buffer hands over what
// lies on either side of its gap, so nothing is copied).
using TextPieces = std::vector<std::string_view>;

// Writes bytes to path (through symbolic links to the file they point to),
// keeping its permissions, owner, group and hard links. With backup, the old
// bytes become the ".bak" copy. The new text goes to a temporary file renamed
// over the old one when that keeps everything; otherwise the file is
// overwritten in place after its new length is reserved on disk. On failure
// the original file and any older backup are left as they were and error
// says why.
bool saveWholeFile(const QString &path, const TextPieces &text, bool backup, QString &error);
inline bool saveWholeFile(const QString &path, const std::string &bytes, bool backup, QString &error)
{
    return saveWholeFile(path, TextPieces{bytes}, backup, error);
}

// Whether a save may create files in a folder; tests replace it, since root
// may write anywhere. nullptr restores the real check.
using FolderWritableCheck = bool (*)(const QByteArray &folder);
void setFolderWritableCheck(FolderWritableCheck check);

} // namespace verno
