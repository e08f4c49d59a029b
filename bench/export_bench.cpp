// Exporting a room of 38 full-sized part files into the collection folder,
// beside a baseline measured in the same run: the same 38 byte ranges
// written as files with the same file calls.
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "store/file_system.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "core/slot_map.h"

namespace {
// The banks and header the benchmark works on.
ImageBanks Banks;
PackageHeaderBlock Header;
const std::string Stem = "bench.";
const std::string BaselineFolder = "baseline\\";

struct PartFile {
    std::string path;
    const PartSlot *slot;
};

// The files an export writes, in its order.
std::vector<PartFile> ExportedFiles(const std::string &folder)
{
    std::vector<PartFile> files;
    for (const PartGroup &group : PartGroups)
        for (const int slot : group.ExportOrder()) {
            const auto index = static_cast<std::size_t>(slot);
            files.push_back({folder + ExportFileName(slot, Stem), &Banks.WorkBase[index]});
            files.push_back({folder + ExportFileName(MaskNumber(slot), Stem), &Banks.WorkMask[index]});
        }
    return files;
}

void RoomExport(benchmark::State &state)
{
    for (auto _ : state) {
        if (!ExportRoomParts(Banks, Stem, PartsCollectionFolder).empty()) {
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

BENCHMARK(RoomExport)->Apply(Configure);
BENCHMARK(PlainFileWrites)->Apply(Configure);

} // namespace

int main(int argc, char **argv)
{
    return RunComparisons(argc, argv, "export", {{"38 parts", "RoomExport", "PlainFileWrites"}}, [] {
        FillBank(Banks.WorkBase, 1, LargestPartSize);
        FillBank(Banks.WorkMask, 101, LargestPartSize);
        return true;
    });
}
