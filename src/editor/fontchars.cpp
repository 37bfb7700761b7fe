#include "editor/fontchars.h"

#include <QTextLayout>
#include <algorithm>

namespace verno {

namespace {

QString charString(char32_t cp) { return QString::fromUcs4(&cp, 1); }

// Qt's own layout of a text in a font: the runs of its fallback fonts.
QList<QGlyphRun> laidOut(const QString &text, const QFont &font, qreal *width, qreal *ascent)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (width)
        *width = line.isValid() ? line.horizontalAdvance() : 0;
    if (ascent)
        *ascent = line.isValid() ? line.ascent() : 0;
    return layout.glyphRuns();
}

} // namespace

FontChars::FontChars(const QFont &font) : font_(font) { rawFonts_.push_back(QRawFont::fromFont(font_)); }

int FontChars::rawFontIndex(const QRawFont &raw)
{
    for (size_t i = 0; i < rawFonts_.size(); ++i)
        if (rawFonts_[i] == raw)
            return int(i);
    rawFonts_.push_back(raw);
    return int(rawFonts_.size()) - 1;
}

const FontChars::Glyph &FontChars::glyph(char32_t cp)
{
    if (const auto it = glyphs_.constFind(cp); it != glyphs_.constEnd())
        return *it;
    Glyph g;
    QRawFont raw = rawFonts_.front();
    const QString text = charString(cp);
    if (raw.supportsCharacter(uint(cp))) {
        const QList<quint32> indexes = raw.glyphIndexesForString(text);
        g.index = indexes.isEmpty() ? 0 : indexes.first();
    } else {
        // Another font has it: ask Qt's fallback which one, once.
        const QList<QGlyphRun> runs = laidOut(text, font_, nullptr, nullptr);
        if (!runs.isEmpty() && !runs.first().glyphIndexes().isEmpty()) {
            raw = runs.first().rawFont();
            g.index = runs.first().glyphIndexes().first();
        }
    }
    g.font = rawFontIndex(raw);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{g.index});
    g.advance = advances.isEmpty() ? 0 : float(advances.first().x());
    return *glyphs_.insert(cp, g);
}

const FontChars::Shape &FontChars::shape(std::string_view bytes)
{
    const std::string key(bytes);
    if (const auto it = shapes_.find(key); it != shapes_.end())
        return it->second;
    Shape s;
    qreal width = 0;
    qreal ascent = 0;
    // Composed where a composed character exists: a font without the marks
    // (its fallback places them after the base, not on it) most often has
    // the composed letter.
    const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).normalized(QString::NormalizationForm_C);
    s.runs = laidOut(text, font_, &width, &ascent);
    if (s.runs.size() > 1) {
        // Still split between fonts: the whole unit in the first of them that has it all.
        const QList<uint> chars = text.toUcs4();
        for (const QGlyphRun &run : QList<QGlyphRun>(s.runs)) {
            const QRawFont raw = run.rawFont();
            if (std::all_of(chars.begin(), chars.end(), [&](uint c) { return raw.supportsCharacter(c); })) {
                QFont whole(font_);
                whole.setFamilies({raw.familyName()});
                s.runs = laidOut(text, whole, &width, &ascent);
                break;
            }
        }
    }
    // Positions from the baseline, as single glyphs are placed.
    for (QGlyphRun &run : s.runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions)
            p.ry() -= ascent;
        run.setPositions(positions);
    }
    s.advance = float(width);
    return shapes_.emplace(key, std::move(s)).first->second;
}

// Every character takes some room, so each can be seen and clicked.
float FontChars::measure(char32_t cp) { return std::max(1.0f, glyph(cp).advance); }
float FontChars::measureUnit(std::string_view bytes) { return std::max(1.0f, shape(bytes).advance); }

} // namespace verno
