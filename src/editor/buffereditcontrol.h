#pragma once
#include "editor/qteditcontrol.h"

#include <QPointer>

namespace verno {

class EditView;
class LineNumberPane;

// The contract over the program's own text model and view. The model lives
// in the widget, so whichever of the two goes first, nothing dangles.
class BufferEditControl final : public QtEditControl {
public:
    explicit BufferEditControl(QWidget *parent);
    ~BufferEditControl() override;

    int LineCount() const override;
    std::string LineText(int n) const override;
    void SetLineText(int n, const std::string &s) override;
    int LineStart(int n) const override;
    int LineLength(int p) const override;
    int LineOf(int p) const override;
    int NextLineHolding(int line, const std::string &s, bool caseSensitive, bool backward) const override;
    int TextLength() const override;
    bool HasText() const override;
    std::string WholeText() const override;
    bool SetWholeText(const std::string &s) override;
    bool SetWholeText(std::string &&s) override;
    void ClearText() override;
    int SelectionStart() const override;
    int SelectionLength() const override;
    void SetCaret(int p) override;
    void SetSelectionLength(int n) override;
    void SelectAllText() override;
    std::string SelectedText(int max) const override;
    void ReplaceSelection(const std::string &s) override;
    void DeleteSelection() override;
    void CutSelection() override;
    void CopySelection() override;
    void PasteClipboard() override;
    bool UndoAvailable() const override;
    void UndoLast() override;
    bool RedoAvailable() const override;
    void RedoLast() override;
    void ForgetUndo() override;
    bool ModifiedFlag() const override;
    void SetModifiedFlag(bool on) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool on) override;
    bool WordWrap() const override;
    void SetWordWrap(bool on) override;
    bool Utf8() const override;
    void SetUtf8(bool on) override;
    int CharacterCount(int from, int to) const override;
    void SetOnKeyPress(KeyPressHandler handler) override;

    QWidget *widget() const override;
    QFont font() const override;
    void setFont(const QFont &font) override;
    int zoom() const override { return zoom_; }
    void setZoom(int steps) override;
    bool lineNumbers() const override { return pane_ != nullptr; }
    void setLineNumbers(bool on) override;
    void setLineNumberMenu(QMenu *menu) override;
    QColor textColor() const override;
    void setTextColor(const QColor &color) override;
    void setGrayed(bool grayed) override;
    bool grayed() const override;
    void setContextMenu(QMenu *menu) override;
    void setFocus() override;
    void setOverwriteQuery(std::function<bool()> query) override;
    bool LoadBytes(ByteBlock &&bytes) override;
    bool LoadPrepared(PreparedText &&text) override;
    std::vector<std::string_view> TextPieces(std::string &keep) const override;
    unsigned long long ChangeCount() const override;
    void SetOnTextChanged(std::function<void()> handler) override;
    void ReloadText(std::string_view bytes) override;

private:
    bool loaded(bool ok);

    QPointer<EditView> view_;
    bool ownsView_;
    QFont font_;
    int zoom_ = 0;
    QPointer<LineNumberPane> pane_;
    QPointer<QMenu> lineNumberMenu_;
};

} // namespace verno
