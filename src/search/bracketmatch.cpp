#include "search/bracketmatch.h"
#include "editor/editcontrol.h"

#include <string>
#include <string_view>

namespace verno {

namespace {

constexpr std::string_view kOpening = "({[<";
constexpr std::string_view kClosing = ")}]>";

// A line and column over the control's lines, with the character there. Each
// line is read once while the cursor stays on it.
class LineCursor {
public:
    LineCursor(const EditControl &memo, int line, int column)
        : memo_(memo), count_(memo.LineCount()), line_(line), column_(column)
    {
        read();
    }

    int line() const { return line_; }
    int column() const { return column_; }
    // The character at the cursor; only meaningful after a successful read.
    char current() const { return current_; }
    void skipOne() { ++column_; }

    // Current character at the cursor; false at or past the line's end.
    bool read()
    {
        const std::string &text = lineText();
        valid_ = line_ < count_ && column_ < int(text.size());
        current_ = valid_ ? text[size_t(column_)] : '\0';
        return valid_;
    }

    // Next character, passing over line ends and empty lines.
    bool forward()
    {
        ++column_;
        read();
        while (!valid_ && line_ < count_ - 1) {
            ++line_;
            column_ = 0;
            read();
        }
        return valid_;
    }

    // Previous character, passing over line starts and empty lines.
    bool back()
    {
        while (column_ == 0 && line_ != 0) {
            --line_;
            column_ = int(lineText().size());
        }
        if (column_ <= 0)
            return false;
        --column_;
        return read();
    }

private:
    const std::string &lineText()
    {
        if (line_ != textLine_) {
            text_ = memo_.LineText(line_);
            textLine_ = line_;
        }
        return text_;
    }

    const EditControl &memo_;
    int count_;
    int line_;
    int column_;
    char current_ = '\0';
    bool valid_ = false;
    std::string text_;
    int textLine_ = -1;
};

// Walks until the bracket pair balances; false when the text ends first.
template <typename Step> bool balance(LineCursor &cursor, char same, char partner, Step step)
{
    int depth = 1;
    while (depth > 0 && step(cursor)) {
        if (cursor.current() == same)
            ++depth;
        else if (cursor.current() == partner)
            --depth;
    }
    return depth == 0;
}

} // namespace

void MatchBracket(EditControl &memo, bool right)
{
    const int start = memo.SelectionStart();
    const int line = memo.LineOf(start);
    const int column = start - memo.LineStart(line);
    LineCursor cursor(memo, line, column);
    bool found = false;
    if (right) {
        const size_t kind = cursor.read() ? kOpening.find(cursor.current()) : std::string_view::npos;
        if (kind == std::string_view::npos)
            return;
        found = balance(cursor, kOpening[kind], kClosing[kind], [](LineCursor &c) { return c.forward(); });
        cursor.skipOne();
    } else {
        if (column == 0 || !cursor.back())
            return;
        const size_t kind = kClosing.find(cursor.current());
        if (kind == std::string_view::npos)
            return;
        found = balance(cursor, kClosing[kind], kOpening[kind], [](LineCursor &c) { return c.back(); });
    }
    if (!found)
        return;
    memo.SetCaret(memo.LineStart(cursor.line()) + cursor.column());
    memo.SetSelectionLength(0);
}

} // namespace verno
