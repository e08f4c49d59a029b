// Composing a room of forty full-sized images over an existing package (the
// old one kept as .bak), beside a baseline measured in the same run: the
// same package bytes written as one file with the same file calls.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "core/package_saving.h"

namespace {
// The banks and header the benchmark works on.
ImageBanks Banks;
PackageHeaderBlock Header;
constexpr std::size_t RecordSizeFieldSize = 4;
constexpr std::size_t LargestPackageSize =
    HeaderSize + 2 * SlotCount * (RecordSizeFieldSize + LargestPartSize);
const std::string PackageFolder = "部屋\\";
const std::string Name = "bench";
const PackageTexts Texts{"ベンチ", "備考\r\n二行目", "作者"};

std::vector<std::uint8_t> PackageBytes()
{
    std::vector<std::uint8_t> bytes(Header.bytes.begin(), Header.bytes.end());
    for (const PartBank *bank : {&Banks.WorkBase, &Banks.WorkMask})
        for (const PartSlot &slot : *bank) {
            bytes.insert(bytes.end(), slot.bytes.begin() + 2, slot.bytes.begin() + 2 + RecordSizeFieldSize);
            bytes.insert(bytes.end(), slot.bytes.begin(), slot.bytes.begin() + LargestPartSize);
        }
    return bytes;
}

void ComposeOverExisting(benchmark::State &state)
{
    for (auto _ : state) {
        if (SavePackage(Banks, Header, PackageFolder, Name, PackageTarget::ExistingPackage, Texts) !=
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

BENCHMARK(ComposeOverExisting)->Apply(Configure);
BENCHMARK(OneFileWrite)->Apply(Configure);

} // namespace

int main(int argc, char **argv)
{
    return RunComparisons(argc, argv, "compose", {{"overwrite+bak", "ComposeOverExisting", "OneFileWrite"}},
                          [] {
                              FillBank(Banks.WorkBase, 1, LargestPartSize);
                              FillBank(Banks.WorkMask, 101, LargestPartSize);
                              CreateFolder(PackageFolder);
                              if (WritePackage(PackagePath(PackageFolder, Name), Header, Banks.WorkBase,
                                               Banks.WorkMask) == WriteResult::Written)
                                  return true;
                              std::fprintf(stderr, "cannot write the first package\n");
                              return false;
                          });
}
