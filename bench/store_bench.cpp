// Reading and writing a package of forty full-sized images, each beside a
// baseline measured in the same run: the same file read into one buffer, and
// the same bytes written from one buffer, with the same file calls.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

namespace {
constexpr std::size_t RecordSizeFieldSize = 4;
constexpr std::size_t LargestPackageSize = HeaderSize + 2 * SlotCount * (RecordSizeFieldSize + SlotSize);
const std::string PackageName = "bench.pac";
const std::string BaselineName = "baseline.pac";

class NoReports : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

void PutU32(PartSlot &slot, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        slot.bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void FillBank(PartBank &bank, std::uint8_t seed)
{
    for (PartSlot &slot : bank) {
        for (std::size_t i = 0; i < SlotSize; ++i) {
            slot.bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
        }
        PutU32(slot, 2, SlotSize);
        slot.bytes[28] = 8;
        slot.bytes[29] = 0;
        ++seed;
    }
}

std::vector<std::uint8_t> MaximalPackageBytes()
{
    std::vector<std::uint8_t> bytes(PackageHeader.bytes.begin(), PackageHeader.bytes.end());
    for (const PartBank *bank : {&PartImageStore::WorkBase, &PartImageStore::WorkMask}) {
        for (const PartSlot &slot : *bank) {
            bytes.insert(bytes.end(), slot.bytes.begin() + 2, slot.bytes.begin() + 2 + RecordSizeFieldSize);
            bytes.insert(bytes.end(), slot.bytes.begin(), slot.bytes.end());
        }
    }
    return bytes;
}

void PackageRead(benchmark::State &state)
{
    NoReports reporter;
    for (auto _ : state) {
        FileHandle file = FileHandle::OpenForSharedRead(PackageName);
        ReadPackageHeader(file);
        ReadPackageRecords(file, reporter);
        file.Close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

void OneBufferRead(benchmark::State &state)
{
    std::vector<std::uint8_t> buffer(LargestPackageSize);
    for (auto _ : state) {
        FileHandle file = FileHandle::OpenForSharedRead(PackageName);
        benchmark::DoNotOptimize(file.Read(buffer.data(), buffer.size()));
        file.Close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

void PackageWrite(benchmark::State &state)
{
    for (auto _ : state) {
        if (WritePackage(PackageName) != WriteResult::Written) {
            state.SkipWithError("the package could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

void OneBufferWrite(benchmark::State &state)
{
    const std::vector<std::uint8_t> bytes = MaximalPackageBytes();
    for (auto _ : state) {
        FileHandle file = FileHandle::CreateAlways(BaselineName);
        if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) {
            state.SkipWithError("the baseline could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

// Each benchmark is repeated and its fastest repetition compared: the
// machine's other work only ever adds time.
double Fastest(const std::vector<double> &times)
{
    return *std::min_element(times.begin(), times.end());
}

void Configure(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)
        ->Repetitions(10)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Fastest);
}

BENCHMARK(PackageRead)->Apply(Configure);
BENCHMARK(OneBufferRead)->Apply(Configure);
BENCHMARK(PackageWrite)->Apply(Configure);
BENCHMARK(OneBufferWrite)->Apply(Configure);

// Keeps the real time of each benchmark (the fastest repetition when
// repeated) for the table printed after the run.
class TimeKeeper : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min") {
                milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> milliseconds;
};

void PrintComparison(const TimeKeeper &times)
{
    const struct {
        const char *what;
        const char *measured;
        const char *baseline;
    } rows[] = {{"read package", "PackageRead", "OneBufferRead"},
                {"write package", "PackageWrite", "OneBufferWrite"}};
    std::printf("\n%-14s %12s %12s %7s  (goal: ratio <= 1.5)\n", "", "store ms", "baseline ms", "ratio");
    for (const auto &row : rows) {
        const auto measured = times.milliseconds.find(row.measured);
        const auto baseline = times.milliseconds.find(row.baseline);
        if (measured == times.milliseconds.end() || baseline == times.milliseconds.end()) {
            continue;
        }
        std::printf("%-14s %12.3f %12.3f %7.2f\n", row.what, measured->second, baseline->second,
                    measured->second / baseline->second);
    }
}

class ScratchFolder {
  public:
    ScratchFolder() : previous_(std::filesystem::current_path())
    {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() / ("tavi-bench-" + std::to_string(random()));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const ScratchFolder scratch;
    FillBank(PartImageStore::WorkBase, 1);
    FillBank(PartImageStore::WorkMask, 101);
    if (WritePackage(PackageName) != WriteResult::Written) {
        std::fprintf(stderr, "cannot write %s\n", PackageName.c_str());
        return 1;
    }
    TimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparison(times);
    benchmark::Shutdown();
    return 0;
}
