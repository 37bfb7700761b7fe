#include "search/textcommands.h"
#include "editor/editcontrol.h"
#include "util/textutil.h"
#include "util/utf8.h"

#include <QChar>
#include <algorithm>

namespace verno {

namespace {

// Word characters of Initial Caps, and of nothing else.
bool isCapsWordChar(char c)
{
    return c == '#' || c == '$' || c == '@' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')
           || (c >= 'a' && c <= 'z');
}

bool isCapsWordChar(char32_t cp)
{
    return cp < 0x80 ? isCapsWordChar(char(cp)) : cp != '_' && utf8::isWordChar(cp);
}

// One character of a UTF-8 text converted.
char32_t convertedChar(char32_t cp, CaseKind kind, bool &inWord)
{
    switch (kind) {
    case CaseKind::Invert:
        return QChar::isUpper(cp) ? QChar::toLower(cp) : QChar::isLower(cp) ? QChar::toUpper(cp) : cp;
    case CaseKind::Upper: return QChar::toUpper(cp);
    case CaseKind::Lower: return QChar::toLower(cp);
    case CaseKind::InitialCaps:
        break;
    }
    if (!isCapsWordChar(cp)) {
        inWord = false;
        return cp;
    }
    // Marks go on with the word they belong to.
    if (utf8::joinsPrevious(cp))
        return cp;
    const char32_t out = inWord ? QChar::toLower(cp) : QChar::toTitleCase(cp);
    inWord = true;
    return out;
}

std::string convertedUtf8(const std::string &text, CaseKind kind, bool inWord)
{
    std::string out;
    out.reserve(text.size());
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        const int length = utf8::decode(s + i, text.size() - i, cp);
        if (length == 0) {
            out += text[i++];
            inWord = kind == CaseKind::InitialCaps ? false : inWord;
            continue;
        }
        out += utf8::encode(convertedChar(cp, kind, inWord));
        i += size_t(length);
    }
    return out;
}

// The caret stands at the start of a line with no selection.
void shiftCaretLine(EditControl &memo, bool right, int count)
{
    if (right) {
        memo.ReplaceSelection(std::string(size_t(count), ' '));
        return;
    }
    // A short line loses its own characters only, never its break.
    int bytes = std::min(count, memo.LineLength(-1));
    if (memo.Utf8())
        bytes = int(utf8::headUnits(memo.LineText(memo.LineOf(memo.SelectionStart())), size_t(count)));
    memo.SetSelectionLength(bytes);
    memo.ReplaceSelection(std::string());
}

// With word wrap on, a display line that goes on from the one above starts
// inside a paragraph: shifting there would split or cut words.
bool continuesAbove(const EditControl &memo, int n)
{
    if (n <= 0)
        return false;
    const int above = memo.LineStart(n - 1);
    return memo.LineStart(n) == above + memo.LineLength(above);
}

int paragraphStart(const EditControl &memo, int n)
{
    while (continuesAbove(memo, n))
        --n;
    return n;
}

} // namespace

std::string ConvertedCase(const std::string &text, CaseKind kind, bool inWord, bool utf8)
{
    if (utf8)
        return convertedUtf8(text, kind, inWord);
    std::string out = text;
    for (char &c : out) {
        switch (kind) {
        case CaseKind::Invert: c = InvertCaseChar(c); break;
        case CaseKind::Upper: c = UpperCaseChar(c); break;
        case CaseKind::Lower: c = LowerCaseChar(c); break;
        case CaseKind::InitialCaps:
            if (!isCapsWordChar(c)) {
                inWord = false;
            } else {
                c = inWord ? LowerCaseChar(c) : UpperCaseChar(c);
                inWord = true;
            }
            break;
        }
    }
    return out;
}

