#include "editor/plaintexteditcontrol.h"
#include "editor/framekeys.h"
#include "editor/textconvert.h"
#include "editor/textmimedata.h"
#include "util/bytechars.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <limits>

namespace verno {

// The Qt widget behind the control: keeps every character that goes in to the
// single-byte set and gives typed characters to the key-press hook first.
class MemoView : public QPlainTextEdit {
public:
    explicit MemoView(QWidget *parent) : QPlainTextEdit(parent) {}

    EditControl::KeyPressHandler onKeyPress;

protected:
    bool event(QEvent *e) override
    {
        // The frame's menu keys go to the menu, not to the widget's own defaults.
        if (e->type() == QEvent::ShortcutOverride && isFrameKey(static_cast<QKeyEvent *>(e))) {
            e->ignore();
            return true;
        }
        return QPlainTextEdit::event(e);
    }

    void keyPressEvent(QKeyEvent *e) override
    {
        if (isFrameKey(e)) {
            e->accept(); // its menu item is disabled: the key does nothing
            return;
        }
        if (isReadOnly() || (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
            QPlainTextEdit::keyPressEvent(e);
            return;
        }
        int key = 0;
        switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: key = '\r'; break;
        case Qt::Key_Tab: key = '\t'; break;
        case Qt::Key_Backspace: key = '\b'; break;
        default: break;
        }
        if (key != 0) {
            if (e->modifiers() & Qt::AltModifier) {
                QPlainTextEdit::keyPressEvent(e);
                return;
            }
            char c = char(key);
            if (onKeyPress)
                onKeyPress(c);
            passKey(e, c);
            return;
        }
        const QString text = e->text();
        if (!isTypedText(text)) {
            QPlainTextEdit::keyPressEvent(e);
            return;
        }
        const std::string bytes = incomingBytes(text);
        for (char b : bytes) {
            char c = b;
            if (onKeyPress)
                onKeyPress(c);
            passKey(e, c);
        }
    }

    void inputMethodEvent(QInputMethodEvent *e) override
    {
        if (!e->commitString().isEmpty()) {
            QInputMethodEvent filtered(e->preeditString(), e->attributes());
            filtered.setCommitString(filterIncoming(e->commitString()), e->replacementStart(),
                                     e->replacementLength());
            QPlainTextEdit::inputMethodEvent(&filtered);
            return;
        }
        QPlainTextEdit::inputMethodEvent(e);
    }

    // Files dragged here are for the frame to open, not text to insert.
    static bool carriesFiles(const QMimeData *data)
    {
        if (!data->hasUrls())
            return false;
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                return true;
        return false;
    }
    void dragEnterEvent(QDragEnterEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QPlainTextEdit::dragEnterEvent(e);
    }
    void dragMoveEvent(QDragMoveEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QPlainTextEdit::dragMoveEvent(e);
    }
    void dropEvent(QDropEvent *e) override
    {
        if (carriesFiles(e->mimeData()))
            e->ignore();
        else
            QPlainTextEdit::dropEvent(e);
    }

    bool canInsertFromMimeData(const QMimeData *source) const override
    {
        return source->hasText() && !carriesFiles(source);
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        const std::string bytes = incomingBytes(*source);
        if (bytes.empty())
            return;
        textCursor().insertText(bytesToDisplay(bytes));
        ensureCursorVisible();
    }

