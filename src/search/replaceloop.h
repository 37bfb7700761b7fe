#pragma once
// The replace loop of both kinds of search: the next occurrence found and
// selected, the question asked when prompting, the selection replaced.
#include <functional>
#include <optional>
#include <string>

namespace verno {

class BusyStatus;
class EditControl;
class FrameServices;
struct T_SearchOptions;

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
