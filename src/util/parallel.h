#pragma once
// Bulk passes over a large text split over the machine's cores.
#include <cstddef>
#include <functional>

namespace verno {

// How many parts a bulk pass over n bytes is worth: one below a few
// megabytes, where a thread costs more than it saves.
int bulkParts(size_t n);

// Runs task(0) ... task(parts - 1), each on a thread of its own but the first,
// which runs on the caller's. An exception in any of them is rethrown here
// once all have ended.
void runParts(int parts, const std::function<void(int)> &task);

} // namespace verno
