#include "util/parallel.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace verno {

namespace {
constexpr size_t kBytesPerPart = size_t(4) << 20;
} // namespace

int bulkParts(size_t n)
{
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return int(std::clamp<size_t>(n / kBytesPerPart, 1, std::min<size_t>(cores, 16)));
}

void runParts(int parts, const std::function<void(int)> &task)
{
    if (parts <= 1) {
        task(0);
        return;
    }
    std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
    const auto guarded = [&](int k) {
        try {
            task(k);
        } catch (...) {
            errors[size_t(k)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(size_t(parts));
    for (int k = 1; k < parts; ++k) {
        try {
            threads.emplace_back(guarded, k);
        } catch (const std::system_error &) {
            guarded(k); // no thread to be had: this one does it
        }
    }
    guarded(0);
    for (std::thread &t : threads)
        t.join();
    for (const std::exception_ptr &e : errors)
        if (e)
            std::rethrow_exception(e);
}

} // namespace verno
