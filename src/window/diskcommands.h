#pragma once
// The commands that move text between an edit window and the disk other than
// Load and Save: Rename and Delete act on the window's own file, Cut to and
// Copy to write the selection to a chosen file, Paste from inserts a chosen
// file's text at the caret.
#include <QString>

namespace verno {

class FrameServices;
class TFileWindow;
struct FileDialogRequest;
struct FileDialogResult;

class DiskCommands {
public:
    DiskCommands(TFileWindow &window, FrameServices &frame) : w_(window), frame_(frame) {}

    void Rename();
    // Asks, deletes the file and closes the window.
    void Delete();
    void CutTo() { writeSelectionTo(true); }
    void CopyTo() { writeSelectionTo(false); }
    void PasteFrom();

private:
    // The dialog, with the hint of the command's menu item shown while it is open.
    FileDialogResult askFile(FileDialogRequest request, const char *menuItem, bool save);
    void writeSelectionTo(bool cut);
    QString writeSelection(const QString &path);
    void insertFile(const QString &path);
    QString pasteFile(const QString &path);

    TFileWindow &w_;
    FrameServices &frame_;
};

} // namespace verno
