#include "editor/bytefont.h"
#include "util/bytechars.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
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

QString ByteFont::invalidName(unsigned char b)
{
    return QLatin1Char('x') + QString::number(int(b), 16).toUpper();
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
    const auto boxWidth = [&](const QString &name) {
        return float(symbolMetrics.horizontalAdvance(name) + 2 * kSymbolPad + 2);
    };

    chars_ = std::make_shared<FontChars>(font_);
    widths_.chars = chars_;
    float widest = 1;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        float advance = 0;
        if (isSymbol(byte)) {
            fontIndex_[size_t(b)] = -1;
            advance = boxWidth(symbolName(byte));
        } else {
            const bool blank = byte == '\t' || byte == '\r' || byte == '\n';
            const FontChars::Glyph &glyph = chars_->glyph(blank ? U' ' : char32_t(ByteToChar(byte)));
            fontIndex_[size_t(b)] = glyph.font;
            glyph_[size_t(b)] = glyph.index;
            advance = glyph.advance;
        }
        if (b >= 0x80)
            widths_.invalid[size_t(b - 0x80)] = boxWidth(invalidName(byte));
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
