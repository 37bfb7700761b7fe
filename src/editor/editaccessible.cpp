#include "editor/editaccessible.h"
#include "editor/editview.h"
#include "editor/textconvert.h"
#include "util/bytechars.h"
#include "util/utf8.h"
#include "util/wordbounds.h"

#include <QAccessible>
#include <QScrollBar>
#include <algorithm>

namespace verno {

namespace {

constexpr char16_t kFiller = u'\u2060';

// One UTF-16 unit per byte, so offsets stay text positions.
QString charsOf(const std::string &bytes, bool utf8)
{
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar *d = out.data();
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const int length = utf8 && s[i] >= 0x80 ? utf8::decode(s + i, bytes.size() - i, cp) : 1;
        if (!utf8 || s[i] < 0x80) {
            *d++ = QChar(ByteToChar(s[i++]));
            continue;
        }
        if (length == 0) {
            *d++ = QChar(QChar::ReplacementCharacter);
            ++i;
            continue;
        }
        int used = 1;
        if (QChar::requiresSurrogates(cp)) {
            *d++ = QChar(QChar::highSurrogate(cp));
            *d++ = QChar(QChar::lowSurrogate(cp));
            used = 2;
        } else {
            *d++ = QChar(char16_t(cp));
        }
        for (; used < length; ++used)
            *d++ = QChar(kFiller);
        i += size_t(length);
    }
    return out;
}

// The text of [from, to), cut from the whole characters around it.
QString charsOf(const TextModel &m, int from, int to)
{
    if (!m.utf8())
        return charsOf(m.text(from, to - from), false);
    const int start = int(utf8::unitStart(m.store().bytes(), size_t(from)));
    const int end = int(utf8::unitEndAfter(m.store().bytes(), size_t(to)));
    return charsOf(m.text(start, end - start), true).mid(from - start, to - from);
}

AccessibleEventSink g_sink = nullptr;

void deliver(QAccessibleEvent *event)
{
    if (g_sink)
        g_sink(event);
    else
        QAccessible::updateAccessibility(event);
}

QAccessibleInterface *editFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("verno::EditView") && object && object->isWidgetType())
        return new EditAccessible(static_cast<EditView *>(object));
    return nullptr;
}

} // namespace

void installEditAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(editFactory);
        return true;
    }();
    (void)installed;
}

void setAccessibleEventSink(AccessibleEventSink sink) { g_sink = sink; }

bool accessibilityListening() { return g_sink || QAccessible::isActive(); }

void notifyTextChanged(EditView *view, const TextChange &change)
{
    const TextModel &m = view->model();
    const QString inserted = charsOf(m, change.pos, change.pos + change.inserted);
    const QString removed = charsOf(change.removedText, m.utf8());
    if (change.removed == 0) {
        QAccessibleTextInsertEvent event(view, change.pos, inserted);
        deliver(&event);
    } else if (change.inserted == 0) {
        QAccessibleTextRemoveEvent event(view, change.pos, removed);
        deliver(&event);
    } else {
        QAccessibleTextUpdateEvent event(view, change.pos, removed, inserted);
        deliver(&event);
    }
}

void notifyCaretMoved(EditView *view)
{
    const TextModel &m = view->model();
    QAccessibleTextCursorEvent cursor(view, m.caret());
    deliver(&cursor);
    QAccessibleTextSelectionEvent selection(view, m.selectionStart(), m.selectionEnd());
    selection.setCursorPosition(m.caret());
    deliver(&selection);
}

EditAccessible::EditAccessible(EditView *view) : QAccessibleWidget(view, QAccessible::EditableText) {}

EditView *EditAccessible::view() const { return static_cast<EditView *>(widget()); }

void *EditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State EditAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.multiLine = true;
    s.selectableText = true;
    s.readOnly = view()->isReadOnly();
    s.editable = !view()->isReadOnly();
    return s;
}

QString EditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return text(0, characterCount());
    return QAccessibleWidget::text(t);
}

// --- selection and caret -------------------------------------------------------

void EditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const TextModel &m = view()->model();
    const bool has = selectionIndex == 0 && m.selectionStart() != m.selectionEnd();
    *startOffset = has ? m.selectionStart() : 0;
    *endOffset = has ? m.selectionEnd() : 0;
}

