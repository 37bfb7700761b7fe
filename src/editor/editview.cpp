#include "editor/editview.h"
#include "editor/bytefont.h"
#include "editor/editaccessible.h"
#include "editor/textconvert.h"
#include "editor/textmimedata.h"
#include "util/utf8.h"

#include <QAccessible>
#include <QApplication>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QtMath>
#include <algorithm>

namespace verno {

namespace {
constexpr int kMarginX = 4; // room for the caret at the left edge
constexpr int kMarginY = 2;
} // namespace

EditView::EditView(QWidget *parent) : QAbstractScrollArea(parent)
{
    installEditAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Both bars always shown: the viewport keeps its width when a text
    // arrives, so nothing is laid out twice.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    model_.onChange = [this](const TextChange &change) { textChanged(change); };
    model_.wantRemovedText = [] { return accessibilityListening(); };
    fontChanged();
}

EditView::~EditView() { model_.onChange = nullptr; }

// --- settings ------------------------------------------------------------------

void EditView::setReadOnly(bool on)
{
    readOnly_ = on;
    setAttribute(Qt::WA_InputMethodEnabled, !on);
    QAccessible::State changed;
    changed.readOnly = true;
    changed.editable = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void EditView::setWordWrap(bool on)
{
    if (on == wordWrap_)
        return;
    wordWrap_ = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    horizontalScrollBar()->setValue(0);
    relayout([this] { updateWrapWidth(); });
}

void EditView::setUtf8(bool on)
{
    if (on == model_.utf8())
        return;
    relayout([this, on] { model_.setUtf8(on); });
    caretMoved_ = true;
    scheduleUpdates();
}

void EditView::relayout(const std::function<void()> &change)
{
    // The text at the top of the view stays there while lines wrap anew,
    // unless that would push a caret the user could see out of the view.
    const TextLayout &layout = model_.layout();
    const int first = verticalScrollBar()->value();
    const int top = layout.lineStart(std::min(first, layout.lineCount() - 1));
    const int caret = caretLine();
    const bool caretShown = font_ && caret >= first && caret < first + linesPerPage();
    change();
    rangesDirty_ = true;
    updateScrollRanges();
    verticalScrollBar()->setValue(layout.lineOf(top));
    if (caretShown)
        ensureCaretVisible();
    viewport()->update();
}

void EditView::setGrayed(bool on)
{
    grayed_ = on;
    QPalette p = palette();
    const QPalette base = style()->standardPalette();
    p.setColor(QPalette::Base, on ? base.color(QPalette::Button) : base.color(QPalette::Base));
    setPalette(p);
}

QColor EditView::textColor() const { return palette().color(QPalette::Text); }

void EditView::setTextColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

void EditView::changeEvent(QEvent *e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fontChanged();
    else if (e->type() == QEvent::PaletteChange)
        viewport()->update();
}

void EditView::fontChanged()
{
    relayout([this] {
        font_ = ByteFont::forFont(font());
        widest_ = 0;
        horizontalScrollBar()->setSingleStep(qCeil(font_->averageWidth()));
        model_.layout().setWidths(font_->widths());
        updateWrapWidth();
    });
}

// --- geometry ------------------------------------------------------------------

void EditView::updateWrapWidth()
{
    // The caret may stand after the last character, so it needs room too.
    const double width = viewport()->width() - 2 * kMarginX - 2;
    model_.layout().setWrapWidth(wordWrap_ ? std::max(1.0, width) : 0);
}

void EditView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    relayout([this] {
        if (wordWrap_)
            updateWrapWidth();
    });
}

int EditView::linesPerPage() const
{
    return std::max(1, (viewport()->height() - kMarginY) / font_->lineHeight());
}

void EditView::updateScrollRanges()
{
    if (!rangesDirty_)
        return;
    rangesDirty_ = false;
    const TextLayout &layout = model_.layout();
    QScrollBar *v = verticalScrollBar();
    const int page = linesPerPage();
    v->setRange(0, std::max(0, layout.lineCount() - page));
    v->setPageStep(page);
    v->setSingleStep(1);
    if (wordWrap_)
        return;
    // The longest line's length gives a first estimate; lines seen wider widen it.
    const double estimate = model_.store().longestLineHint() * font_->averageWidth();
    widest_ = std::max(widest_, estimate);
    QScrollBar *h = horizontalScrollBar();
    const int view = viewport()->width() - 2 * kMarginX;
    h->setRange(0, std::max(0, qCeil(widest_) + qCeil(font_->averageWidth()) - view));
    h->setPageStep(std::max(1, view));
}

void EditView::scheduleUpdates()
{
    if (!deferred_.isActive())
        deferred_.start(0, this);
}

int EditView::lineY(int n) const { return kMarginY + (n - verticalScrollBar()->value()) * font_->lineHeight(); }

int EditView::caretLine() const
{
    const TextLayout &layout = model_.layout();
    const int caret = model_.caret();
    const int n = layout.lineOf(caret);
    if (caretAtEnd_ && n > 0 && layout.lineStart(n) == caret && endsInWrap(n - 1))
        return n - 1;
    return n;
}

double EditView::caretX() const { return model_.layout().xOf(model_.caret(), caretLine()); }

QRect EditView::caretRect() const
{
    const int n = caretLine();
    const int x = kMarginX + qFloor(model_.layout().xOf(model_.caret(), n)) - horizontalScrollBar()->value();
    return QRect(x, lineY(n), 2, font_->lineHeight()).translated(viewport()->pos());
}

double EditView::cellWidth(int pos, int n, double x) const
{
    const TextLayout &layout = model_.layout();
    const int end = layout.lineEnd(n);
    if (pos >= end)
        return font_->widths().advance[' ']; // after the line: a blank's width
    std::string scratch;
    const std::string_view bytes = model_.store().view(pos, std::min(end - pos, utf8::kMaxUnitBytes), scratch);
    return layout.step(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), x).next - x;
}

