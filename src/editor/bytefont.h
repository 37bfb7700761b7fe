#pragma once
// How the 256 bytes look in one font: the glyph each byte draws as, found
// once through Qt's font fallback, and its advance. Wrapping and painting use
// these same advances, so text is placed glyph by glyph without kerning or
// shaping. Control bytes draw as small boxes holding their names. A UTF-8
// text's other characters come from the same font's FontChars, and its
// invalid bytes draw as boxes holding their values.
#include "editor/fontchars.h"
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
    const QRawFont &rawFont(int i) const { return chars_->rawFont(i); }
    // Characters past ASCII of a UTF-8 text; they are found as they are first drawn.
    FontChars &chars() const { return *chars_; }
    static bool isSymbol(unsigned char b);
    static QString symbolName(unsigned char b);
    // A byte of a UTF-8 text that is in no valid sequence: "xE9".
    static QString invalidName(unsigned char b);
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
    QFont font_;
    QFont symbolFont_;
    ByteWidths widths_;
    std::array<int, 256> fontIndex_{};
    std::array<quint32, 256> glyph_{};
    std::shared_ptr<FontChars> chars_;
    Decorations decorations_;
    qreal ascent_ = 0;
    int lineHeight_ = 1;
    qreal averageWidth_ = 1;
};

} // namespace verno
