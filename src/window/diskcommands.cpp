#include "window/diskcommands.h"
#include "editor/busystatus.h"
#include "editor/fileio.h"
#include "editor/filesave.h"
#include "window/filewindow.h"
#include "editor/frameservices.h"
#include "platform/filerename.h"
#include "platform/help.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFile>
#include <new>

namespace verno {

namespace {

QString absoluteName(const QString &name) { return QDir::cleanPath(QDir::current().absoluteFilePath(name)); }

// The directory part with its trailing separator.
QString directoryOf(const QString &path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }

void plainMessage(const QString &text) { prompter().message(MessageKind::Plain, QString(), text, BtnOk); }

// The message panel is cleared again when the command ends, whichever way.
class ClearStatusAtEnd {
public:
    explicit ClearStatusAtEnd(FrameServices &frame) : frame_(frame) {}
    ~ClearStatusAtEnd() { frame_.setStatusMessage(QString()); }
    ClearStatusAtEnd(const ClearStatusAtEnd &) = delete;
    ClearStatusAtEnd &operator=(const ClearStatusAtEnd &) = delete;

private:
    FrameServices &frame_;
};

} // namespace

FileDialogResult DiskCommands::askFile(FileDialogRequest request, const char *menuItem, bool save)
{
    frame_.setStatusMessage(frame_.menuHint(QString::fromLatin1(menuItem)));
    // F1 tells about the file commands; there is no Help button.
    request.helpContext = HelpUsage;
    request.helpSection = QLatin1String(HelpSectionSaving);
    const FileDialogResult chosen = save ? prompter().saveFile(request) : prompter().openFile(request);
    frame_.setStatusMessage(QString());
    if (chosen.accepted)
        frame_.setFilterIndex(chosen.filterIndex);
    return chosen;
}

// --- the window's own file ------------------------------------------------------------

void DiskCommands::Rename()
{
    if (w_.FileName.isEmpty())
        return;
    ClearStatusAtEnd clear(frame_);
    FileDialogRequest request;
    request.title = QStringLiteral("Rename");
    request.fileName = w_.FileName;
    request.directory = w_.FileDir;
    request.filterIndex = frame_.filterIndex();
    const FileDialogResult chosen = askFile(request, "MnuFileRename", true);
    if (!chosen.accepted)
        return;
    const QString target = absoluteName(chosen.fileName);
    if (directoryOf(target) != w_.FileDir) {
        plainMessage(QStringLiteral("Must remain in same directory"));
        return;
    }
    const QString old = w_.FilePath();
    if (!renameNoReplace(old, target)) {
        plainMessage(QStringLiteral("Unable to rename file"));
        return;
    }
    frame_.removeFileHistory(old);
    frame_.addFileHistory(target);
    w_.SetFileName(target);
}

void DiskCommands::Delete()
{
    if (w_.FileName.isEmpty())
        return;
    QString question = QStringLiteral("OK to delete ") + w_.FileName;
    if (frame_.pathInCaption())
        question += QStringLiteral("\r\nfrom ") + w_.FileDir;
    if (confirmBox(question, BtnOk | BtnCancel) != Answer::Ok)
        return;
    const QString path = w_.FilePath();
    QFile::remove(path); // a failure is not reported: the window closes all the same
    w_.Memo().SetModifiedFlag(false);
    w_.close();
    frame_.removeFileHistory(path);
}

// --- selection to a file ----------------------------------------------------------------

void DiskCommands::writeSelectionTo(bool cut)
{
    EditControl &memo = w_.Memo();
    // With nothing selected the scratch copy would take the clipboard's own text.
    if ((cut && memo.ReadOnly()) || memo.SelectionLength() == 0)
        return;
    ClearStatusAtEnd clear(frame_);
    FileDialogRequest request;
    request.title = cut ? QStringLiteral("Cut to") : QStringLiteral("Copy to");
    request.directory = w_.FileDir.isEmpty() ? QDir::currentPath() : w_.FileDir;
    request.filter = frame_.fileFilter();
    request.filterIndex = frame_.filterIndex();
    request.confirmOverwrite = w_.SaveConfirmsOverwrite;
    const FileDialogResult chosen = askFile(request, cut ? "MnuEditCutTo" : "MnuEditCopyTo", true);
    if (!chosen.accepted)
        return;
    const QString target = absoluteName(chosen.fileName);
    const QString error = writeSelection(target);
    if (!error.isEmpty()) {
        reportError(error);
        return;
    }
    if (cut)
        memo.DeleteSelection();
    frame_.addFileHistory(target);
}

// The error text, empty when the file was written.
QString DiskCommands::writeSelection(const QString &path)
{
    BusyStatus busy(frame_, QStringLiteral("Saving..."));
    ClipboardSetAside aside(w_);
    EditControl &tmp = w_.TmpText();
    w_.Memo().CopySelection();
    tmp.ClearText();
    tmp.PasteClipboard();
    QString error;
    saveWholeFile(path, tmp.WholeText(), false, error);
    tmp.ClearText();
    return error;
}

// --- a file into the text -------------------------------------------------------------------

void DiskCommands::PasteFrom()
{
    if (w_.IsReadOnly())
        return;
    ClearStatusAtEnd clear(frame_);
    FileDialogRequest request;
    request.title = QStringLiteral("Paste from");
    request.directory = QDir::currentPath();
    request.filter = frame_.fileFilter();
    request.filterIndex = frame_.filterIndex();
    request.mustExist = true;
    const FileDialogResult chosen = askFile(request, "MnuEditPasteFrom", false);
    if (chosen.accepted)
        insertFile(absoluteName(chosen.fileName));
}

void DiskCommands::insertFile(const QString &path)
{
    QString error;
    bool outOfResources = false;
    {
        BusyStatus busy(frame_, QStringLiteral("Reading.."));
        ClipboardSetAside aside(w_);
        try {
            error = pasteFile(path);
        } catch (const std::bad_alloc &) {
            w_.TmpText().ClearText();
            outOfResources = true;
        }
    }
    if (outOfResources)
        errorBox(QStringLiteral("Unable to load %1\r%2").arg(path, QStringLiteral("Out of system resources")));
    else if (!error.isEmpty())
        reportError(error);
}

// The file's text goes in through the clipboard, so the paste can be undone.
QString DiskCommands::pasteFile(const QString &path)
{
    const QString tooLarge = QStringLiteral("Text exceeds memo capacity");
    if (tooLargeForText(path))
        return tooLarge;
    // A pipe or a device could block for ever or never end.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return QStringLiteral("Cannot open file %1: not a regular file").arg(path);
    std::string bytes;
    QString error;
    if (!readWholeFile(path, bytes, error))
        return error;
    // An empty file inserts nothing; the clipboard's own text must not go in.
    if (bytes.empty())
        return {};
    EditControl &tmp = w_.TmpText();
    if (!tmp.SetWholeText(std::move(bytes)))
        return tooLarge;
    tmp.SelectAllText();
    tmp.CutSelection();
    w_.Memo().PasteClipboard();
    return {};
}

} // namespace verno