    QMimeData *createMimeDataFromSelection() const override
    {
        return textMimeData(displayToBytes(textCursor().selectedText()));
    }

private:
    // Sends one (possibly changed) character on as if it had been typed.
    void passKey(QKeyEvent *original, char c)
    {
        if (c == 0)
            return;
        const auto b = static_cast<unsigned char>(c);
        int key = 0;
        QString text;
        if (b == '\r') {
            key = Qt::Key_Return;
            text = QStringLiteral("\r");
        } else if (b == '\t') {
            key = Qt::Key_Tab;
            text = QStringLiteral("\t");
        } else if (b == '\b') {
            key = Qt::Key_Backspace;
            text = QStringLiteral("\b");
        } else if (b == '\n') {
            key = Qt::Key_Return;
            text = QStringLiteral("\r");
        } else {
            const bool special = original->key() == Qt::Key_Return || original->key() == Qt::Key_Enter
                                 || original->key() == Qt::Key_Tab || original->key() == Qt::Key_Backspace;
            key = original->key() && !special ? original->key() : Qt::Key_unknown;
            text = QString(QChar(ByteToChar(b)));
        }
        // A changed key acts as the character it became, never as the key
        // pressed; a break is always CR LF (Shift would make it a separator).
        Qt::KeyboardModifiers mods = original->modifiers() & ~Qt::KeypadModifier;
        if (key == Qt::Key_Return || key == Qt::Key_Tab || key == Qt::Key_Backspace)
            mods &= ~Qt::ShiftModifier;
        QKeyEvent event(original->type(), key, mods, text, original->isAutoRepeat());
        QPlainTextEdit::keyPressEvent(&event);
    }
};

namespace {
constexpr qsizetype kMaxText = std::numeric_limits<int>::max() / 4;
// Blocks one query may lay out for line counting (about 30 ms).
constexpr int kLayoutBudget = 2000;
}

PlainTextEditControl::PlainTextEditControl(QWidget *parent)
    : view_(new MemoView(parent)), ownsView_(parent == nullptr)
{
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Scroll bars always shown: the viewport keeps its width when text
    // arrives, so a large text is not laid out again for a new width.
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->setTabChangesFocus(false);
    view_->setUndoRedoEnabled(true);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    contentsConnection_ = QObject::connect(view_->document(), &QTextDocument::contentsChange, view_,
                     [this](int from, int removed, int added) { onContentsChange(from, removed, added); });
}

PlainTextEditControl::~PlainTextEditControl()
{
    // The widget may outlive this object while its parent is destroyed.
    QObject::disconnect(contentsConnection_);
    if (ownsView_ && view_)
        delete view_.data();
}

QTextDocument *PlainTextEditControl::doc() const { return view_->document(); }

int PlainTextEditControl::toContract(int qtPos) const
{
    return qtPos + doc()->findBlock(qtPos).blockNumber();
}

int PlainTextEditControl::contractStart(const QTextBlock &block) const
{
    return block.position() + block.blockNumber();
}

int PlainTextEditControl::toQt(int pos) const
{
    if (pos <= 0)
        return 0;
    // The last block whose contract start is at or before pos.
    int lo = 0;
    int hi = doc()->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc()->findBlockByNumber(mid).position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc()->findBlockByNumber(lo);
    return b.position() + std::min(pos - (b.position() + lo), b.length() - 1);
}

int PlainTextEditControl::caretQt() const { return view_->textCursor().position(); }

// --- word-wrap bookkeeping ---------------------------------------------------

void PlainTextEditControl::refreshLayoutEpoch() const
{
    const qreal width = view_->viewport()->width();
    const QFont font = doc()->defaultFont();
    if (width != layoutWidth_ || font != layoutFont_) {
        laidOut_ = 0;
        dirty_.clear();
        layoutWidth_ = width;
        layoutFont_ = font;
    }
}

void PlainTextEditControl::layoutBlock(const QTextBlock &block) const
{
    if (block.layout()->lineCount() > 0)
        return;
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(doc()->documentLayout());
    if (layout)
        layout->ensureBlockLayout(block);
}

void PlainTextEditControl::ensureLaidOutThrough(int blockNumber) const
{
    refreshLayoutEpoch();
    if (!dirty_.empty()) {
        for (auto [first, last] : dirty_) {
            if (first >= laidOut_)
                continue;
            QTextBlock b = doc()->findBlockByNumber(first);
            for (int i = first; i <= last && i < laidOut_ && b.isValid(); ++i, b = b.next())
                layoutBlock(b);
        }
        dirty_.clear();
    }
    if (blockNumber < laidOut_)
        return;
    // A bounded amount of layout per query keeps every query short; further
    // down, blocks not yet laid out count as one line until a later query
    // reaches them.
    const int limit = laidOut_ + kLayoutBudget;
    QTextBlock b = doc()->findBlockByNumber(laidOut_);
    for (; b.isValid() && laidOut_ <= blockNumber && laidOut_ < limit; b = b.next(), ++laidOut_) {
        const bool hadLayout = b.layout()->lineCount() > 0;
        layoutBlock(b);
        // Keep only the line count of blocks laid out just for counting.
        if (!hadLayout && b.layout()->lineCount() > 0 && laidOut_ < blockNumber)
            b.layout()->clearLayout();
    }
}

void PlainTextEditControl::ensureLaidOutForLine(int lineNumber) const
{
    ensureLaidOutThrough(0);
    const int limit = laidOut_ + kLayoutBudget;
    QTextBlock last = doc()->findBlockByNumber(laidOut_ - 1);
    while (laidOut_ < doc()->blockCount() && laidOut_ < limit
           && last.firstLineNumber() + last.lineCount() <= lineNumber) {
        ensureLaidOutThrough(laidOut_);
        last = doc()->findBlockByNumber(laidOut_ - 1);
    }
}

void PlainTextEditControl::onContentsChange(int from, int /*removed*/, int added)
{
    const int count = doc()->blockCount();
    const int delta = count - lastBlockCount_;
    lastBlockCount_ = count;
    const int first = doc()->findBlock(from).blockNumber();
    const int last = doc()->findBlock(from + added).blockNumber();
    if (laidOut_ > first)
        laidOut_ = std::max(first, laidOut_ + delta);
    dirty_.emplace_back(first, std::max(first, last));
    ++changes_;
    if (onTextChanged_)
        onTextChanged_();
}

void PlainTextEditControl::ReloadText(std::string_view bytes)
{
    // Not undoable here: only the caret's line is kept.
    const int line = LineOf(SelectionStart());
    SetWholeText(std::string(bytes));
    const int start = LineStart(std::clamp(line, 0, std::max(0, LineCount() - 1)));
    SetCaret(std::max(0, start));
}

// --- lines -------------------------------------------------------------------

PlainTextEditControl::Line PlainTextEditControl::lineAtQt(int qtPos) const
{
    const QTextBlock b = doc()->findBlock(qtPos);
    const int bn = b.blockNumber();
    if (!WordWrap())
        return {b.position(), b.length() - 1, bn, bn};
    ensureLaidOutThrough(bn);
    layoutBlock(b);
    QTextLayout *layout = b.layout();
    QTextLine tl = layout->lineForTextPosition(qtPos - b.position());
    if (!tl.isValid())
        tl = layout->lineAt(layout->lineCount() - 1);
    if (!tl.isValid())
        return {b.position(), b.length() - 1, b.firstLineNumber(), bn};
    return {b.position() + tl.textStart(), tl.textLength(), b.firstLineNumber() + tl.lineNumber(), bn};
}

PlainTextEditControl::Line PlainTextEditControl::lineByNumber(int n) const
{
    if (!WordWrap()) {
        const QTextBlock b = doc()->findBlockByNumber(n);
        return {b.position(), b.length() - 1, n, n};
    }
    ensureLaidOutForLine(n);
    const QTextBlock b = doc()->findBlockByLineNumber(n);
    layoutBlock(b);
    const QTextLine tl = b.layout()->lineAt(n - b.firstLineNumber());
    if (!tl.isValid())
        return {b.position(), b.length() - 1, n, b.blockNumber()};
    return {b.position() + tl.textStart(), tl.textLength(), n, b.blockNumber()};
}

int PlainTextEditControl::displayLineTotal() const
{
    if (!WordWrap())
        return doc()->blockCount();
    ensureLaidOutThrough(doc()->blockCount() - 1);
    const QTextBlock last = doc()->lastBlock();
    return last.firstLineNumber() + std::max(1, last.lineCount());
}

bool PlainTextEditControl::lineExists(int n) const
{
    if (n < 0)
        return false;
    if (!WordWrap())
        return n < doc()->blockCount();
    // Blocks not laid out yet count one line, so the running total is a lower
    // bound: below it the line surely exists, without laying anything out.
    const QTextBlock last = doc()->lastBlock();
    if (n < last.firstLineNumber() + std::max(1, last.lineCount()))
        return true;
    return n < displayLineTotal();
}

int PlainTextEditControl::LineCount() const
{
    if (!HasText())
        return 0;
    const int total = displayLineTotal();
    return doc()->lastBlock().length() <= 1 ? total - 1 : total;
}

std::string PlainTextEditControl::LineText(int n) const
{
    if (!lineExists(n))
        return {};
    if (!WordWrap()) { // the whole block: one lookup, as a search reads every line
        const QString text = doc()->findBlockByNumber(n).text();
        return displayToBytes(text.constData(), text.size());
    }
    const Line line = lineByNumber(n);
    const QTextBlock b = doc()->findBlockByNumber(line.block);
    const QString text = b.text().mid(line.qtStart - b.position(), line.length);
    return displayToBytes(text);
}

void PlainTextEditControl::SetLineText(int n, const std::string &s)
{
    if (!lineExists(n))
        return;
    const Line line = lineByNumber(n);
    // The caret stays where it was: moving it would make the widget lay out
    // the line at once, which costs more than the change itself.
    replaceRange(line.qtStart, line.qtStart + line.length, s, false);
}

int PlainTextEditControl::LineStart(int n) const
{
    if (n == -1)
        return toContract(lineAtQt(caretQt()).qtStart);
    if (!lineExists(n))
        return -1;
    return toContract(lineByNumber(n).qtStart);
}

int PlainTextEditControl::LineLength(int p) const
{
    if (p != -1)
        return lineAtQt(toQt(p)).length;
    const QTextCursor c = view_->textCursor();
    if (!c.hasSelection())
        return lineAtQt(c.position()).length;
    const Line first = lineAtQt(c.selectionStart());
    const Line last = lineAtQt(c.selectionEnd());
    return (c.selectionStart() - first.qtStart) + (last.qtStart + last.length - c.selectionEnd());
}

int PlainTextEditControl::LineOf(int p) const
{
    return lineAtQt(toQt(p < 0 ? SelectionStart() : p)).number;
}

// --- whole text ----------------------------------------------------------------

int PlainTextEditControl::TextLength() const
{
    return doc()->characterCount() - 1 + doc()->blockCount() - 1;
}

bool PlainTextEditControl::HasText() const { return doc()->characterCount() > 1; }

std::string PlainTextEditControl::WholeText() const { return displayToBytes(doc()->toRawText()); }

bool PlainTextEditControl::SetWholeText(const std::string &s)
{
    if (qsizetype(s.size()) > kMaxText)
        return false;
    return setDisplayText(bytesToDisplay(s));
}

bool PlainTextEditControl::SetWholeText(std::string &&s)
{
    if (qsizetype(s.size()) > kMaxText)
        return false;
    QString text = bytesToDisplay(s);
    std::string().swap(s);
    return setDisplayText(std::move(text));
}

bool PlainTextEditControl::setDisplayText(QString text)
{
    // Straight into the document: the widget's own setPlainText does more
    // bookkeeping per call than a large text can afford.
    view_->clear();
    doc()->setUndoRedoEnabled(false);
    {
        QTextCursor cursor(doc());
        cursor.insertText(text);
    }
    doc()->setUndoRedoEnabled(true);
    text = QString();
    laidOut_ = 0;
    dirty_.clear();
    lastBlockCount_ = doc()->blockCount();
    setQtSelection(0, 0, false);
    doc()->clearUndoRedoStacks();
    doc()->setModified(false);
    return true;
}

void PlainTextEditControl::ClearText()
{
    view_->clear();
    doc()->clearUndoRedoStacks();
    doc()->setModified(false);
}

// --- selection -------------------------------------------------------------------

int PlainTextEditControl::SelectionStart() const
{
    return toContract(view_->textCursor().selectionStart());
}

int PlainTextEditControl::SelectionLength() const
{
    const QTextCursor c = view_->textCursor();
    if (!c.hasSelection())
        return 0;
    return toContract(c.selectionEnd()) - toContract(c.selectionStart());
}

// Moving the widget's caret scrolls it at once, copying the window's pixels
// each time. With the viewport's updates off no pixels move; one repaint
// follows at the next idle moment, so a loop of moves costs one paint.
class PlainTextEditControl::QuietViewport {
public:
    explicit QuietViewport(QWidget *viewport) : viewport_(viewport), was_(viewport->updatesEnabled())
    {
        viewport_->setUpdatesEnabled(false);
    }
    ~QuietViewport() { viewport_->setUpdatesEnabled(was_); }
    QuietViewport(const QuietViewport &) = delete;
    QuietViewport &operator=(const QuietViewport &) = delete;

private:
    QWidget *viewport_;
    bool was_;
};

void PlainTextEditControl::setQtSelection(int anchor, int position, bool scroll)
{
    QTextCursor c = view_->textCursor();
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    QuietViewport quiet(view_->viewport());
    if (scroll) {
        view_->setTextCursor(c);
        view_->ensureCursorVisible();
        return;
    }
    QScrollBar *h = view_->horizontalScrollBar();
    QScrollBar *v = view_->verticalScrollBar();
    const int hv = h->value();
    const int vv = v->value();
    view_->setTextCursor(c);
    h->setValue(hv);
    v->setValue(vv);
}

void PlainTextEditControl::SetCaret(int p)
{
    const int q = p == -1 ? view_->textCursor().selectionEnd() : toQt(std::min(p, TextLength()));
    setQtSelection(q, q, false);
}

void PlainTextEditControl::SetSelectionLength(int n)
{
    const int start = SelectionStart();
    const int length = TextLength();
    const int end = (n < 0 || n > length - start) ? length : start + n;
    setQtSelection(toQt(start), toQt(end), true);
}

void PlainTextEditControl::SelectAllText()
{
    setQtSelection(0, doc()->characterCount() - 1, false);
}

std::string PlainTextEditControl::SelectedText(int max) const
{
    if (max <= 1)
        return {};
    const QTextCursor c = view_->textCursor();
    if (!c.hasSelection())
        return {};
    // Enough characters for max - 1 bytes even when every one is a break.
    const QString text = c.selectedText().left(max);
    std::string bytes = displayToBytes(text);
    if (bytes.size() > size_t(max - 1))
        bytes.resize(size_t(max - 1));
    return bytes;
}

// --- changes ---------------------------------------------------------------------

void PlainTextEditControl::replaceRange(int from, int to, const std::string &s, bool caretAfter)
{
    // Not undoable: the document drops its undo history with it, so no older
    // step can apply to text that moved underneath.
    QTextCursor c = view_->textCursor();
    doc()->setUndoRedoEnabled(false);
    // In one edit block the cursor does not lay out the old line just to
    // place itself; the changed line is laid out once, at the end.
    c.beginEditBlock();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.insertText(bytesToDisplay(s));
    c.endEditBlock();
    doc()->setUndoRedoEnabled(true);
    doc()->setModified(true);
    if (!caretAfter)
        return;
    QuietViewport quiet(view_->viewport());
    view_->setTextCursor(c);
}

void PlainTextEditControl::ReplaceSelection(const std::string &s)
{
    const QTextCursor c = view_->textCursor();
    replaceRange(c.selectionStart(), c.selectionEnd(), s, true);
}

void PlainTextEditControl::DeleteSelection()
{
    QTextCursor c = view_->textCursor();
    if (!c.hasSelection())
        return;
    c.removeSelectedText();
    view_->setTextCursor(c);
}

void PlainTextEditControl::CopySelection()
{
    const QTextCursor c = view_->textCursor();
    if (!c.hasSelection())
        return;
    QGuiApplication::clipboard()->setMimeData(textMimeData(displayToBytes(c.selectedText())));
}

void PlainTextEditControl::CutSelection()
{
    if (!view_->textCursor().hasSelection())
        return;
    CopySelection();
    DeleteSelection();
}

void PlainTextEditControl::PasteClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const std::string bytes = data ? incomingBytes(*data) : std::string();
    if (bytes.empty())
        return;
    QTextCursor c = view_->textCursor();
    c.insertText(bytesToDisplay(bytes));
    view_->setTextCursor(c);
    view_->ensureCursorVisible();
}