QRect EditView::characterRect(int pos) const
{
    const TextLayout &layout = model_.layout();
    const int n = layout.lineOf(pos);
    const double x = layout.xOf(pos, n);
    const double width = cellWidth(pos, n, x);
    const int left = kMarginX + qFloor(x) - horizontalScrollBar()->value();
    return QRect(left, lineY(n), std::max(1, qCeil(width)), font_->lineHeight()).translated(viewport()->pos());
}

int EditView::lineAt(const QPoint &point) const
{
    const int row = (point.y() - kMarginY) / font_->lineHeight() - (point.y() < kMarginY ? 1 : 0);
    return std::clamp(verticalScrollBar()->value() + row, 0, model_.layout().lineCount() - 1);
}

int EditView::positionAt(const QPoint &point) const
{
    return model_.layout().positionAt(lineAt(point), point.x() - kMarginX + horizontalScrollBar()->value());
}

int EditView::characterAt(const QPoint &point) const
{
    const TextLayout &layout = model_.layout();
    const int n = lineAt(point);
    const double x = point.x() - kMarginX + horizontalScrollBar()->value();
    const int p = layout.positionAt(n, x);
    // The nearest caret position may be just after the character hit.
    return p > layout.lineStart(n) && layout.xOf(p, n) > x ? model_.previousPosition(p) : p;
}

bool EditView::endsInWrap(int n) const
{
    const TextLayout &layout = model_.layout();
    return n + 1 < layout.lineCount() && layout.logicalLine(n + 1) == layout.logicalLine(n);
}

void EditView::ensureCaretVisible()
{
    updateScrollRanges();
    const int n = caretLine();
    QScrollBar *v = verticalScrollBar();
    const int page = linesPerPage();
    if (n < v->value())
        v->setValue(n);
    else if (n >= v->value() + page)
        v->setValue(n - page + 1);
    if (wordWrap_)
        return;
    const double x = caretX();
    QScrollBar *h = horizontalScrollBar();
    const int view = viewport()->width() - 2 * kMarginX;
    if (x + font_->averageWidth() > widest_) {
        widest_ = x + font_->averageWidth();
        rangesDirty_ = true;
        updateScrollRanges();
    }
    // Jump by a quarter of the view, so typing at the edge does not scroll at every key.
    if (x < h->value())
        h->setValue(std::max(0, qFloor(x) - view / 4));
    else if (x > h->value() + view - 2)
        h->setValue(qCeil(x) - view + view / 4);
}

void EditView::scrollContentsBy(int, int) { viewport()->update(); }

// --- changes -----------------------------------------------------------------

