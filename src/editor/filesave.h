#pragma once
// Saving a text whole, keeping what the file was: its owner, group,
// permissions, hard links and the old text until the new one is safe.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace verno {

// A text to save as pieces written in order (an edit buffer hands over what
// lies on either side of its gap, so nothing is copied).
using TextPieces = std::vector<std::string_view>;

// Writes the text to path (through symbolic links to the file they point
// to), keeping its permissions, owner, group and hard links. With backup,
// the old bytes become the ".bak" copy. The new text goes to a file without
// a name until it is complete, which then takes the old one's name, when
// that keeps everything; otherwise the file is overwritten in place once a
// complete copy of the old text is on disk. On failure the file is left as
// it was and error says why. A kill at any moment leaves the old or the new
// text whole in the file, or the old one in the backup or a copy beside it.
bool saveWholeFile(const QString &path, const TextPieces &text, bool backup, QString &error);
inline bool saveWholeFile(const QString &path, const std::string &bytes, bool backup, QString &error)
{
    return saveWholeFile(path, TextPieces{bytes}, backup, error);
}

// Whether a save may create files in a folder; tests replace it, since root
// may write anywhere. nullptr restores the real check.
using FolderWritableCheck = bool (*)(const QByteArray &folder);
void setFolderWritableCheck(FolderWritableCheck check);

// Called after every step of a save that changes something on disk, so that
// a test can stop the process there. nullptr: nothing is called.
using SaveStepHook = void (*)();
void setSaveStepHook(SaveStepHook hook);

} // namespace verno
