#pragma once
#include "editor/qteditcontrol.h"

#include <QMdiSubWindow>
#include <memory>

class QMenu;

namespace verno {

class FrameServices;

// One edit window: one text, named after its file or "Untitled".
class TFileWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    TFileWindow(FrameServices &frame, QWidget *parent = nullptr);
    ~TFileWindow() override;

    QString FileName;  // without directory; empty when untitled
    QString FileDir;   // with trailing separator; empty when untitled
    bool AutoIndent = false;
    int LeftMargin = 4;

    QtEditControl &Memo() const { return *memo_; }
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

    // The close question, by CloseMode.
    bool CloseQuery();

    // The user's clipboard text set aside while a command uses the clipboard.
    void SetClipboardAside();
    void PutClipboardBack();

    // Commands handled by the window itself.
    void FileSaveClick() { FileName.isEmpty() ? SaveAs() : Save(); }
    void FileSaveAsClick() { SaveAs(); }
    void OptReadOnlyClick() { SetReadOnly(!IsReadOnly()); }
    void OptIndentClick() { AutoIndent = !AutoIndent; }
    void OptWordWrapClick();
    void OptFontClick();
    // The font last chosen in this window's own font dialog.
    void ApplyOwnFont() { memo_->setFont(ownFont_); }
    void WinCloseClick() { close(); }
    void EditUndoClick()
    {
        if (!IsReadOnly())
            memo_->UndoLast();
    }
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();
    void EditDeleteClick();
    void EditSelectAllClick() { memo_->SelectAllText(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildPopup();

    FrameServices &frame_;
    std::unique_ptr<QtEditControl> memo_;
    QString setAsideText_;
    QFont ownFont_;
    QMenu *popup_ = nullptr;
    bool shownOnce_ = false;
};

// Runs the set-aside and the put-back around a command, also when it fails.
class ClipboardSetAside {
public:
    explicit ClipboardSetAside(TFileWindow &w) : w_(w) { w_.SetClipboardAside(); }
    ~ClipboardSetAside() { w_.PutClipboardBack(); }
    ClipboardSetAside(const ClipboardSetAside &) = delete;
    ClipboardSetAside &operator=(const ClipboardSetAside &) = delete;

private:
    TFileWindow &w_;
};

} // namespace verno
