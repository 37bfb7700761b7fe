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

// Follows the user's text far enough to know how a reference must be quoted
// where a value stands: quotes, escapes, comments, $( ) and backquotes.
class ShellQuoter {
public:
    void text(const std::string &s)
    {
        for (const char c : s) {
            script_.code += c;
            character(c);
        }
    }
    void value(const std::string &s);
    ShellScript finish() { return std::move(script_); }

private:
    enum class Context { Plain, Single, Double, Comment, Substitution, Backquote };
    struct Level {
        Context context;
        int parens = 0; // open "(" inside a $( )
    };

    Context context() const { return levels_.back().context; }
    void push(Context c) { levels_.push_back({c}); }
    void pop()
    {
        if (levels_.size() > 1)
            levels_.pop_back();
    }
    void character(char c);
    void plainCharacter(char c);

    std::vector<Level> levels_{{Context::Plain}};
    bool escape_ = false;
    char previous_ = ' '; // the last character of the user's text, 0 after an escape
    ShellScript script_;
};

bool startsWord(char previous)
{
    return std::string(" \t\n;&|()<>`").find(previous) != std::string::npos;
}

void ShellQuoter::character(char c)
{
    if (escape_) {
        escape_ = false;
        previous_ = 0;
        return;
    }
    switch (context()) {
    case Context::Single:
        if (c == '\'')
            pop();
        break;
    case Context::Comment:
        if (c == '\n')
            pop();
        break;
    case Context::Double:
        if (c == '"')
            pop();
        else if (c == '\\')
            escape_ = true;
        else if (c == '(' && previous_ == '$')
            push(Context::Substitution);
        else if (c == '`')
            push(Context::Backquote);
        break;
    default:
        plainCharacter(c);
    }
    previous_ = c;
}

void ShellQuoter::plainCharacter(char c)
{
    Level &level = levels_.back();
    if (c == '\\') {
        escape_ = true;
    } else if (c == '\'') {
        push(Context::Single);
    } else if (c == '"') {
        push(Context::Double);
    } else if (c == '#' && startsWord(previous_)) {
        push(Context::Comment);
    } else if (c == '(' && previous_ == '$') {
        push(Context::Substitution);
    } else if (c == '`') {
        if (level.context == Context::Backquote)
            pop();
        else
            push(Context::Backquote);
    } else if (level.context == Context::Substitution && c == '(') {
        ++level.parens;
    } else if (level.context == Context::Substitution && c == ')') {
        if (level.parens-- == 0)
            pop();
    }
}

void ShellQuoter::value(const std::string &s)
{
    const Context where = context();
    if (where == Context::Comment)
        return;
    std::string &code = script_.code;
    if (escape_) {
        // The user's backslash would escape the reference itself: inside
        // double quotes make it a plain backslash, elsewhere a line
        // continuation that removes it.
        code += where == Context::Double ? "\\" : "\n";
        escape_ = false;
    } else if (previous_ == '$' && where != Context::Single) {
        // "$" before a value is only a "$": a backslash goes before it.
        code.back() = '\\';
        code += '$';
    }
    script_.values.push_back(s);
    const std::string ref = "${" + std::to_string(script_.values.size()) + "}";
    if (where == Context::Double)
        code += ref;
    else if (where == Context::Single)
        code += "'\"" + ref + "\"'";
    else
        code += '"' + ref + '"';
    previous_ = 'x';
}

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

ShellScript ShellScriptWithValues(const CommandPieces &pieces)
{
    ShellQuoter quoter;
    for (const CommandPiece &p : pieces) {
        if (p.value)
            quoter.value(p.text);
        else
            quoter.text(p.text);
    }
    return quoter.finish();
}

} // namespace verno
