// What the user does to an edit view: keys, input methods, mouse, drag and drop.
#include "editor/editview.h"
#include "editor/bytefont.h"
#include "editor/framekeys.h"
#include "editor/textconvert.h"
#include "editor/textmimedata.h"
#include "util/utf8.h"
#include "util/wordbounds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <tuple>

namespace verno {

bool EditView::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        // The frame's menu keys go to the menu; keys the view handles itself
        // (typing, moving, Tab) must not trigger some other shortcut.
        if (isFrameKey(k)) {
            e->ignore();
            return true;
        }
        if (isTyping(k) || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab || k->key() == Qt::Key_Backspace) {
            e->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool EditView::focusNextPrevChild(bool) { return false; } // Tab is a character here

// A key that types its text: with Ctrl, Alt or Meta it is a command (Alt
// opens the menus), so only Shift may be held.
bool EditView::isTyping(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return !(e->modifiers() & commands) && isTypedText(e->text());
}

// --- keys ----------------------------------------------------------------------

void EditView::keyPressEvent(QKeyEvent *e)
{
    if (isFrameKey(e)) {
        e->accept(); // its menu item is disabled: the key does nothing
        return;
    }
    if (navigate(e)) {
        runDeferred();
        e->accept();
        return;
    }
    const bool typed = isTyping(e);
    if (typed || editKey(e)) {
        if (typed && !readOnly_)
            typeText(e->text());
        // What the user typed is in view at once, not at the next idle moment.
        ensureCaretVisible();
        runDeferred();
        e->accept();
        return;
    }
    // Shift+F10 opens the context menu as the Menu key does: keyboards without that key need it.
    if (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier) {
        const QPoint at = caretRect().bottomLeft();
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        contextMenuEvent(&menuEvent);
        e->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}

int EditView::moveTarget(int key, bool ctrl)
{
    const TextLayout &layout = model_.layout();
    const int caret = model_.caret();
    const int n = caretLine();
    switch (key) {
    case Qt::Key_Left:
        if (ctrl)
            return previousWordStart(model_.store(), caret, model_.utf8());
        return model_.previousPosition(caret);
    case Qt::Key_Right:
        if (ctrl)
            return nextWordStart(model_.store(), caret, model_.utf8());
        return model_.nextPosition(caret);
    case Qt::Key_Home:
        return ctrl ? 0 : layout.lineStart(n);
    case Qt::Key_End:
        return ctrl ? model_.length() : layout.lineEnd(n);
    default:
        break;
    }
    // Up, Down, PgUp, PgDn keep the column the caret had when they began.
    if (goalX_ < 0)
        goalX_ = caretX();
    const int page = linesPerPage();
    int target = n;
    QScrollBar *v = verticalScrollBar();
    if (key == Qt::Key_Up)
        target = n - 1;
    else if (key == Qt::Key_Down)
        target = n + 1;
    else if (key == Qt::Key_PageUp) {
        target = n - page;
        v->setValue(v->value() - page);
    } else if (key == Qt::Key_PageDown) {
        target = n + page;
        v->setValue(v->value() + page);
    }
    if (target < 0)
        return 0;
    if (target >= layout.lineCount())
        return model_.length();
    targetLine_ = target;
    return layout.positionAt(target, goalX_);
}

bool EditView::navigate(QKeyEvent *e)
{
    const int key = e->key();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
        break;
    default:
        return false;
    }
    if (ctrl && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        // Scrolls the view, not the caret.
        QScrollBar *v = verticalScrollBar();
        v->setValue(v->value() + (key == Qt::Key_Up ? -1 : 1));
        return true;
    }
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (!vertical)
        goalX_ = -1;
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    const int line = caretLine();
    targetLine_ = -1;
    int target;
    if (!shift && start != end && (key == Qt::Key_Left || key == Qt::Key_Right) && !ctrl)
        target = key == Qt::Key_Left ? start : end; // an arrow first collapses the selection
    else
        target = moveTarget(key, ctrl);
    const double goal = goalX_;
    moveCaret(target, shift);
    // End of a wrapped line shows the caret after its last character, not
    // at the start of the line below.
    if (key == Qt::Key_End && !ctrl)
        caretAtEnd_ = endsInWrap(line);
    else if (targetLine_ >= 0)
        caretAtEnd_ = target == model_.layout().lineEnd(targetLine_) && endsInWrap(targetLine_);
    if (vertical)
        goalX_ = goal;
    ensureCaretVisible();
    return true;
}

void EditView::moveCaret(int pos, bool extend)
{
    const int anchor = extend ? model_.anchor() : pos;
    setSelection(anchor, pos, false);
    goalX_ = -1;
    if (extend) {
        primaryDirty_ = true;
        scheduleUpdates();
    }
}

bool EditView::editKey(QKeyEvent *e)
{
    if (e->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    if (e->matches(QKeySequence::SelectAll)) {
        setSelection(0, model_.length(), false);
        return true;
    }
    const bool cut = e->matches(QKeySequence::Cut);
    const bool paste = e->matches(QKeySequence::Paste);
    const bool undoKey = e->matches(QKeySequence::Undo);
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const bool enter = (key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier;
    // Shift+Tab types a tab too, as Shift+Enter types a break.
    const bool tab = (key == Qt::Key_Tab || key == Qt::Key_Backtab) && mods == Qt::NoModifier;
    const bool back = key == Qt::Key_Backspace && (mods & ~Qt::ControlModifier) == Qt::NoModifier;
    const bool del = key == Qt::Key_Delete && (mods & ~Qt::ControlModifier) == Qt::NoModifier;
    if (!(cut || paste || undoKey || enter || tab || back || del))
        return false;
    if (readOnly_)
        return true; // a viewer takes these keys and does nothing
    if (cut)
        cutSelection();
    else if (paste)
        this->paste();
    else if (undoKey)
        undo();
    else if (enter)
        typeByte('\r'); // Shift+Enter and keypad Enter too: always CR LF
    else if (tab)
        typeByte('\t');
    else if (back && (mods & Qt::ControlModifier))
        backspace(true);
    else if (back)
        typeByte('\b');
    else
        deleteForward(mods & Qt::ControlModifier);
    return true;
}

void EditView::typeText(const QString &text)
{
    if (!model_.utf8()) {
        for (const char b : incomingBytes(text))
            typeByte(b);
        return;
    }
    // Character by character, each through the key-press hook once with its first byte.
    const std::string bytes = incomingBytes(text, true);
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const size_t length = std::max(1, utf8::decode(s + i, bytes.size() - i, cp));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            typeByte('\r');
            i += 2;
            continue;
        }
        if (length == 1)
            typeByte(bytes[i]);
        else
            typeCharacter(bytes.substr(i, length));
        i += length;
    }
}

void EditView::typeCharacter(std::string bytes)
{
    char first = bytes[0];
    if (onKeyPress)
        onKeyPress(first);
    if (first == 0 || readOnly_)
        return;
    if (first != bytes[0])
        bytes = std::string(1, first);
    model_.replace(model_.selectionStart(), model_.selectionEnd(), bytes, TextModel::Edit::Undoable);
    setSelection(model_.caret(), model_.caret(), true);
}

void EditView::typeByte(char c)
{
    if (onKeyPress)
        onKeyPress(c);
    if (c == 0 || readOnly_)
        return;
    if (c == '\b') {
        backspace(false);
        return;
    }
    const std::string_view text = (c == '\r' || c == '\n') ? std::string_view("\r\n") : std::string_view(&c, 1);
    model_.replace(model_.selectionStart(), model_.selectionEnd(), text, TextModel::Edit::Undoable);
    setSelection(model_.caret(), model_.caret(), true);
}

void EditView::backspace(bool word)
{
    int from = model_.selectionStart();
    const int to = model_.selectionEnd();
    TextModel::Edit kind = TextModel::Edit::Undoable;
    if (from == to) {
        if (from == 0)
            return;
        from = word ? model_.snap(previousWordStart(model_.store(), to, model_.utf8())) : model_.previousPosition(to);
        if (!word)
            kind = TextModel::Edit::Backspace;
    }
    model_.replace(from, to, {}, kind);
    setSelection(from, from, true);
}

void EditView::deleteForward(bool word)
{
    const int from = model_.selectionStart();
    int to = model_.selectionEnd();
    TextModel::Edit kind = TextModel::Edit::Undoable;
    if (from == to) {
        if (to >= model_.length())
            return;
        if (word) {
            to = model_.snap(nextWordStart(model_.store(), to, model_.utf8()), true);
        } else {
            to = model_.nextPosition(to);
            kind = TextModel::Edit::DeleteKey;
        }
    }
    model_.replace(from, to, {}, kind);
    setSelection(from, from, true);
}

void EditView::insertBytes(const std::string &bytes)
{
    model_.replace(model_.selectionStart(), model_.selectionEnd(), bytes, TextModel::Edit::Undoable);
    setSelection(model_.caret(), model_.caret(), true);
}

// --- input methods ---------------------------------------------------------------

int EditView::lineOffsetOf(int pos) const
{
    const int start = model_.layout().lineStart(model_.layout().lineOf(pos));
    if (!model_.utf8())
        return pos - start;
    return int(utf8ToDisplay(model_.text(start, pos - start)).size());
}

int EditView::positionOfLineOffset(int line, int offset) const
{
    const TextLayout &layout = model_.layout();
    const int start = layout.lineStart(line);
    const int end = layout.lineEnd(line);
    if (!model_.utf8())
        return std::clamp(start + offset, start, end);
    int pos = start;
    for (int units = 0; pos < end && units < offset;) {
        const int next = model_.nextPosition(pos);
        units += int(utf8ToDisplay(model_.text(pos, next - pos)).size());
        pos = next;
    }
    return pos;
}

void EditView::inputMethodEvent(QInputMethodEvent *e)
{
    if (readOnly_) {
        e->ignore();
        return;
    }
    if (e->replacementLength() > 0) {
        const int caret = model_.caret();
        const int line = model_.layout().lineOf(caret);
        const int offset = lineOffsetOf(caret) + e->replacementStart();
        const int from = positionOfLineOffset(line, offset);
        setSelection(from, positionOfLineOffset(line, offset + e->replacementLength()), false);
    }
    // A committed string is typed: it goes through the key-press hook too.
    if (!e->commitString().isEmpty())
        typeText(e->commitString());
    preedit_ = e->preeditString();
    viewport()->update();
    e->accept();
}

QVariant EditView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const int caret = model_.caret();
    const TextLayout &layout = model_.layout();
    const int line = layout.lineOf(caret);
    const int start = layout.lineStart(line);
    const bool utf8 = model_.utf8();
    switch (query) {
    case Qt::ImEnabled:
        return !readOnly_;
    case Qt::ImCursorRectangle:
        return caretRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return lineOffsetOf(caret);
    case Qt::ImAnchorPosition:
        return lineOffsetOf(std::clamp(model_.anchor(), start, layout.lineEnd(line)));
    case Qt::ImSurroundingText:
        return bytesToDisplay(model_.text(start, std::min(layout.lineEnd(line) - start, 4096)), utf8);
    case Qt::ImCurrentSelection:
        return bytesToDisplay(model_.selectedText(4097), utf8);
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// --- mouse ---------------------------------------------------------------------

std::pair<int, int> EditView::unitAround(int pos, Unit unit) const
{
    if (unit == Unit::Word) {
        // At the end of a line, the word before the break.
        const TextStore &text = model_.store();
        const bool atEnd = pos == text.length() || text.at(pos) == '\r';
        const bool back = atEnd && pos > text.lineStart(text.lineOf(pos));
        return wordAround(text, back ? model_.previousPosition(pos) : pos, model_.utf8());
    }
    if (unit == Unit::Line) {
        const int line = model_.store().lineOf(pos);
        const int next = line + 1 < model_.store().lineCount() ? model_.store().lineStart(line + 1) : model_.length();
        return {model_.store().lineStart(line), next};
    }
    return {pos, pos};
}

void EditView::extendByUnit(int pos)
{
    if (selectUnit_ == Unit::Character) {
        setSelection(model_.anchor(), pos, false);
        return;
    }
    const auto [start, end] = unitAround(pos, selectUnit_);
    if (start < unitAnchorStart_)
        setSelection(unitAnchorEnd_, start, false);
    else
        setSelection(unitAnchorStart_, std::max(end, unitAnchorEnd_), false);
}

void EditView::mousePressEvent(QMouseEvent *e)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint point = e->position().toPoint();
    const int pos = positionAt(point);
    if (e->button() == Qt::MiddleButton) {
        if (!readOnly_ && QGuiApplication::clipboard()->supportsSelection()) {
            setSelection(pos, pos, false);
            paste(QClipboard::Selection);
        }
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool tripleClick = e->timestamp() - doubleClickTime_ < ulong(QApplication::doubleClickInterval())
                             && (point - pressPoint_).manhattanLength() < QApplication::startDragDistance();
    pressPoint_ = point;
    lastMousePoint_ = point;
    goalX_ = -1;
    if (tripleClick) {
        selectUnit_ = Unit::Line;
        std::tie(unitAnchorStart_, unitAnchorEnd_) = unitAround(pos, Unit::Line);
        setSelection(unitAnchorStart_, unitAnchorEnd_, false);
        selecting_ = true;
        return;
    }
    selectUnit_ = Unit::Character;
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    if (!shift && start != end && pos >= start && pos < end) {
        dragPending_ = true; // a press inside the selection may start a drag
        return;
    }
    setSelection(shift ? model_.anchor() : pos, pos, false);
    // A click past the end of a wrapped line puts the caret at that end.
    const int row = lineAt(point);
    caretAtEnd_ = pos == model_.layout().lineEnd(row) && endsInWrap(row);
    selecting_ = true;
}

void EditView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    doubleClickTime_ = e->timestamp();
    dragPending_ = false;
    selectUnit_ = Unit::Word;
    std::tie(unitAnchorStart_, unitAnchorEnd_) = unitAround(positionAt(e->position().toPoint()), Unit::Word);
    setSelection(unitAnchorStart_, unitAnchorEnd_, false);
    selecting_ = true;
}

void EditView::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint point = e->position().toPoint();
    lastMousePoint_ = point;
    if (dragPending_) {
        if ((point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            dragPending_ = false;
            startDrag();
        }
        return;
    }
    if (!selecting_ || !(e->buttons() & Qt::LeftButton))
        return;
    extendByUnit(positionAt(point));
    ensureCaretVisible();
    // Outside the view the selection goes on growing while the mouse rests.
    if (viewport()->rect().contains(point))
        autoScroll_.stop();
    else if (!autoScroll_.isActive())
        autoScroll_.start(50, this);
}

void EditView::autoScroll()
{
    if (!selecting_ || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        autoScroll_.stop();
        return;
    }
    const QRect r = viewport()->rect();
    QPoint p = lastMousePoint_;
    const int lh = byteFont().lineHeight();
    if (p.y() < r.top())
        p.setY(r.top() - lh);
    else if (p.y() > r.bottom())
        p.setY(r.bottom() + lh);
    extendByUnit(positionAt(p));
    ensureCaretVisible();
}

void EditView::mouseReleaseEvent(QMouseEvent *e)
{
    autoScroll_.stop();
    if (dragPending_) {
        // A click inside the selection without a drag just places the caret.
        dragPending_ = false;
        const int pos = positionAt(e->position().toPoint());
        setSelection(pos, pos, false);
    }
    if (selecting_ && e->button() == Qt::LeftButton) {
        selecting_ = false;
        copySelection(QClipboard::Selection);
    }
}

void EditView::contextMenuEvent(QContextMenuEvent *e)
{
    if (!contextMenu_)
        return;
    const QPoint at = e->reason() == QContextMenuEvent::Mouse ? e->globalPos()
                                                              : mapToGlobal(caretRect().bottomLeft());
    contextMenu_->popup(at);
}

// --- drag and drop -------------------------------------------------------------

namespace {

// The view a drag of this program's started from, while the drag runs.
QPointer<EditView> g_dragSource;
EditView::DragRunner g_dragRunner;

} // namespace

void EditView::setDragRunner(DragRunner runner) { g_dragRunner = std::move(runner); }

void EditView::startDrag()
{
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    auto *drag = new QDrag(this);
    drag->setMimeData(textMimeData(model_.text(start, end - start), model_.utf8()));
    const Qt::DropActions actions = readOnly_ ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    g_dragSource = this;
    movedWithin_ = false;
    const Qt::DropAction proposed = readOnly_ ? Qt::CopyAction : Qt::MoveAction;
    const Qt::DropAction done =
        g_dragRunner ? g_dragRunner(*drag, actions, proposed) : drag->exec(actions, proposed);
    g_dragSource = nullptr;
    // A move to another window: the text leaves this one, as a step of its own.
    const bool unchanged = model_.selectionStart() == start && model_.selectionEnd() == end;
    if (done == Qt::MoveAction && !movedWithin_ && unchanged) {
        model_.replace(start, end, {}, TextModel::Edit::Alone);
        setSelection(start, start, true);
    }
}

bool EditView::acceptsDrop(const QDropEvent *e) const
{
    // Files dropped here are for the frame to open, never text to insert.
    const QMimeData *data = e->mimeData();
    if (readOnly_ || !data || !data->hasText())
        return false;
    const QList<QUrl> urls = data->hasUrls() ? data->urls() : QList<QUrl>();
    return std::none_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

void EditView::dragEnterEvent(QDragEnterEvent *e)
{
    if (!acceptsDrop(e)) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
}

// Text moves, within a window or to another; Ctrl copies it.
Qt::DropAction EditView::dropActionFor(const QDropEvent *e)
{
    const bool copy = (e->modifiers() & Qt::ControlModifier) || !(e->possibleActions() & Qt::MoveAction);
    return copy ? Qt::CopyAction : Qt::MoveAction;
}

void EditView::dragMoveEvent(QDragMoveEvent *e)
{
    if (!acceptsDrop(e)) {
        e->ignore();
        return;
    }
    const QPoint point = e->position().toPoint();
    dropPos_ = positionAt(point);
    // Near the edges the view scrolls to reach text out of sight.
    const int lh = byteFont().lineHeight();
    QScrollBar *v = verticalScrollBar();
    if (point.y() < lh)
        v->setValue(v->value() - 1);
    else if (point.y() > viewport()->height() - lh)
        v->setValue(v->value() + 1);
    const bool inside =
        g_dragSource == this && dropPos_ > model_.selectionStart() && dropPos_ < model_.selectionEnd();
    if (inside) {
        e->ignore();
    } else {
        e->setDropAction(dropActionFor(e));
        e->accept();
    }
    viewport()->update();
}

void EditView::dragLeaveEvent(QDragLeaveEvent *)
{
    dropPos_ = -1;
    viewport()->update();
}

void EditView::dropEvent(QDropEvent *e)
{
    dropPos_ = -1;
    if (!acceptsDrop(e)) {
        e->ignore();
        return;
    }
    const int pos = positionAt(e->position().toPoint());
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    const Qt::DropAction action = dropActionFor(e);
    int from = pos;
    int to = pos;
    if (g_dragSource == this && action == Qt::MoveAction) {
        // Onto itself the text stays where it is.
        if (pos >= start && pos <= end) {
            e->ignore();
            viewport()->update();
            return;
        }
        from = model_.move(start, end, pos);
        to = from + (end - start);
        movedWithin_ = true;
    } else {
        const std::string bytes = incomingBytes(*e->mimeData(), model_.utf8());
        model_.replace(pos, pos, bytes, TextModel::Edit::Alone);
        to = pos + int(bytes.size());
    }
    setSelection(from, to, true);
    setFocus(Qt::OtherFocusReason);
    e->setDropAction(action);
    e->accept(); // a move from another window: that window takes its text away
}

} // namespace verno
