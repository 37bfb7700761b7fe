#pragma once
// Find and replace with the find text as a Perl-compatible pattern, line by
// line over an edit control, with the options and bookkeeping of the shared
// search state. Whole lines are searched; it never wraps round the end or the
// start of the text.
#include "search/regexmatcher.h"

#include <optional>
#include <string>

namespace verno {

class BusyStatus;
class EditControl;
class FrameServices;
class T_SearchOptions;

class RegexSearch {
public:
    RegexSearch(EditControl &memo, T_SearchOptions &options, FrameServices &frame);

    // One search, forward or backward; a bad pattern is reported.
    bool Search(bool backward);
    // The replace loop, asking Yes / No / Cancel / All when prompting.
    void ReplaceOccurrences();

    // The options the pattern is compiled with, for a window.
    static RegexMatcher::Options matcherOptions(const T_SearchOptions &options, bool utf8);

private:
    struct Start {
        int line;
        size_t column; // SIZE_MAX: the end of the line
        bool atStart;  // the selection a search left: no empty match right there
    };
    struct Hit {
        int line;
        size_t start;
        size_t end;
        std::string replacement;
    };
    bool compile();
    std::string replacement_;
    Start start(bool backward) const;
    std::optional<RegexMatcher::Match> findInLine(const std::string &text, size_t column, bool backward,
                                                  bool atStart) const;
    std::optional<Hit> scan(bool backward);
    bool present(const std::optional<Hit> &hit, std::optional<BusyStatus> &busy);
    bool replaceInLine(std::string &text, size_t &column, bool atStart) const;
    void replaceByLines(std::optional<BusyStatus> &busy);

    EditControl &memo_;
    T_SearchOptions &opt_;
    FrameServices &frame_;
    RegexMatcher matcher_;
};

} // namespace verno
