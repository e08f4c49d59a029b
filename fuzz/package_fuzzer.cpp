// Feeds arbitrary files to the package reader, then works every accessor,
// the header texts, the bank copies and the writer on what it read. A fault
// is a crash, a sanitizer report, or a written package of the wrong length.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

namespace {
constexpr std::size_t RecordSizeFieldSize = 4;

class NoReports : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

// A folder of this process's own under the temporary folder, removed when
// the fuzzer exits.
class WorkFolder {
  public:
    WorkFolder() : path_(std::filesystem::temp_directory_path() / ("tavi-fuzz-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;
    ~WorkFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string File(const char *name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

void Check(bool holds)
{
    if (!holds) {
        __builtin_trap();
    }
}

void WriteInput(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    FileHandle file = FileHandle::CreateAlways(path);
    Check(file.IsOpen() && file.Write(data, size) && file.Close());
}

void ReadPackageFile(const std::string &path)
{
    NoReports reporter;
    FileHandle file = FileHandle::OpenForSharedRead(path);
    Check(file.IsOpen());
    ReadPackageHeader(file);
    ReadPackageRecords(file, reporter);
}

// What a read must leave in the store, worked out independently of the
// reader: the header bytes the input reaches, then each record in turn into
// its slot, a record larger than a slot passed over, bytes the input does not
// reach left as they were.
struct StoreContents {
    PackageHeaderBlock header;
    PartBank base;
    PartBank mask;
};

void ModelRead(StoreContents &model, const std::uint8_t *data, std::size_t size)
{
    std::size_t position = std::min(size, HeaderSize);
    std::copy(data, data + position, model.header.bytes.begin());
    for (int record = 0; record < 2 * SlotCount; ++record) {
        PartSlot &slot = record < SlotCount ? model.base[record] : model.mask[record - SlotCount];
        if (size - position < RecordSizeFieldSize) {
            position = size;
            continue;
        }
        const std::uint32_t recordSize =
            static_cast<std::uint32_t>(data[position] | data[position + 1] << 8 | data[position + 2] << 16 |
                                       static_cast<std::uint32_t>(data[position + 3]) << 24);
        position += RecordSizeFieldSize;
        const std::size_t delivered = std::min<std::size_t>(recordSize, size - position);
        if (recordSize <= SlotSize) {
            std::copy(data + position, data + position + delivered, slot.bytes.begin());
        }
        position += delivered;
    }
}

bool SameBank(const PartBank &a, const PartBank &b)
{
    return std::equal(a.begin(), a.end(), b.begin(),
                      [](const PartSlot &x, const PartSlot &y) { return x.bytes == y.bytes; });
}

bool StoreHolds(const StoreContents &model)
{
    return model.header.bytes == PackageHeader.bytes && SameBank(model.base, PartImageStore::WorkBase) &&
           SameBank(model.mask, PartImageStore::WorkMask);
}

// Reads every field of every slot, and the first pixel byte where there is one.
unsigned TouchSlots(const PartBank &bank)
{
    unsigned sum = 0;
    for (const PartSlot &slot : bank) {
        sum += FileSize(slot) + static_cast<unsigned>(Width(slot)) + static_cast<unsigned>(Height(slot)) +
               BitCount(slot) + *BitmapInfo(slot);
        if (const std::optional<std::size_t> offset = PixelBitsOffset(slot)) {
            Check(*offset < SlotSize);
            sum += slot.bytes[*offset];
        }
    }
    return sum;
}

// Stores texts cut from the input into the header and reads them back.
void ChangeTexts(const std::uint8_t *data, std::size_t size)
{
    for (const HeaderTextField field : {NameText, RemarksText, AuthorText}) {
        const std::string before = GetHeaderText(field);
        Check(before.size() <= TextCapacity);
        const std::size_t length = size == 0 ? 0 : data[static_cast<std::size_t>(field) % size] % 300;
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>(data[(i + field) % size]);
        }
        SetHeaderText(field, text);
        Check(GetHeaderText(field) == text.substr(0, TextCapacity));
    }
}

std::uint64_t ExpectedPackageSize()
{
    std::uint64_t size = HeaderSize;
    for (const PartBank *bank : {&PartImageStore::WorkBase, &PartImageStore::WorkMask}) {
        for (const PartSlot &slot : *bank) {
            size += RecordSizeFieldSize + FileSize(slot);
        }
    }
    return size;
}

void WriteAndCheck(const std::string &path)
{
    const WriteResult result = WritePackage(path);
    if (result == WriteResult::SlotTooLarge) {
        return;
    }
    Check(result == WriteResult::Written);
    Check(std::filesystem::file_size(path) == ExpectedPackageSize());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const WorkFolder folder;
    const std::string input = folder.File("input.pac");
    const std::string output = folder.File("output.pac");
    static StoreContents model;
    model = {PackageHeader, PartImageStore::WorkBase, PartImageStore::WorkMask};
    ModelRead(model, data, size);
    WriteInput(input, data, size);
    ReadPackageFile(input);
    Check(StoreHolds(model));

    volatile unsigned sink = TouchSlots(PartImageStore::WorkBase) + TouchSlots(PartImageStore::WorkMask);
    static_cast<void>(sink);
    ChangeTexts(data, size);
    PartImageStore::CopyWorkingToSaved();
    PartImageStore::RestoreSlot(size == 0 ? -1 : static_cast<int>(data[0]) - 100);
    PartImageStore::RestoreBaseSlot(static_cast<int>(size % 41) - 10);
    PartImageStore::CopySavedToWorking();
    WriteAndCheck(output);
    return 0;
}