void ConvertCase(EditControl &memo, CaseKind kind)
{
    if (memo.ReadOnly() || memo.TextLength() == 0)
        return;
    if (memo.SelectionLength() == 0) {
        if (memo.SelectionStart() == memo.LineStart(-1) + memo.LineLength(-1))
            return;
        memo.SetSelectionLength(1);
    }
    const int start = memo.SelectionStart();
    const int length = memo.SelectionLength();
    bool inWord = false;
    if (kind == CaseKind::InitialCaps) {
        const int line = memo.LineOf(start);
        const int column = start - memo.LineStart(line);
        const std::string text = column > 0 ? memo.LineText(line) : std::string();
        if (column > 0 && column <= int(text.size()) && memo.Utf8()) {
            const size_t before = utf8::previousUnit(utf8::StringBytes{text}, size_t(column));
            char32_t cp;
            inWord = utf8::decode(reinterpret_cast<const unsigned char *>(text.data()) + before,
                                  text.size() - before, cp) > 0
                     && isCapsWordChar(cp);
        } else {
            inWord = column > 0 && column <= int(text.size()) && isCapsWordChar(text[size_t(column - 1)]);
        }
    }
    // A converted UTF-8 character may take more or fewer bytes.
    const std::string converted = ConvertedCase(memo.SelectedText(length + 1), kind, inWord, memo.Utf8());
    memo.ReplaceSelection(converted);
    memo.SetCaret(start);
    memo.SetSelectionLength(int(converted.size()));
}

void ShiftLines(EditControl &memo, bool right, int count)
{
    if (memo.ReadOnly() || memo.TextLength() == 0)
        return;
    count = std::max(count, 0);
    const int start = memo.SelectionStart();
    const int end = start + memo.SelectionLength();
    const int first = paragraphStart(memo, memo.LineOf(start));
    const int lastTouched = memo.LineOf(end);
    if (memo.LineOf(start) == lastTouched) {
        memo.SetCaret(memo.LineStart(first));
        shiftCaretLine(memo, right, count);
        // On to the next line, so that repeating shifts one line after another.
        const int line = memo.LineOf(memo.LineStart(-1));
        int next = line + 1;
        while (next < memo.LineCount() && continuesAbove(memo, next))
            ++next;
        memo.SetCaret(line < memo.LineCount() ? memo.LineStart(next) : memo.TextLength());
        memo.SetSelectionLength(0);
        return;
    }
    // A selection ending at the very start of a line leaves that line out.
    const int last = end == memo.LineStart(lastTouched) ? lastTouched - 1 : lastTouched;
    // The text after the last line stays as it is, so its length finds the
    // selection's end again. Going upwards, a shift never moves a line still to do.
    const int lastStart = memo.LineStart(last);
    const int after = memo.TextLength() - (lastStart + memo.LineLength(lastStart));
    for (int n = last; n >= first; --n) {
        if (continuesAbove(memo, n))
            continue;
        memo.SetCaret(memo.LineStart(n));
        shiftCaretLine(memo, right, count);
    }
    memo.SetCaret(memo.LineStart(first));
    memo.SetSelectionLength(memo.TextLength() - after - memo.SelectionStart());
}

void TrimLines(EditControl &memo)
{
    if (memo.ReadOnly())
        return;
    const int start = memo.SelectionStart();
    const int first = memo.LineOf(start);
    const int lastTouched = memo.LineOf(start + memo.SelectionLength());
    const int last = first == lastTouched ? first : lastTouched - 1;
    std::string text;
    for (int n = first; n <= last; ++n) {
        text = memo.LineText(n);
        // A display line that wraps ends between two words, not at a line end.
        if (memo.LineStart(n + 1) == memo.LineStart(n) + int(text.size())) {
            memo.SetLineText(n, text);
            continue;
        }
        const auto keep = std::find_if(text.rbegin(), text.rend(), [](char c) {
            return static_cast<unsigned char>(c) > 32;
        });
        text.erase(keep.base(), text.end());
        memo.SetLineText(n, text);
    }
    memo.SetCaret(memo.LineStart(last) + int(text.size()));
    memo.SetSelectionLength(0);
}

} // namespace verno