void EditView::textChanged(const TextChange &change)
{
    rangesDirty_ = true;
    repaintPending_ = true;
    scheduleUpdates();
    if (accessibilityListening())
        notifyTextChanged(this, change);
    if (onTextChanged)
        onTextChanged();
}

void EditView::setSelection(int anchor, int caret, bool scroll)
{
    model_.select(anchor, caret);
    caretAtEnd_ = false;
    goalX_ = -1; // Up and Down restore it during a run of vertical moves
    caretMoved_ = true;
    scrollPending_ = scrollPending_ || scroll;
    scheduleUpdates();
}

// What edits and selections leave to do is done once per burst of them, so
// a loop of a million replacements does not scroll and repaint a million times.
void EditView::runDeferred()
{
    deferred_.stop();
    updateScrollRanges();
    if (scrollPending_) {
        scrollPending_ = false;
        ensureCaretVisible();
    }
    if (caretMoved_) {
        caretMoved_ = false;
        repaintPending_ = true;
        restartBlink();
        if (accessibilityListening())
            notifyCaretMoved(this);
    }
    if (repaintPending_) {
        repaintPending_ = false;
        viewport()->update();
    }
    if (primaryDirty_) {
        primaryDirty_ = false;
        copySelection(QClipboard::Selection);
    }
}

void EditView::timerEvent(QTimerEvent *e)
{
    if (e->timerId() == blink_.timerId()) {
        caretShown_ = !caretShown_;
        viewport()->update(caretRect().translated(-viewport()->pos()).adjusted(-2, 0, font_->lineHeight(), 0));
    } else if (e->timerId() == deferred_.timerId()) {
        runDeferred();
    } else if (e->timerId() == autoScroll_.timerId()) {
        autoScroll();
    } else {
        QAbstractScrollArea::timerEvent(e);
    }
}

void EditView::restartBlink()
{
    caretShown_ = true;
    const int period = QApplication::cursorFlashTime() / 2;
    // The blink runs only while the control has the focus: an idle program stays idle.
    if (hasFocus() && period > 0)
        blink_.start(period, this);
    else
        blink_.stop();
}

void EditView::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    restartBlink();
    viewport()->update();
}

void EditView::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    blink_.stop();
    caretShown_ = false;
    viewport()->update();
}

// --- clipboard -----------------------------------------------------------------

void EditView::copySelection(QClipboard::Mode mode) const
{
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (start == end || (mode == QClipboard::Selection && !clipboard->supportsSelection()))
        return;
    clipboard->setMimeData(textMimeData(model_.text(start, end - start), model_.utf8()), mode);
}

void EditView::cutSelection()
{
    if (model_.selectionStart() == model_.selectionEnd())
        return;
    copySelection();
    deleteSelection();
}

void EditView::deleteSelection()
{
    const int start = model_.selectionStart();
    const int end = model_.selectionEnd();
    if (start == end)
        return;
    model_.replace(start, end, {}, TextModel::Edit::Undoable);
    setSelection(start, start, true);
}

void EditView::paste(QClipboard::Mode mode)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard->mimeData(mode);
    const std::string bytes = data ? incomingBytes(*data, model_.utf8()) : std::string();
    if (!bytes.empty())
        insertBytes(bytes);
}

void EditView::undo()
{
    if (!model_.canUndo())
        return;
    model_.undo();
    setSelection(model_.caret(), model_.caret(), true);
}

void EditView::redo()
{
    if (!model_.canRedo())
        return;
    model_.redo();
    setSelection(model_.caret(), model_.caret(), true);
}

// --- painting ------------------------------------------------------------------

void EditView::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    p.fillRect(e->rect(), palette().color(QPalette::Base));
    const TextLayout &layout = model_.layout();
    const int first = verticalScrollBar()->value();
    const int last = std::min(layout.lineCount(), first + linesPerPage() + 1);
    const int selStart = model_.selectionStart();
    const int selEnd = model_.selectionEnd();
    double widest = widest_;
    for (int n = first; n < last; ++n) {
        const int y = lineY(n);
        if (y + font_->lineHeight() < e->rect().top() || y > e->rect().bottom())
            continue;
        paintLine(p, n, y, selStart, selEnd);
        if (!wordWrap_)
            widest = std::max(widest, layout.xOf(layout.lineEnd(n), n));
    }
    paintCaret(p);
    if (widest > widest_) {
        widest_ = widest;
        rangesDirty_ = true;
        scheduleUpdates();
    }
}

