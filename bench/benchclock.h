#pragma once
// Wall and processor seconds of what a benchmark runs: the machine may be
// shared, so both are told.
#include <QElapsedTimer>
#include <ctime>
#include <sys/resource.h>

namespace verno::bench {

inline double processCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Of the child processes that have ended.
inline double childCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

// f's wall time with this process's processor time, or with children, that
// of the child processes it waited for.
template <typename F> Timing timed(F &&f, bool children = false)
{
    const auto cpu = [children] { return children ? childCpuSeconds() : processCpuSeconds(); };
    QElapsedTimer t;
    t.start();
    const double before = cpu();
    f();
    return {double(t.nsecsElapsed()) / 1e9, cpu() - before};
}

} // namespace verno::bench
