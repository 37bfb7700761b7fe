#pragma once
// What a screen reader sees of an edit view: its text by ranges and units,
// the caret and selection, character positions on screen, and every change.
// Offsets are text positions: a line break is two characters, CR and LF. In
// a UTF-8 text a character of several bytes reads as itself followed by an
// invisible word joiner (U+2060) for each byte it has beyond its UTF-16
// length, so offsets stay positions without counting from the text's start.
#include <QAccessibleWidget>

namespace verno {

class EditView;
struct TextChange;

void installEditAccessibility();
// Changes are told only while assistive technology listens; tests, which run
// without it, receive them through a sink of their own.
using AccessibleEventSink = void (*)(QAccessibleEvent *event);
void setAccessibleEventSink(AccessibleEventSink sink);
bool accessibilityListening();
void notifyTextChanged(EditView *view, const TextChange &change);
void notifyCaretMoved(EditView *view);

class EditAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
public:
    explicit EditAccessible(EditView *view);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    EditView *view() const;
    // The unit holding offset: [start, end).
    std::pair<int, int> unitAt(int offset, QAccessible::TextBoundaryType type) const;
};

} // namespace verno