namespace {

// Glyphs of one font and colour, drawn in one call.
class GlyphBatch {
public:
    GlyphBatch(QPainter &p, const ByteFont &font, const QPalette &palette) : p_(p), font_(font), palette_(palette) {}
    ~GlyphBatch() { flush(); }

    void add(unsigned char c, bool selected, QPointF at) { add(font_.fontOf(c), font_.glyphOf(c), selected, at); }

    void add(int f, quint32 glyph, bool selected, QPointF at)
    {
        if (f != rawFont_ || selected != selected_) {
            flush();
            rawFont_ = f;
            selected_ = selected;
        }
        glyphs_.append(glyph);
        positions_.append(at);
    }

    // A character with marks, shaped whole: drawn on its own.
    void addShape(const FontChars::Shape &shape, bool selected, QPointF at)
    {
        flush();
        p_.setPen(palette_.color(selected ? QPalette::HighlightedText : QPalette::Text));
        for (const QGlyphRun &run : shape.runs)
            p_.drawGlyphRun(at, run);
    }

    void flush()
    {
        if (glyphs_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(font_.rawFont(rawFont_));
        run.setGlyphIndexes(glyphs_);
        run.setPositions(positions_);
        p_.setPen(palette_.color(selected_ ? QPalette::HighlightedText : QPalette::Text));
        p_.drawGlyphRun(QPointF(0, 0), run);
        glyphs_.clear();
        positions_.clear();
    }

private:
    QPainter &p_;
    const ByteFont &font_;
    const QPalette &palette_;
    int rawFont_ = -2;
    bool selected_ = false;
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
};

// Underline and strikeout under runs of characters in one colour; a tab
// leaves a gap, as it does in print.
class LineDecoration {
public:
    LineDecoration(QPainter &p, const ByteFont::Decorations &d, const QPalette &palette, qreal baseline)
        : p_(p), d_(d), palette_(palette), baseline_(baseline)
    {
    }
    ~LineDecoration() { flush(); }

    void add(qreal from, qreal to, bool selected, bool gap)
    {
        if (!d_.underline && !d_.strikeOut)
            return;
        if (open_ && (gap || selected != selected_))
            flush();
        if (gap)
            return;
        if (!open_) {
            open_ = true;
            from_ = from;
            selected_ = selected;
        }
        to_ = to;
    }

