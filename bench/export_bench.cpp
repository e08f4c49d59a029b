// Exporting a room of 38 full-sized part files into the collection folder,
// beside a baseline measured in the same run: the same 38 byte ranges
// written as files with the same file calls.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "store/file_system.h"
#include "store/part_image_store.h"
#include "ui/portable/part_files.h"
#include "ui/portable/slot_map.h"

namespace {
// A 320 x 240 part: 1078 bytes of headers and colour table and 76800 of pixels.
constexpr std::uint32_t LargestPartSize = 77878;
const std::string Stem = "bench.";
const std::string BaselineFolder = "baseline\\";

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

struct PartFile {
    std::string path;
    const PartSlot *slot;
};

// The files an export writes, in its order.
std::vector<PartFile> ExportedFiles(const std::string &folder)
{
    std::vector<PartFile> files;
    for (const ExportStep &step : ExportSteps)
        for (int i = 0; i < step.slotCount; ++i) {
            const int slot = step.slots[static_cast<std::size_t>(i)];
            const auto index = static_cast<std::size_t>(slot);
            files.push_back({folder + ExportFileName(slot, Stem), &PartImageStore::WorkBase[index]});
            files.push_back(
                {folder + ExportFileName(MaskNumber(slot), Stem), &PartImageStore::WorkMask[index]});
        }
    return files;
}

void RoomExport(benchmark::State &state)
{
    for (auto _ : state) {
        if (!ExportRoomParts(Stem).empty()) {
            state.SkipWithError("some part files could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 38 * LargestPartSize));
}

void PlainFileWrites(benchmark::State &state)
{
    CreateFolder(BaselineFolder);
    const std::vector<PartFile> files = ExportedFiles(BaselineFolder);
    for (auto _ : state) {
        for (const PartFile &file : files) {
            FileHandle handle = FileHandle::CreateAlways(file.path);
            if (!handle.Write(file.slot->bytes.data(), LargestPartSize) || !handle.Close()) {
                state.SkipWithError("the baseline could not be written");
                return;
            }
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 38 * LargestPartSize));
}

BENCHMARK(RoomExport)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(PlainFileWrites)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

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
    const auto measured = times.milliseconds.find("RoomExport");
    const auto baseline = times.milliseconds.find("PlainFileWrites");
    if (measured == times.milliseconds.end() || baseline == times.milliseconds.end())
        return;
    std::printf("\n%-12s %12s %12s %7s  (goal: ratio <= 1.5)\n", "", "export ms", "baseline ms", "ratio");
    std::printf("%-12s %12.3f %12.3f %7.2f\n", "38 parts", measured->second, baseline->second,
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
    TimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintComparison(times);
    benchmark::Shutdown();
    return 0;
}
