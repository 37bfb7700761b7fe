#include "util/commandsplit.h"

namespace verno {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool escapedInDoubleQuotes(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

// Reads the user's text one character at a time; values go straight into the
// current word, so nothing in them can open a quote or end a word.
class WordSplitter {
public:
    void text(const std::string &s)
    {
        for (const char c : s)
            character(c);
    }
    void value(const std::string &s)
    {
        // A backslash before a value escapes nothing outside quotes and
        // stays a backslash inside double quotes: the value is plain text.
        if (escape_ && quote_ == '"')
            word_ += '\\';
        escape_ = false;
        inWord_ = true;
        word_ += s;
    }
    std::optional<std::vector<std::string>> finish()
    {
        if (quote_)
            return std::nullopt;
        endWord();
        return std::move(words_);
    }

private:
    void character(char c)
    {
        if (escape_) {
            escape_ = false;
            if (quote_ == '"' && !escapedInDoubleQuotes(c))
                word_ += '\\';
            word_ += c;
        } else if (quote_ == '\'') {
            if (c == '\'')
                quote_ = 0;
            else
                word_ += c;
        } else if (quote_ == '"') {
            if (c == '"')
                quote_ = 0;
            else if (c == '\\')
                escape_ = true;
            else
                word_ += c;
        } else if (isBlank(c)) {
            endWord();
        } else {
            inWord_ = true;
            if (c == '\'' || c == '"')
                quote_ = c;
            else if (c == '\\')
                escape_ = true;
            else
                word_ += c;
        }
    }
    void endWord()
    {
        if (inWord_)
            words_.push_back(std::move(word_));
        word_.clear();
        inWord_ = false;
    }

    std::vector<std::string> words_;
    std::string word_;
    bool inWord_ = false;
    bool escape_ = false;
    char quote_ = 0;
};

} // namespace

std::optional<std::vector<std::string>> SplitCommandWords(const CommandPieces &pieces)
{
    WordSplitter splitter;
    for (const CommandPiece &p : pieces) {
        if (p.value)
            splitter.value(p.text);
        else
            splitter.text(p.text);
    }
    return splitter.finish();
}

std::optional<std::vector<std::string>> SplitCommandLine(const std::string &line)
{
    return SplitCommandWords({{line, false}});
}

} // namespace verno