    void flush()
    {
        if (!open_)
            return;
        open_ = false;
        const QColor color = palette_.color(selected_ ? QPalette::HighlightedText : QPalette::Text);
        const qreal h = qRound(d_.thickness);
        if (d_.underline)
            p_.fillRect(QRectF(from_, qRound(baseline_ + d_.underlineY - h / 2), to_ - from_, h), color);
        if (d_.strikeOut)
            p_.fillRect(QRectF(from_, qRound(baseline_ + d_.strikeOutY - h / 2), to_ - from_, h), color);
    }

private:
    QPainter &p_;
    const ByteFont::Decorations &d_;
    const QPalette &palette_;
    qreal baseline_;
    bool open_ = false;
    bool selected_ = false;
    qreal from_ = 0;
    qreal to_ = 0;
};

// A control byte, or a byte in no valid sequence: its name in a small box of the text's colour.
void paintSymbol(QPainter &p, const QRectF &cell, const QString &name, bool selected, const QPalette &pal,
                 const ByteFont &font)
{
    const qreal inset = cell.height() * 0.15;
    const QRectF box = cell.adjusted(1, inset, -1, -inset);
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
    p.drawRoundedRect(box, 2, 2);
    p.setPen(pal.color(selected ? QPalette::Highlight : QPalette::Base));
    p.setFont(font.symbolFont());
    p.drawText(box, Qt::AlignCenter, name);
}

// One unit of a UTF-8 text past ASCII: a character, a character with marks,
// or a byte in no valid sequence.
void paintUnit(QPainter &p, GlyphBatch &batch, const ByteFont &font, const QPalette &pal, std::string_view unit,
               const QRectF &cell, bool selected)
{
    const auto *s = reinterpret_cast<const unsigned char *>(unit.data());
    char32_t cp;
    const int length = utf8::decode(s, unit.size(), cp);
    const QPointF origin(cell.left(), cell.top() + font.ascent());
    if (length == 0) {
        batch.flush();
        paintSymbol(p, cell, ByteFont::invalidName(s[0]), selected, pal, font);
    } else if (size_t(length) < unit.size()) {
        batch.addShape(font.chars().shape(unit), selected, origin);
    } else if (cp < 0x80) {
        batch.add(s[0], selected, origin);
    } else if (cp != utf8::kBomChar) {
        const FontChars::Glyph &g = font.chars().glyph(cp);
        batch.add(g.font, g.index, selected, origin);
    }
}

} // namespace

void EditView::paintLine(QPainter &p, int n, int y, int selStart, int selEnd)
{
    const TextLayout &layout = model_.layout();
    const ByteWidths &w = font_->widths();
    const int end = layout.lineEnd(n);
    const double left = kMarginX - horizontalScrollBar()->value();
    const double right = viewport()->width();
    // The first character in view, found through the line's x checkpoints.
    int pos = layout.lineStart(n);
    if (left < 0)
        pos = std::max(pos, model_.previousPosition(layout.positionAt(n, -left)));
    double x = layout.xOf(pos, n);
    const int lh = font_->lineHeight();
    const qreal baseline = y + font_->ascent();
    const QPalette &pal = palette();
    GlyphBatch batch(p, *font_, pal);
    LineDecoration decoration(p, font_->decorations(), pal, baseline);
    std::string scratch;
    const bool utf8 = model_.utf8();
    const int room = std::min(end - pos, 8192 + (utf8 ? utf8::kMaxUnitBytes : 0));
    const std::string_view bytes = model_.store().view(pos, room, scratch);
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t limit = std::min<size_t>(bytes.size(), 8192);
    for (size_t i = 0; i < limit && left + x < right;) {
        const TextLayout::Step unit = layout.step(s + i, bytes.size() - i, x);
        const unsigned char c = s[i];
        const double next = unit.next;
        const bool selected = pos >= selStart && pos < selEnd;
        const QRectF cell(left + x, y, next - x, lh);
        if (selected)
            p.fillRect(cell, pal.color(QPalette::Highlight));
        if (utf8 && (c >= 0x80 || unit.length > 1)) {
            paintUnit(p, batch, *font_, pal, bytes.substr(i, size_t(unit.length)), cell, selected);
        } else if (ByteFont::isSymbol(c)) {
            batch.flush();
            paintSymbol(p, cell, ByteFont::symbolName(c), selected, pal, *font_);
        } else if (c != ' ' && c != '\t') {
            batch.add(c, selected, QPointF(left + x, baseline));
        }
        decoration.add(left + x, left + next, selected, c == '\t');
        x = next;
        i += size_t(unit.length);
        pos += unit.length;
    }
    batch.flush();
    decoration.flush();
    // A selected line break shows as a selected blank after the line.
    const int breakAt = model_.store().lineEnd(layout.logicalLine(n));
    if (end == breakAt && end < model_.length() && end >= selStart && end < selEnd)
        p.fillRect(QRectF(left + layout.xOf(end, n), y, w.advance[' '], lh), pal.color(QPalette::Highlight));
}

void EditView::paintCaret(QPainter &p)
{
    const bool dropping = dropPos_ >= 0;
    if (!dropping && (!caretShown_ || !hasFocus()))
        return;
    const TextLayout &layout = model_.layout();
    const int pos = dropping ? dropPos_ : model_.caret();
    const int n = dropping ? layout.lineOf(pos) : caretLine();
    const double lx = layout.xOf(pos, n);
    const double x = kMarginX + lx - horizontalScrollBar()->value();
    const int y = lineY(n);
    if (!dropping && !preedit_.isEmpty()) {
        p.setPen(textColor());
        p.setFont(font());
        p.drawText(QPointF(x, y + font_->ascent()), preedit_);
        p.drawLine(QPointF(x, y + font_->lineHeight() - 1),
                   QPointF(x + p.fontMetrics().horizontalAdvance(preedit_), y + font_->lineHeight() - 1));
        return;
    }
    if (!dropping && overwrite_ && overwrite_()) {
        const double width = cellWidth(pos, n, lx);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(QRectF(x, y, width, font_->lineHeight()), Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    p.fillRect(QRectF(std::floor(x), y, 2, font_->lineHeight()), textColor());
}

} // namespace verno
