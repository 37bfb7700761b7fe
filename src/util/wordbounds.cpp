#include "util/wordbounds.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <algorithm>

namespace verno {

namespace {

enum class Kind { Word, Blank, Break, Other };

Kind kindOf(unsigned char c)
{
    if (isWordByte(c))
        return Kind::Word;
    if (c == ' ' || c == '\t')
        return Kind::Blank;
    if (c == '\r' || c == '\n')
        return Kind::Break;
    return Kind::Other;
}

// Steps over a text by characters: bytes, or units of a UTF-8 text.
class Walk {
public:
    Walk(const TextStore &text, bool utf8) : text_(text), utf8_(utf8) {}

    int length() const { return text_.length(); }
    unsigned char at(int pos) const { return text_.at(pos); }
    int start(int pos) const { return utf8_ ? int(utf8::unitStart(text_.bytes(), size_t(pos))) : pos; }
    int next(int pos) const { return utf8_ ? int(utf8::nextUnit(text_.bytes(), size_t(pos))) : pos + 1; }
    int previous(int pos) const { return utf8_ ? int(utf8::previousUnit(text_.bytes(), size_t(pos))) : pos - 1; }

    Kind kind(int pos) const
    {
        const unsigned char c = text_.at(pos);
        if (!utf8_ || c < 0x80)
            return kindOf(c);
        unsigned char buf[4];
        const int n = std::min(4, text_.length() - pos);
        for (int k = 0; k < n; ++k)
            buf[k] = text_.at(pos + k);
        char32_t cp;
        if (utf8::decode(buf, size_t(n), cp) == 0)
            return Kind::Other;
        if (utf8::isWordChar(cp))
            return Kind::Word;
        const bool blank = cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F
                           || cp == 0x205F || cp == 0x3000;
        return blank ? Kind::Blank : Kind::Other;
    }

private:
    const TextStore &text_;
    bool utf8_;
};

} // namespace

bool isWordByte(unsigned char c)
{
    if (IsWordChar(c))
        return true;
    // Windows-1252 letters: Š Œ Ž š œ ž Ÿ ª µ º and À to ÿ but × and ÷.
    switch (c) {
    case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA: return true;
    default: return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

std::pair<int, int> wordAround(const TextStore &text, int pos, bool utf8)
{
    const Walk w(text, utf8);
    const int length = w.length();
    if (length == 0)
        return {0, 0};
    pos = w.start(std::min(pos, length - 1));
    const Kind kind = w.kind(pos);
    if (kind == Kind::Break) {
        const int start = w.at(pos) == '\n' ? pos - 1 : pos;
        return {start, start + 2};
    }
    int start = pos;
    int end = w.next(pos);
    while (start > 0 && w.kind(w.previous(start)) == kind)
        start = w.previous(start);
    while (end < length && w.kind(end) == kind)
        end = w.next(end);
    return {start, end};
}

int nextWordStart(const TextStore &text, int pos, bool utf8)
{
    const Walk w(text, utf8);
    const int length = w.length();
    if (pos >= length)
        return length;
    const Kind kind = w.kind(pos);
    if (kind == Kind::Break)
        return pos + 2;
    if (kind != Kind::Blank)
        while (pos < length && w.kind(pos) == kind)
            pos = w.next(pos);
    while (pos < length && w.kind(pos) == Kind::Blank)
        pos = w.next(pos);
    return pos;
}

int previousWordStart(const TextStore &text, int pos, bool utf8)
{
    const Walk w(text, utf8);
    if (pos <= 0)
        return 0;
    if (w.at(pos - 1) == '\n')
        return pos - 2;
    while (pos > 0 && w.kind(w.previous(pos)) == Kind::Blank)
        pos = w.previous(pos);
    if (pos == 0 || w.at(pos - 1) == '\n')
        return pos;
    const Kind kind = w.kind(w.previous(pos));
    while (pos > 0 && w.kind(w.previous(pos)) == kind)
        pos = w.previous(pos);
    return pos;
}

} // namespace verno
