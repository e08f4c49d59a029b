#include "bench/bench_support.h"

#include "bench/bench_folder.h"
#include "bench/build_description.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {
// Keeps the median real time of each benchmark for the table.
class TimeKeeper : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> milliseconds;
};

void PrintComparisons(const TimeKeeper &times, const char *title, const std::vector<Comparison> &comparisons)
{
    const std::string heading = std::string(title) + " ms";
    std::printf("\n%-14s %12s %12s %7s  (goal: ratio <= 1.5)\n", "", heading.c_str(), "baseline ms", "ratio");
    for (const Comparison &row : comparisons) {
        const auto measured = times.milliseconds.find(row.measured);
        const auto baseline = times.milliseconds.find(row.baseline);
        if (measured == times.milliseconds.end() || baseline == times.milliseconds.end())
            continue;
        std::printf("%-14s %12.3f %12.3f %7.2f\n", row.what, measured->second, baseline->second,
                    measured->second / baseline->second);
    }
}
} // namespace

void FillBank(PartBank &bank, std::uint8_t seed, std::uint32_t fileSize)
{
    for (PartSlot &slot : bank) {
        for (std::size_t i = 0; i < SlotSize; ++i)
            slot.bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
        for (std::size_t i = 0; i < 4; ++i)
            slot.bytes[2 + i] = static_cast<std::uint8_t>(fileSize >> (8 * i));
        slot.bytes[28] = 8;
        slot.bytes[29] = 0;
        ++seed;
    }
}

void Configure(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
}

int RunComparisons(int argc, char **argv, const char *title, const std::vector<Comparison> &comparisons,
                   const std::function<bool()> &prepare)
{
    benchmark::Initialize(&argc, argv);
    PrintBuildDescription();
    std::random_device random;
    const BenchFolder scratch("tavi-bench-" + std::to_string(random()));
    if (!prepare())
        return 1;
    TimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparisons(times, title, comparisons);
    benchmark::Shutdown();
    return 0;
}
