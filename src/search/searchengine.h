#pragma once
#include <optional>
#include <string>

namespace verno {

class BusyStatus;
class EditControl;
class FrameServices;
class T_SearchOptions;

// Finds, replaces and repeats over one edit control, with the shared search
// state. Reads the text a line at a time, never more than the first 255
// characters of a line; it never wraps round the end or the start.
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
    };
    Hit startPosition(bool backward) const;
    int findInLine(const std::string &text, int column, bool backward, const std::string &pattern,
                   std::string &part) const;
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
};

// The word at the caret (letters, digits, underscore), or "" when the
// character right after the caret is not one.
std::string WordAtCursor(const EditControl &memo);

} // namespace verno
