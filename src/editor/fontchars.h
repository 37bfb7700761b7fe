#pragma once
// Where the glyph of any character comes from in one font: the font itself,
// or the font Qt falls back to for it (Cyrillic, Greek, CJK, emoji), found
// once per character and kept with its advance. A character with marks is
// shaped whole, once, and kept as glyph runs to draw.
#include "util/charwidths.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <string>
#include <unordered_map>
#include <vector>

namespace verno {

class FontChars final : public CharWidths {
public:
    explicit FontChars(const QFont &font);

    struct Glyph {
        int font = 0;       // index of its raw font
        quint32 index = 0;  // glyph in that font
        float advance = 0;
    };
    const Glyph &glyph(char32_t cp);
    const QRawFont &rawFont(int i) const { return rawFonts_[size_t(i)]; }

    // A unit with marks: its runs with positions from its baseline origin.
    struct Shape {
        QList<QGlyphRun> runs;
        float advance = 0;
    };
    const Shape &shape(std::string_view bytes);

protected:
    float measure(char32_t cp) override;
    float measureUnit(std::string_view bytes) override;

private:
    int rawFontIndex(const QRawFont &raw);

    QFont font_;
    std::vector<QRawFont> rawFonts_;
    QHash<char32_t, Glyph> glyphs_;
    std::unordered_map<std::string, Shape> shapes_;
};

} // namespace verno
