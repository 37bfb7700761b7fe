#pragma once
// A Perl-compatible pattern compiled once and matched against lines of
// bytes. No state is kept between matches but the last one's groups.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace verno {

class RegexMatcher {
public:
    struct Options {
        bool caseSensitive = false;
        bool wholeWords = false; // the pattern between word boundaries
        bool utf8 = false;       // the text is UTF-8; bytes that are not valid stay unmatched
    };
    // A match: [start, end) in the line.
    struct Match {
        size_t start;
        size_t end;
    };

    RegexMatcher();
    ~RegexMatcher();
    RegexMatcher(const RegexMatcher &) = delete;
    RegexMatcher &operator=(const RegexMatcher &) = delete;

    // False with error() set when the pattern is not valid.
    bool compile(std::string_view pattern, Options options);
    // What is wrong with the pattern and where: its 1-based character, or
    // its end.
    const std::string &error() const { return error_; }

    // The first match starting at or after from. lineEnd: line ends where
    // the subject does ($ matches there); notEmptyAtFrom: an empty match at
    // from does not count.
    std::optional<Match> find(std::string_view line, size_t from, bool lineEnd = true,
                              bool notEmptyAtFrom = false) const;
    // The match with the greatest start at or before last, within line.
    std::optional<Match> findLast(std::string_view line, size_t last, bool lineEnd) const;

    // The replacement for the last match found in line: \0 the match, \1 to
    // \9 its groups (empty when not set), \t a tab, \\ a backslash; any other
    // backslash stands for itself.
    void expand(std::string_view replacement, std::string_view line, std::string &out) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> c_;
    std::string error_;
};

// The error of a pattern, "" when it compiles.
std::string regexError(std::string_view pattern, RegexMatcher::Options options);

} // namespace verno
