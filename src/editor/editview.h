#pragma once
// The widget that shows and edits a TextModel: paints only the display lines
// in view, scrolls by display lines, and turns keys, mouse, drops and input
// methods into edits. Everything a user does goes through here; the edit
// control adapter reaches the same operations.
#include "editor/editcontrol.h"
#include "util/textmodel.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QClipboard>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>

class QDrag;

namespace verno {

class ByteFont;

class EditView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit EditView(QWidget *parent = nullptr);
    ~EditView() override;

    TextModel &model() { return model_; }
    const TextModel &model() const { return model_; }

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // Reads the bytes as UTF-8, or one byte a character; no byte changes.
    bool utf8() const { return model_.utf8(); }
    void setUtf8(bool on);
    bool grayed() const { return grayed_; }
    void setGrayed(bool on);
    QColor textColor() const;
    void setTextColor(const QColor &color);
    void setContextMenu(QMenu *menu) { contextMenu_ = menu; }
    // Whether typing overwrites (drawn as a block caret); asked when painting.
    void setOverwriteQuery(std::function<bool()> query) { overwrite_ = std::move(query); }
    EditControl::KeyPressHandler onKeyPress;
    std::function<void()> onTextChanged; // after every change of the text

    // Selects [anchor, caret); scroll brings the caret into view.
    void setSelection(int anchor, int caret, bool scroll);
    void ensureCaretVisible();
    void copySelection(QClipboard::Mode mode = QClipboard::Clipboard) const;
    void cutSelection();
    void deleteSelection();
    // Inserts the clipboard's text (or the primary selection's) for the selection.
    void paste(QClipboard::Mode mode = QClipboard::Clipboard);
    void undo();
    void redo();

    // Runs a drag to its end and answers what the drop did, in place of
    // Qt's own drag (tests drop with it); empty: Qt's again.
    using DragRunner =
        std::function<Qt::DropAction(QDrag &drag, Qt::DropActions actions, Qt::DropAction proposed)>;
    static void setDragRunner(DragRunner runner);

    // Geometry shared with accessibility and input methods.
    QRect caretRect() const;
    // The UTF-16 offset of pos in the text of its line, and back.
    int lineOffsetOf(int pos) const;
    int positionOfLineOffset(int line, int offset) const;
    QRect characterRect(int pos) const;
    int positionAt(const QPoint &viewportPoint) const;
    int lineAt(const QPoint &viewportPoint) const;
    // The character under the point (positionAt gives the nearest gap).
    int characterAt(const QPoint &viewportPoint) const;
    const ByteFont &byteFont() const { return *font_; }
    // Top of display line n in the viewport.
    int lineY(int n) const;
    // Room left of the text for a pane beside it.
    void setLeftMargin(int width) { setViewportMargins(width, 0, 0, 0); }

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dragLeaveEvent(QDragLeaveEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    enum class Unit { Character, Word, Line };

    // Painting and geometry (editview.cpp).
    void fontChanged();
    void textChanged(const TextChange &change);
    void updateWrapWidth();
    void relayout(const std::function<void()> &change);
    void updateScrollRanges();
    void scheduleUpdates();
    int linesPerPage() const;
    int caretLine() const;
    bool endsInWrap(int n) const;
    double caretX() const;
    double cellWidth(int pos, int n, double x) const;
    void paintLine(QPainter &p, int n, int y, int selStart, int selEnd);
    void paintCaret(QPainter &p);
    void restartBlink();
    void runDeferred();

    // Input (editviewinput.cpp).
    static bool isTyping(const QKeyEvent *e);
    bool navigate(QKeyEvent *e);
    bool editKey(QKeyEvent *e);
    int moveTarget(int key, bool ctrl);
    void typeByte(char c);
    void typeCharacter(std::string bytes);
    void typeText(const QString &text);
    void backspace(bool word);
    void deleteForward(bool word);
    void insertBytes(const std::string &bytes);
    void moveCaret(int pos, bool extend);
    std::pair<int, int> unitAround(int pos, Unit unit) const;
    void extendByUnit(int pos);
    void startDrag();
    void autoScroll();
    bool acceptsDrop(const QDropEvent *e) const;
    static Qt::DropAction dropActionFor(const QDropEvent *e);

    TextModel model_;
    std::shared_ptr<const ByteFont> font_;
    bool readOnly_ = false;
    bool wordWrap_ = false;
    bool grayed_ = false;
    QPointer<QMenu> contextMenu_;
    std::function<bool()> overwrite_;

    double goalX_ = -1;     // kept by Up/Down, PgUp/PgDn
    int targetLine_ = -1;   // the display line a vertical move went to
    bool caretAtEnd_ = false; // a caret at a wrap point shows at the end of the line above
    bool caretShown_ = false;
    QBasicTimer blink_;
    QBasicTimer autoScroll_;
    QBasicTimer deferred_;   // scroll ranges and the primary selection, once per burst of edits
    bool rangesDirty_ = true;
    bool primaryDirty_ = false;
    bool scrollPending_ = false;
    bool caretMoved_ = false;
    bool repaintPending_ = false;
    double widest_ = 0;     // widest line known, for the horizontal scroll range

    // Mouse state.
    Unit selectUnit_ = Unit::Character;
    int unitAnchorStart_ = 0;
    int unitAnchorEnd_ = 0;
    bool selecting_ = false;
    bool dragPending_ = false;
    QPoint pressPoint_;
    ulong doubleClickTime_ = 0;
    QPoint lastMousePoint_;
    int dropPos_ = -1;
    bool movedWithin_ = false; // the drag from here was dropped here
    QString preedit_;
};

} // namespace verno
