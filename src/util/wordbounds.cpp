#include "util/wordbounds.h"
#include "util/textutil.h"

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

std::pair<int, int> wordAround(const TextStore &text, int pos)
{
    const int length = text.length();
    if (length == 0)
        return {0, 0};
    pos = std::min(pos, length - 1);
    const Kind kind = kindOf(text.at(pos));
    if (kind == Kind::Break) {
        const int start = text.at(pos) == '\n' ? pos - 1 : pos;
        return {start, start + 2};
    }
    int start = pos;
    int end = pos + 1;
    while (start > 0 && kindOf(text.at(start - 1)) == kind)
        --start;
    while (end < length && kindOf(text.at(end)) == kind)
        ++end;
    return {start, end};
}

int nextWordStart(const TextStore &text, int pos)
{
    const int length = text.length();
    if (pos >= length)
        return length;
    const Kind kind = kindOf(text.at(pos));
    if (kind == Kind::Break)
        return pos + 2;
    if (kind != Kind::Blank)
        while (pos < length && kindOf(text.at(pos)) == kind)
            ++pos;
    while (pos < length && kindOf(text.at(pos)) == Kind::Blank)
        ++pos;
    return pos;
}

int previousWordStart(const TextStore &text, int pos)
{
    if (pos <= 0)
        return 0;
    if (text.at(pos - 1) == '\n')
        return pos - 2;
    while (pos > 0 && kindOf(text.at(pos - 1)) == Kind::Blank)
        --pos;
    if (pos == 0 || text.at(pos - 1) == '\n')
        return pos;
    const Kind kind = kindOf(text.at(pos - 1));
    while (pos > 0 && kindOf(text.at(pos - 1)) == kind)
        --pos;
    return pos;
}

} // namespace verno
