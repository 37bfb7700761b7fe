#pragma once
// What both kinds of search share: showing an occurrence found, and the
// replace loop (the next occurrence found and selected, the question asked
// when prompting, the selection replaced).
#include <functional>
#include <optional>
#include <string>

namespace verno {

class BusyStatus;
class EditControl;
class FrameServices;
struct T_SearchOptions;

// An occurrence: its line, and its column and length in bytes.
struct Occurrence {
    int line = 0;
    int column = 0;
    int length = 0;
};

// Selects the occurrence; with none, says "... not found" when the search
// reports it (the busy state ends first). True when there is one.
bool presentOccurrence(EditControl &memo, const T_SearchOptions &opt, std::optional<BusyStatus> &busy,
                       const std::optional<Occurrence> &found);

struct ReplaceSteps {
    // Every remaining occurrence at once, without asking; false when this
    // search cannot, so the loop goes on one at a time.
    std::function<bool(std::optional<BusyStatus> &)> all;
    // Selects the next occurrence and gives its replacement; null when none
    // (the search has told the user).
    std::function<const std::string *(std::optional<BusyStatus> &)> next;
};

void runReplaceLoop(EditControl &memo, T_SearchOptions &opt, FrameServices &frame, const ReplaceSteps &steps);

} // namespace verno
