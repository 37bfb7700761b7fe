#pragma once
#include "editor/qteditcontrol.h"

#include <QMetaObject>
#include <QPointer>
#include <vector>

class QTextBlock;
class QTextDocument;
class QPlainTextDocumentLayout;

namespace verno {

class MemoView;

// The contract over QPlainTextEdit. Qt counts one position per line break where
// the contract counts two, so positions are translated: contract = Qt position +
// block number. With word wrap on, display lines come from the block layouts;
// line numbers are kept exact by laying out blocks up to the one asked about
// (once per width), so queries stay logarithmic afterwards. It reads every
// text one byte a character: it stays single-byte when asked for UTF-8.
class PlainTextEditControl final : public QtEditControl {
public:
    explicit PlainTextEditControl(QWidget *parent);
    ~PlainTextEditControl() override;

    int LineCount() const override;
    std::string LineText(int n) const override;
    void SetLineText(int n, const std::string &s) override;
    int LineStart(int n) const override;
    int LineLength(int p) const override;
    int LineOf(int p) const override;
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
    QColor textColor() const override;
    void setTextColor(const QColor &color) override;
    void setGrayed(bool grayed) override;
    bool grayed() const override;
    void setContextMenu(QMenu *menu) override;
    void setFocus() override;
    unsigned long long ChangeCount() const override { return changes_; }
    void SetOnTextChanged(std::function<void()> handler) override { onTextChanged_ = std::move(handler); }
    void ReloadText(std::string_view bytes) override;

private:
    struct Line {       // one line as the contract counts it
        int qtStart;    // Qt position of its first character
        int length;     // characters, break excluded
        int number;     // line number
        int block;      // block number
    };

    QTextDocument *doc() const;
    int toContract(int qtPos) const;
    int toQt(int pos) const;
    int contractStart(const QTextBlock &block) const;
    int caretQt() const;
    Line lineAtQt(int qtPos) const;
    Line lineByNumber(int n) const; // n valid
    int displayLineTotal() const;   // including an empty last line
    bool lineExists(int n) const;
    bool setDisplayText(QString text);
    void setQtSelection(int anchor, int position, bool scroll);
    void replaceRange(int from, int to, const std::string &s, bool caretAfter);

    // Word-wrap bookkeeping.
    void ensureLaidOutThrough(int blockNumber) const;
    void ensureLaidOutForLine(int lineNumber) const;
    void layoutBlock(const QTextBlock &block) const;
    void refreshLayoutEpoch() const;
    void onContentsChange(int from, int removed, int added);

    class QuietViewport;

    QPointer<MemoView> view_;
    bool ownsView_;
    bool grayed_ = false;
    mutable int laidOut_ = 0;        // blocks [0, laidOut_) have exact line counts
    mutable qreal layoutWidth_ = -1; // width those counts were made for
    mutable QFont layoutFont_;
    mutable std::vector<std::pair<int, int>> dirty_; // block ranges to lay out again
    int lastBlockCount_ = 1;
    QMetaObject::Connection contentsConnection_;
    unsigned long long changes_ = 0;
    std::function<void()> onTextChanged_;
};

} // namespace verno