bool PlainTextEditControl::UndoAvailable() const { return doc()->isUndoAvailable(); }
void PlainTextEditControl::UndoLast() { view_->undo(); }
bool PlainTextEditControl::RedoAvailable() const { return doc()->isRedoAvailable(); }
void PlainTextEditControl::RedoLast() { view_->redo(); }
void PlainTextEditControl::ForgetUndo() { doc()->clearUndoRedoStacks(); }
bool PlainTextEditControl::ModifiedFlag() const { return doc()->isModified(); }
void PlainTextEditControl::SetModifiedFlag(bool on) { doc()->setModified(on); }
bool PlainTextEditControl::ReadOnly() const { return view_->isReadOnly(); }

void PlainTextEditControl::SetReadOnly(bool on)
{
    view_->setReadOnly(on);
    // A viewer still moves its caret with the keyboard.
    if (on)
        view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

bool PlainTextEditControl::WordWrap() const
{
    return view_->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void PlainTextEditControl::SetWordWrap(bool on)
{
    if (on == WordWrap())
        return;
    const bool modified = doc()->isModified();
    view_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    // Wrapped text needs no horizontal scroll bar.
    view_->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    laidOut_ = 0;
    dirty_.clear();
    layoutWidth_ = -1;
    doc()->setModified(modified);
}

// This reference control reads every text one byte a character.
bool PlainTextEditControl::Utf8() const { return false; }
void PlainTextEditControl::SetUtf8(bool) {}
int PlainTextEditControl::CharacterCount(int from, int to) const { return std::max(0, to - from); }

void PlainTextEditControl::SetOnKeyPress(KeyPressHandler handler) { view_->onKeyPress = std::move(handler); }

// --- widget side -------------------------------------------------------------------

QWidget *PlainTextEditControl::widget() const { return view_; }
QFont PlainTextEditControl::font() const { return view_->font(); }
void PlainTextEditControl::setFont(const QFont &font) { view_->setFont(font); }

QColor PlainTextEditControl::textColor() const { return view_->palette().color(QPalette::Text); }

void PlainTextEditControl::setTextColor(const QColor &color)
{
    QPalette p = view_->palette();
    p.setColor(QPalette::Text, color);
    view_->setPalette(p);
}

void PlainTextEditControl::setGrayed(bool grayed)
{
    grayed_ = grayed;
    QPalette p = view_->palette();
    const QPalette base = view_->style()->standardPalette();
    p.setColor(QPalette::Base, grayed ? base.color(QPalette::Button) : base.color(QPalette::Base));
    view_->setPalette(p);
}

bool PlainTextEditControl::grayed() const { return grayed_; }

void PlainTextEditControl::setContextMenu(QMenu *menu)
{
    view_->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::NoContextMenu);
    QObject::disconnect(view_, &QWidget::customContextMenuRequested, nullptr, nullptr);
    if (menu)
        QObject::connect(view_, &QWidget::customContextMenuRequested, menu,
                         [this, menu](const QPoint &pos) { menu->popup(view_->viewport()->mapToGlobal(pos)); });
}

void PlainTextEditControl::setFocus() { view_->setFocus(); }

std::unique_ptr<QtEditControl> makePlainTextEditControl(QWidget *parent)
{
    return std::make_unique<PlainTextEditControl>(parent);
}

} // namespace verno
