#pragma once
#include "search/charmatch.h"

#include <optional>
#include <string>

namespace verno {

class BusyStatus;
class EditControl;
class FrameServices;
class T_SearchOptions;

// Finds, replaces and repeats over one edit control, with the shared search
// state. Reads the text a line at a time, never more than the first 255
// characters of a line; it never wraps round the end or the start. The find
// and replace texts go into the code of the control's text; in a UTF-8 text
// they are compared character by character, letter case folded in every
// script, and whole words are bounded by the word characters of every script.
class SearchEngine {
public:
    SearchEngine(EditControl &memo, T_SearchOptions &options, FrameServices &frame);

    // Backward or forward as the options say; false at once for an empty find text.
    bool Search();
    bool SearchForward();
    bool SearchBackward();
    // The replace loop, with the Yes / No / Cancel / All question when prompting.
    void ReplaceOccurrences();
    // Search Again: repeats the last Find or Replace from the current position.
    void FindAgainClick();

private:
    struct Hit {
        int line;
        int column;
        int length = 0; // bytes of the occurrence
    };
    Hit startPosition(bool backward) const;
    // Puts the texts in the control's code, once per command.
    void prepare();
    Hit findInLine(const std::string &text, int column, bool backward, const std::string &pattern,
                   std::string &part) const;
    std::string core() const;
    bool skipToCandidate(Hit &at, bool backward, const std::string &core) const;
    std::optional<Hit> scan(const std::string &pattern, bool backward) const;
    std::optional<Hit> find(const std::string &pattern, bool backward) const;
    bool searchIn(bool backward);
    std::string pattern() const;
    void linePart(std::string &part, const std::string &line, int from, int count) const;
    void replaceByLines(const std::string &pattern, std::optional<BusyStatus> &busy);
    // Selects a hit, or reports a miss after ending the busy state.
    bool present(const std::optional<Hit> &hit, std::optional<BusyStatus> &busy);

    EditControl &memo_;
    T_SearchOptions &opt_;
    FrameServices &frame_;
    bool utf8_ = false;
    std::string needle_;      // the find text in the text's code
    bool holdable_ = true;    // false: the text cannot hold the find text
    std::string replacement_; // the replace text in the text's code
    mutable std::optional<CharMatcher> matcher_;
};

// The word at the caret (letters, digits, underscore; in a UTF-8 text the
// letters of every script), or "" when the character right after the caret
// is not one. As the characters of the search state.
std::string WordAtCursor(const EditControl &memo);

} // namespace verno
