#pragma once
#include "commands/linecommands.h"
#include "editor/clipboardstash.h"
#include "window/diskcommands.h"
#include "window/diskguard.h"
#include "window/recoverykeeper.h"
#include "window/windowhost.h"
#include "editor/qteditcontrol.h"
#include "util/filebreaks.h"

#include <QMdiSubWindow>
#include <memory>

class QMenu;

namespace verno {


struct PrintRange;
struct FontChoice;

// Makes the edit control of each new window; the benchmark swaps in the
// reference control to compare. nullptr restores the program's own.
using EditControlFactory = std::unique_ptr<QtEditControl> (*)(QWidget *parent);
void setEditControlFactory(EditControlFactory factory);

// One edit window: one text, named after its file or "Untitled". It keeps the
// user's clipboard text aside while its commands use the clipboard.
class TFileWindow : public QMdiSubWindow, public ClipboardStash, public RecoverySource {
    Q_OBJECT
public:
    TFileWindow(WindowHost &frame, QWidget *parent = nullptr);
    ~TFileWindow() override;

    QString FileName;  // without directory; empty when untitled
    QString FileDir;   // with trailing separator; empty when untitled
    bool AutoIndent = false;
    int LeftMargin = 4;
    // The save dialog asks before overwriting as the last Save As left it.
    bool SaveConfirmsOverwrite = true;
    // The breaks of the file as read, written back while the frame keeps them.
    LineBreaks Breaks = LineBreaks::CrLf;

    QtEditControl &Memo() const { return *memo_; }
    // Hidden scratch text between the clipboard and the disk, made on first use.
    EditControl &TmpText();
    QMenu *MnuPopup() const { return popup_; }

    // Names.
    QString FullName() const;
    QString ShortName() const;
    QString CaptionText() const;
    QString TabText() const;
    QString WindowListText(int number) const;
    QString FilePath() const;

    void SetFileName(const QString &name);
    void UpdateCaption();
    void SetReadOnly(bool on);
    bool IsReadOnly() const;
    void Recolour(bool grayReadOnly);

    // Load and save; true on success.
    bool Load(const QString &name);
    bool Save();
    bool SaveAs();
    // A text kept from an earlier session, under its own name and modified.
    bool Restore(const RecoveryRecord &record, std::string &&text);
    // The file read again: unless the user chose the code, it is chosen
    // again as opening it would.
    void ChooseCodeAgain(std::string_view bytes);

    // Changes made by other programs to the file.
    DiskGuard &diskGuard() { return guard_; }
    // The text or its modified flag may have changed: the recovery copy follows.
    void textStateChanged() { frame_.recoveryKeeper().touched(*this); }
    const QtEditControl &recoveryText() const override { return *memo_; }
    RecoveryRecord recoveryRecord() const override;

    // The close question, by CloseMode.
    bool CloseQuery();

    // Commands handled by the window itself.
    void FileSaveClick() { FileName.isEmpty() ? SaveAs() : Save(); }
    void FileSaveAsClick() { SaveAs(); }
    void OptReadOnlyClick() { SetReadOnly(!IsReadOnly()); }
    void OptIndentClick() { AutoIndent = !AutoIndent; }
    void OptWordWrapClick();
    void OptLineNumClick() { memo_->setLineNumbers(!memo_->lineNumbers()); }
    // The line numbers' context menu.
    QMenu *MnuPopLine() const { return popLine_; }
    void PopLineTopClick();
    void PopLineBottomClick();
    void OptUtf8Click();
    void OptFontClick();
    // Zoom one step larger (1) or smaller (-1), or back to the font (0).
    void ZoomClick(int step) { memo_->setZoom(step ? memo_->zoom() + step : 0); }
    // The font last chosen in this window's own font dialog.
    void ApplyOwnFont();
    // Keeps the modified flag: wrapping changes no text.
    void SetWordWrap(bool on);
    void FilePageSetupClick();
    void FilePrintClick();
    void FilePrintBtnClick();
    void PrintText(const PrintRange &range);
    void WinCloseClick() { close(); }
    void EditUndoClick()
    {
        if (!IsReadOnly())
            memo_->UndoLast();
    }
    void EditRedoClick()
    {
        if (!IsReadOnly())
            memo_->RedoLast();
    }
    void EditCutClick() { lines().Cut(); }
    void EditCopyClick() { memo_->CopySelection(); }
    void EditPasteClick() { lines().Paste(); }
    void EditDeleteClick() { lines().Delete(); }
    void EditSelectAllClick() { memo_->SelectAllText(); }
    void DeleteLineClick() { lines().DeleteLine(); }
    void InsertLineClick() { lines().InsertLine(); }
    void MoveLineUpClick() { lines().MoveLineUp(); }
    void MoveLineDownClick() { lines().MoveLineDown(); }
    void RepeatLineClick() { lines().RepeatLine(); }
    void DelToWordClick() { lines().DelToWord(); }
    void MemoKeyPress(char &key);
    void FileRenameClick() { disk().Rename(); }
    void FileDeleteClick() { disk().Delete(); }
    void EditCutToClick() { disk().CutTo(); }
    void EditCopyToClick() { disk().CopyTo(); }
    void EditPasteFromClick() { disk().PasteFrom(); }

    // Search and text commands.
    void FindClick();
    void FindReplaceClick();
    void FindAgainClick();
    void FindLineClick();
    void FindBrLftClick();
    void FindBrRgtClick();
    void EditChangeCaseClick();
    void EditUpperCaseClick();
    void EditLowerCaseClick();
    void EditInitialCapsClick();
    void EditShiftRightClick();
    void EditShiftLeftClick();
    void EditTrimClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool utf8Choice(std::string_view bytes) const;
    void chooseUtf8(std::string_view bytes);
    void buildPopup();
    void buildLinePopup();
    LineCommands lines() { return {*memo_, *this}; }
    DiskCommands disk() { return {*this, frame_}; }
    void setOwnFont(const FontChoice &choice);

    WindowHost &frame_;
    std::unique_ptr<QtEditControl> memo_;
    DiskGuard guard_;
    std::unique_ptr<EditControl> tmpText_;
    QFont ownFont_;
    QColor ownColor_;
    QMenu *popup_ = nullptr;
    QMenu *popLine_ = nullptr;
    bool shownOnce_ = false;
    bool codeByUser_ = false; // Options > UTF-8 turned it over
};

} // namespace verno
