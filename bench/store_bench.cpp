// Reading and writing a package of forty full-sized images, each beside a
// baseline measured in the same run: the same file read into one buffer, and
// the same bytes written from one buffer, with the same file calls.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

namespace {
// The banks and header the benchmark works on.
ImageBanks Banks;
PackageHeaderBlock Header;

const std::string PackageName = "bench.pac";
const std::string BaselineName = "baseline.pac";

class NoReports : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

std::vector<std::uint8_t> MaximalPackageBytes()
{
    std::vector<std::uint8_t> bytes(Header.bytes.begin(), Header.bytes.end());
    for (const PartBank *bank : {&Banks.WorkBase, &Banks.WorkMask}) {
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
        BufferedFileSource file = OpenPackageFile(PackageName);
        ReadPackageHeader(file, Header);
        ReadPackageRecords(file, Banks.WorkBase, Banks.WorkMask, reporter);
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
        if (WritePackage(PackageName, Header, Banks.WorkBase, Banks.WorkMask) != WriteResult::Written) {
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

BENCHMARK(PackageRead)->Apply(Configure);
BENCHMARK(OneBufferRead)->Apply(Configure);
BENCHMARK(PackageWrite)->Apply(Configure);
BENCHMARK(OneBufferWrite)->Apply(Configure);

} // namespace

int main(int argc, char **argv)
{
    return RunComparisons(argc, argv, "store",
                          {{"read package", "PackageRead", "OneBufferRead"},
                           {"write package", "PackageWrite", "OneBufferWrite"}},
                          [] {
                              FillBank(Banks.WorkBase, 1, SlotSize);
                              FillBank(Banks.WorkMask, 101, SlotSize);
                              if (WritePackage(PackageName, Header, Banks.WorkBase, Banks.WorkMask) ==
                                  WriteResult::Written)
                                  return true;
                              std::fprintf(stderr, "cannot write %s\n", PackageName.c_str());
                              return false;
                          });
}
