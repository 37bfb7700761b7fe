#pragma once
// How the 256 bytes look in one font: the glyph each byte draws as, found
// once through Qt's font fallback, and its advance. Wrapping and painting use
// these same advances, so text is placed glyph by glyph without kerning or
// shaping. Control bytes draw as small boxes holding their names.
#include "util/textlayout.h"

#include <QFont>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace verno {

class ByteFont {
public:
    // Shared by every control showing the same font.
    static std::shared_ptr<const ByteFont> forFont(const QFont &font);
    explicit ByteFont(const QFont &font);

    const ByteWidths &widths() const { return widths_; }
    // The raw font a byte's glyph comes from (-1: a control symbol) and the glyph.
    int fontOf(unsigned char b) const { return fontIndex_[b]; }
    quint32 glyphOf(unsigned char b) const { return glyph_[b]; }
    const QRawFont &rawFont(int i) const { return rawFonts_[size_t(i)]; }
    static bool isSymbol(unsigned char b);
    static QString symbolName(unsigned char b);
    const QFont &symbolFont() const { return symbolFont_; }

    // Underline and strikeout: whether the font has them, where their lines
    // run from the baseline (down positive) and how thick they are.
    struct Decorations {
        bool underline = false;
        bool strikeOut = false;
        qreal underlineY = 0;
        qreal strikeOutY = 0;
        qreal thickness = 1;
    };
    const Decorations &decorations() const { return decorations_; }

    qreal ascent() const { return ascent_; }
    int lineHeight() const { return lineHeight_; }
    qreal averageWidth() const { return averageWidth_; }

private:
    int rawFontIndex(const QRawFont &raw);
    // The glyph for ch in raw, or in the font Qt falls back to (raw then names it).
    quint32 glyphFor(QChar ch, QRawFont &raw) const;

    QFont font_;
    QFont symbolFont_;
    ByteWidths widths_;
    std::array<int, 256> fontIndex_{};
    std::array<quint32, 256> glyph_{};
    std::vector<QRawFont> rawFonts_;
    Decorations decorations_;
    qreal ascent_ = 0;
    int lineHeight_ = 1;
    qreal averageWidth_ = 1;
};

} // namespace verno
