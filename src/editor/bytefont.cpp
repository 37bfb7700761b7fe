#include "editor/bytefont.h"
#include "util/bytechars.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace verno {

namespace {

constexpr const char *kControlNames[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                           "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                           "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                           "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
constexpr qreal kSymbolPad = 2;

} // namespace

bool ByteFont::isSymbol(unsigned char b)
{
    // Codes with no glyph: C0 controls but tab (CR and LF only ever come as a
    // break), DEL, and the five codes Windows-1252 leaves undefined.
    if (b < 32)
        return b != '\t' && b != '\r' && b != '\n';
    return b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

QString ByteFont::symbolName(unsigned char b)
{
    if (b < 32)
        return QString::fromLatin1(kControlNames[b]);
    if (b == 0x7F)
        return QStringLiteral("DEL");
    return QLatin1Char('x') + QString::number(int(b), 16).toUpper();
}

std::shared_ptr<const ByteFont> ByteFont::forFont(const QFont &font)
{
    static QHash<QString, std::weak_ptr<const ByteFont>> cache;
    const QString key = font.key();
    if (auto found = cache.value(key).lock())
        return found;
    auto made = std::make_shared<const ByteFont>(font);
    cache.insert(key, made);
    return made;
}

int ByteFont::rawFontIndex(const QRawFont &raw)
{
    for (size_t i = 0; i < rawFonts_.size(); ++i)
        if (rawFonts_[i] == raw)
            return int(i);
    rawFonts_.push_back(raw);
    return int(rawFonts_.size()) - 1;
}

quint32 ByteFont::glyphFor(QChar ch, QRawFont &raw) const
{
    if (raw.supportsCharacter(ch)) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(ch));
        return glyphs.isEmpty() ? 0 : glyphs.first();
    }
    // Another font has it: ask Qt's fallback which one, once.
    QTextLayout layout(QString(ch), font_);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty() || runs.first().glyphIndexes().isEmpty())
        return 0;
    raw = runs.first().rawFont();
    return runs.first().glyphIndexes().first();
}

ByteFont::ByteFont(const QFont &font) : font_(font)
{
    font_.setKerning(false);
    const QFontMetricsF metrics(font_);
    ascent_ = metrics.ascent();
    lineHeight_ = std::max(1, qCeil(metrics.lineSpacing()));
    averageWidth_ = std::max<qreal>(1, metrics.averageCharWidth());
    decorations_.underline = font_.underline();
    decorations_.strikeOut = font_.strikeOut();
    decorations_.underlineY = metrics.underlinePos();
    decorations_.strikeOutY = -metrics.strikeOutPos();
    decorations_.thickness = std::max<qreal>(1, metrics.lineWidth());
    symbolFont_ = font_;
    if (font_.pixelSize() > 0)
        symbolFont_.setPixelSize(std::max(6, font_.pixelSize() * 2 / 3));
    else
        symbolFont_.setPointSizeF(std::max<qreal>(5, font_.pointSizeF() * 0.65));
    const QFontMetricsF symbolMetrics(symbolFont_);

    const QRawFont primary = QRawFont::fromFont(font_);
    rawFonts_.push_back(primary);
    float widest = 1;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        float advance = 0;
        if (isSymbol(byte)) {
            fontIndex_[size_t(b)] = -1;
            advance = float(symbolMetrics.horizontalAdvance(symbolName(byte)) + 2 * kSymbolPad + 2);
        } else {
            const bool blank = byte == '\t' || byte == '\r' || byte == '\n';
            QRawFont raw = primary;
            const quint32 glyph = glyphFor(QChar(blank ? u' ' : ByteToChar(byte)), raw);
            fontIndex_[size_t(b)] = rawFontIndex(raw);
            glyph_[size_t(b)] = glyph;
            const QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{glyph});
            advance = advances.isEmpty() ? 0 : float(advances.first().x());
        }
        // Every byte takes some room, so each can be seen and clicked.
        advance = std::max(advance, 1.0f);
        widths_.advance[size_t(b)] = advance;
        if (b != '\t')
            widest = std::max(widest, advance);
    }
    widths_.widest = widest;
    // In a fixed-pitch font the average is the width of every character:
    // taken from the same advances as the text, tab stops fall on columns.
    const float space = widths_.advance[' '];
    if (std::abs(space - averageWidth_) < averageWidth_ / 20)
        averageWidth_ = space;
    widths_.tab = float(8 * averageWidth_);
}

} // namespace verno
