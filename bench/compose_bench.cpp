// Composing a room of forty full-sized images over an existing package (the
// old one kept as .bak), beside a baseline measured in the same run: the
// same package bytes written as one file with the same file calls.
#include <benchmark/benchmark.h>

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
#include "ui/portable/package_saving.h"

namespace {
constexpr std::uint32_t LargestPartSize = 77878;
constexpr std::size_t RecordSizeFieldSize = 4;
constexpr std::size_t LargestPackageSize =
    HeaderSize + 2 * SlotCount * (RecordSizeFieldSize + LargestPartSize);
const std::string PackageFolder = "部屋\\";
const std::string Name = "bench";
const PackageTexts Texts{"ベンチ", "備考\r\n二行目", "作者"};

void FillBank(PartBank &bank, std::uint8_t seed)
{
    for (PartSlot &slot : bank) {
        for (std::size_t i = 0; i < SlotSize; ++i)
            slot.bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
        for (std::size_t i = 0; i < 4; ++i)
            slot.bytes[2 + i] = static_cast<std::uint8_t>(LargestPartSize >> (8 * i));
        slot.bytes[28] = 8;
        slot.bytes[29] = 0;
        ++seed;
    }
}

std::vector<std::uint8_t> PackageBytes()
{
    std::vector<std::uint8_t> bytes(PackageHeader.bytes.begin(), PackageHeader.bytes.end());
    for (const PartBank *bank : {&PartImageStore::WorkBase, &PartImageStore::WorkMask})
        for (const PartSlot &slot : *bank) {
            bytes.insert(bytes.end(), slot.bytes.begin() + 2, slot.bytes.begin() + 2 + RecordSizeFieldSize);
            bytes.insert(bytes.end(), slot.bytes.begin(), slot.bytes.begin() + LargestPartSize);
        }
    return bytes;
}

void ComposeOverExisting(benchmark::State &state)
{
    for (auto _ : state) {
        if (SavePackage(PackageFolder, Name, PackageTarget::ExistingPackage, Texts) !=
            PackageSaveOutcome::Saved) {
            state.SkipWithError("the package could not be saved");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

void OneFileWrite(benchmark::State &state)
{
    const std::vector<std::uint8_t> bytes = PackageBytes();
    const std::string path = PackageFolder + "baseline.dat";
    for (auto _ : state) {
        FileHandle file = FileHandle::CreateAlways(path);
        if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) {
            state.SkipWithError("the baseline could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargestPackageSize));
}

BENCHMARK(ComposeOverExisting)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(OneFileWrite)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Keeps the real time of each benchmark: the median of its repetitions, which
// holds up better than the mean on a busy machine.
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

void PrintComparison(const TimeKeeper &times)
{
    const auto measured = times.milliseconds.find("ComposeOverExisting");
    const auto baseline = times.milliseconds.find("OneFileWrite");
    if (measured == times.milliseconds.end() || baseline == times.milliseconds.end())
        return;
    std::printf("\n%-14s %12s %12s %7s  (goal: ratio <= 1.5)\n", "", "compose ms", "baseline ms", "ratio");
    std::printf("%-14s %12.3f %12.3f %7.2f\n", "overwrite+bak", measured->second, baseline->second,
                measured->second / baseline->second);
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
    CreateFolder(PackageFolder);
    if (WritePackage(PackagePath(PackageFolder, Name)) != WriteResult::Written) {
        std::fprintf(stderr, "cannot write the first package\n");
        return 1;
    }
    TimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparison(times);
    benchmark::Shutdown();
    return 0;
}
