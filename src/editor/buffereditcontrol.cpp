#include "editor/buffereditcontrol.h"
#include "editor/editview.h"
#include "editor/fontzoom.h"
#include "editor/linenumberpane.h"

#include <QMenu>
#include <QScrollBar>
#include <algorithm>

namespace verno {

BufferEditControl::BufferEditControl(QWidget *parent)
    : view_(new EditView(parent)), ownsView_(parent == nullptr), font_(view_->font())
{
    zoomOnCtrlWheel(view_->viewport(), [this](int step) { setZoom(zoom_ + step); });
}

BufferEditControl::~BufferEditControl()
{
    if (ownsView_ && view_)
        delete view_.data();
}

// --- lines -------------------------------------------------------------------

int BufferEditControl::LineCount() const { return view_->model().lineCount(); }
std::string BufferEditControl::LineText(int n) const { return view_->model().lineText(n); }

void BufferEditControl::SetLineText(int n, const std::string &s)
{
    TextModel &m = view_->model();
    if (!m.lineExists(n))
        return;
    const TextLayout &layout = m.layout();
    const int from = layout.lineStart(n);
    const int to = layout.lineEnd(n);
    const int anchor = m.anchor();
    const int caret = m.caret();
    const int lengthBefore = m.length();
    m.replace(from, to, s, TextModel::Edit::Command);
    // The selection stays where it was, moved along with the text after the
    // line; one inside the line goes to the end of its new text.
    const int inserted = m.length() - lengthBefore + (to - from);
    const auto moved = [&](int p) { return p < from ? p : p < to ? from + inserted : p + m.length() - lengthBefore; };
    view_->setSelection(moved(anchor), moved(caret), false);
}

int BufferEditControl::LineStart(int n) const { return view_->model().lineStart(n); }
int BufferEditControl::LineLength(int p) const { return view_->model().lineLength(p); }
int BufferEditControl::LineOf(int p) const { return view_->model().lineOf(p); }

int BufferEditControl::NextLineHolding(int line, const std::string &s, bool caseSensitive, bool backward) const
{
    const TextModel &m = view_->model();
    if (!m.lineExists(line) || s.empty())
        return line;
    // One pass over the bytes: a hit across a wrap point or a break lies in
    // no line, which the search's own look at the line tells.
    const TextLayout &layout = m.layout();
    const int hit = backward ? m.store().findBackward(0, layout.lineEnd(line), s, !caseSensitive)
                             : m.store().find(layout.lineStart(line), m.length(), s, !caseSensitive);
    return hit < 0 ? -1 : layout.lineOf(hit);
}

// --- whole text ----------------------------------------------------------------

int BufferEditControl::TextLength() const { return view_->model().length(); }
bool BufferEditControl::HasText() const { return view_->model().length() > 0; }
std::string BufferEditControl::WholeText() const { return view_->model().wholeText(); }

bool BufferEditControl::loaded(bool ok)
{
    if (ok) {
        view_->verticalScrollBar()->setValue(0);
        view_->horizontalScrollBar()->setValue(0);
        view_->setSelection(0, 0, false);
    }
    return ok;
}

bool BufferEditControl::SetWholeText(const std::string &s) { return loaded(view_->model().assign(s)); }

bool BufferEditControl::SetWholeText(std::string &&s)
{
    const bool ok = view_->model().assign(s);
    std::string().swap(s);
    return loaded(ok);
}

bool BufferEditControl::LoadBytes(ByteBlock &&bytes) { return loaded(view_->model().adopt(std::move(bytes))); }
bool BufferEditControl::LoadPrepared(PreparedText &&text) { return loaded(view_->model().take(std::move(text))); }

std::vector<std::string_view> BufferEditControl::TextPieces(std::string &) const
{
    const auto [first, second] = view_->model().store().pieces();
    return {first, second};
}

unsigned long long BufferEditControl::ChangeCount() const { return view_->model().changeCount(); }
void BufferEditControl::SetOnTextChanged(std::function<void()> handler) { view_->onTextChanged = std::move(handler); }

void BufferEditControl::ReloadText(std::string_view bytes)
{
    TextModel &m = view_->model();
    m.replaceDiffering(bytes);
    view_->setSelection(m.anchor(), m.caret(), false);
}

void BufferEditControl::ClearText()
{
    view_->model().clear();
    loaded(true);
}

// --- selection -------------------------------------------------------------------

int BufferEditControl::SelectionStart() const { return view_->model().selectionStart(); }

int BufferEditControl::SelectionLength() const
{
    return view_->model().selectionEnd() - view_->model().selectionStart();
}

void BufferEditControl::SetCaret(int p)
{
    const int pos = p == -1 ? view_->model().selectionEnd() : p;
    view_->setSelection(pos, pos, false);
}

void BufferEditControl::SetSelectionLength(int n)
{
    const TextModel &m = view_->model();
    const int start = m.selectionStart();
    const int end = (n < 0 || n > m.length() - start) ? m.length() : start + n;
    view_->setSelection(start, end, true);
}

void BufferEditControl::SelectAllText() { view_->setSelection(0, view_->model().length(), false); }
std::string BufferEditControl::SelectedText(int max) const { return view_->model().selectedText(max); }

// --- changes ---------------------------------------------------------------------

void BufferEditControl::ReplaceSelection(const std::string &s)
{
    TextModel &m = view_->model();
    m.replace(m.selectionStart(), m.selectionEnd(), s, TextModel::Edit::Command);
    view_->setSelection(m.caret(), m.caret(), false);
}

void BufferEditControl::DeleteSelection() { view_->deleteSelection(); }
void BufferEditControl::CutSelection() { view_->cutSelection(); }
void BufferEditControl::CopySelection() { view_->copySelection(); }
void BufferEditControl::PasteClipboard() { view_->paste(); }
bool BufferEditControl::UndoAvailable() const { return view_->model().canUndo(); }

void BufferEditControl::UndoLast() { view_->undo(); }
bool BufferEditControl::RedoAvailable() const { return view_->model().canRedo(); }
void BufferEditControl::RedoLast() { view_->redo(); }

void BufferEditControl::ForgetUndo() { view_->model().forgetUndo(); }
bool BufferEditControl::ModifiedFlag() const { return view_->model().modified(); }
void BufferEditControl::SetModifiedFlag(bool on) { view_->model().setModified(on); }
bool BufferEditControl::ReadOnly() const { return view_->isReadOnly(); }
void BufferEditControl::SetReadOnly(bool on) { view_->setReadOnly(on); }
bool BufferEditControl::WordWrap() const { return view_->wordWrap(); }
void BufferEditControl::SetWordWrap(bool on) { view_->setWordWrap(on); }
bool BufferEditControl::Utf8() const { return view_->utf8(); }
void BufferEditControl::SetUtf8(bool on) { view_->setUtf8(on); }
int BufferEditControl::CharacterCount(int from, int to) const { return view_->model().characters(from, to); }
void BufferEditControl::SetOnKeyPress(KeyPressHandler handler) { view_->onKeyPress = std::move(handler); }

// --- widget side -------------------------------------------------------------------

QWidget *BufferEditControl::widget() const { return view_; }
QFont BufferEditControl::font() const { return font_; }

void BufferEditControl::setFont(const QFont &font)
{
    font_ = font;
    view_->setFont(zoomedFont(font_, zoom_));
}

void BufferEditControl::setLineNumbers(bool on)
{
    if (on == lineNumbers())
        return;
    if (!on) {
        pane_->remove();
        return;
    }
    pane_ = new LineNumberPane(view_);
    pane_->setContextMenu(lineNumberMenu_);
}

void BufferEditControl::setLineNumberMenu(QMenu *menu)
{
    lineNumberMenu_ = menu;
    if (pane_)
        pane_->setContextMenu(menu);
}

void BufferEditControl::setZoom(int steps)
{
    zoom_ = std::clamp(steps, kZoomMin, kZoomMax);
    view_->setFont(zoomedFont(font_, zoom_));
}
QColor BufferEditControl::textColor() const { return view_->textColor(); }
void BufferEditControl::setTextColor(const QColor &color) { view_->setTextColor(color); }
void BufferEditControl::setGrayed(bool grayed) { view_->setGrayed(grayed); }
bool BufferEditControl::grayed() const { return view_->grayed(); }
void BufferEditControl::setContextMenu(QMenu *menu) { view_->setContextMenu(menu); }
void BufferEditControl::setFocus() { view_->setFocus(); }
void BufferEditControl::setOverwriteQuery(std::function<bool()> query) { view_->setOverwriteQuery(std::move(query)); }

std::unique_ptr<QtEditControl> makeBufferEditControl(QWidget *parent)
{
    return std::make_unique<BufferEditControl>(parent);
}

} // namespace verno
