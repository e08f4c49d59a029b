// The best of several timed runs of some work, for the benchmarks that time
// plain code without Google Benchmark.
#pragma once

#include <algorithm>
#include <ctime>

// <chrono> cannot be compiled with the code page 932 execution character set
// (its duration output uses a non-ASCII unit sign), hence timespec_get.
inline double NowMicroseconds()
{
    std::timespec now{};
    std::timespec_get(&now, TIME_UTC);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

template <class Work> double BestMicroseconds(int rounds, Work work)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const double start = NowMicroseconds();
        work();
        best = std::min(best, NowMicroseconds() - start);
    }
    return best;
}