int EditAccessible::selectionCount() const
{
    const TextModel &m = view()->model();
    return m.selectionStart() != m.selectionEnd() ? 1 : 0;
}

void EditAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void EditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->setSelection(view()->model().caret(), view()->model().caret(), false);
}

void EditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        view()->setSelection(startOffset, endOffset, true);
}

int EditAccessible::cursorPosition() const { return view()->model().caret(); }

void EditAccessible::setCursorPosition(int position) { view()->setSelection(position, position, true); }

// --- text by units -------------------------------------------------------------

int EditAccessible::characterCount() const { return view()->model().length(); }

QString EditAccessible::text(int startOffset, int endOffset) const
{
    const int length = characterCount();
    startOffset = std::clamp(startOffset, 0, length);
    endOffset = std::clamp(endOffset, startOffset, length);
    return charsOf(view()->model(), startOffset, endOffset);
}

std::pair<int, int> EditAccessible::unitAt(int offset, QAccessible::TextBoundaryType type) const
{
    const TextModel &m = view()->model();
    const int length = m.length();
    offset = std::clamp(offset, 0, length);
    const auto lineUnit = [&](int start, int next) { return std::pair{start, next}; };
    switch (type) {
    case QAccessible::CharBoundary: {
        if (!m.utf8())
            return {offset, std::min(offset + 1, length)};
        const int start = m.snap(offset);
        return {start, m.nextPosition(start)};
    }
    case QAccessible::WordBoundary:
        return wordAround(m.store(), offset, m.utf8());
    case QAccessible::LineBoundary: {
        const TextLayout &layout = m.layout();
        const int n = layout.lineOf(offset);
        return lineUnit(layout.lineStart(n), n + 1 < layout.lineCount() ? layout.lineStart(n + 1) : length);
    }
    case QAccessible::SentenceBoundary: // plain text: a line stands for a sentence
    case QAccessible::ParagraphBoundary: {
        const TextStore &s = m.store();
        const int line = s.lineOf(offset);
        return lineUnit(s.lineStart(line), line + 1 < s.lineCount() ? s.lineStart(line + 1) : length);
    }
    case QAccessible::NoBoundary:
        break;
    }
    return {0, length};
}

QString EditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                                     int *endOffset) const
{
    const auto [start, end] = unitAt(offset, type);
    *startOffset = start;
    *endOffset = end;
    return text(start, end);
}

QString EditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                                         int *endOffset) const
{
    *startOffset = *endOffset = -1;
    const int start = unitAt(offset, type).first;
    if (type == QAccessible::NoBoundary || start <= 0)
        return {};
    return textAtOffset(start - 1, type, startOffset, endOffset);
}

QString EditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                                        int *endOffset) const
{
    *startOffset = *endOffset = -1;
    const int end = unitAt(offset, type).second;
    if (type == QAccessible::NoBoundary || end >= characterCount())
        return {};
    return textAtOffset(end, type, startOffset, endOffset);
}

// --- geometry ------------------------------------------------------------------

QRect EditAccessible::characterRect(int offset) const
{
    const QRect r = view()->characterRect(std::clamp(offset, 0, characterCount()));
    return QRect(view()->mapToGlobal(r.topLeft()), r.size());
}

int EditAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return view()->characterAt(local);
}

void EditAccessible::scrollToSubstring(int startIndex, int)
{
    view()->setSelection(startIndex, startIndex, true);
}

QString EditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// --- editing -------------------------------------------------------------------

void EditAccessible::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void EditAccessible::insertText(int offset, const QString &text) { replaceText(offset, offset, text); }

void EditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    EditView *v = view();
    if (v->isReadOnly())
        return;
    TextModel &m = v->model();
    const int from = m.snap(std::min(startOffset, endOffset));
    const int to = m.snap(std::max(startOffset, endOffset), true);
    m.replace(from, to, incomingBytes(text, m.utf8()), TextModel::Edit::Undoable);
    v->setSelection(m.caret(), m.caret(), true);
}

} // namespace verno
