#pragma once
// Whole-file reading; saving is in filesave.h.
#include "util/byteblock.h"
#include "util/textstore.h"

#include <QString>
#include <string>

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

} // namespace verno
