#include "part_loading.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "messages.h"
#include "part_files.h"
#include "part_layout.h"
#include "slot_map.h"
#include "store/byte_reader.h"
#include "store/file_system.h"

namespace {

constexpr std::uint16_t PartBitCount = 8;

// A part file's own size field must cover its file header and fit a slot.
bool FitsSlot(std::uint32_t fileSize)
{
    return fileSize >= BmpFileHeaderSize && fileSize <= SlotSize;
}

// The file's bytes in the slot layout (see InSlotLayout), read up to the
// largest part file; empty when a converted image would not fit a slot. A
// file of a slot's size or less is read in one call into that much memory
// and a byte more (which tells a file of exactly a slot's size from a
// larger one); only a larger file takes more, doubled as it is read.
std::optional<std::vector<std::uint8_t>> ReadInSlotLayout(ByteSource &file)
{
    std::vector<std::uint8_t> bytes(SlotSize + 1);
    std::size_t count = 0;
    while (const std::size_t got = file.Read(bytes.data() + count, bytes.size() - count)) {
        count += got;
        if (count == LargestPartFile) {
            break;
        }
        if (count == bytes.size()) {
            bytes.resize(std::min(2 * bytes.size(), LargestPartFile));
        }
    }
    bytes.resize(count);
    return InSlotLayout(std::move(bytes));
}

// Reads the rest of an image whose file header is already in the slot.
void ReadImageBody(ByteSource &file, PartSlot &slot, std::uint32_t fileSize)
{
    file.Read(slot.bytes.data() + BmpFileHeaderSize, fileSize - BmpFileHeaderSize);
}

// Reads a base image into its slot: the file header straight into the slot,
// then the rest by its size field; then the depth test.
PartLoadOutcome ReadBase(ByteSource &image, PartSlot &base)
{
    image.Read(base.bytes.data(), BmpFileHeaderSize);
    const std::uint32_t size = FileSize(base);
    if (!FitsSlot(size))
        return PartLoadOutcome::TooLarge;
    ReadImageBody(image, base, size);
    return BitCount(base) == PartBitCount ? PartLoadOutcome::Loaded : PartLoadOutcome::NotEightBit;
}

// Reads the base file into the working base slot. A refused base leaves the
// saved part in the slot.
PartLoadOutcome LoadBase(ByteSource &file, ImageBanks &banks, int slot)
{
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInSlotLayout(file);
    PartLoadOutcome outcome = PartLoadOutcome::TooLarge;
    if (bytes) {
        MemorySource image(*bytes);
        outcome = ReadBase(image, banks.WorkBase[static_cast<std::size_t>(slot)]);
    }
    if (outcome != PartLoadOutcome::Loaded)
        banks.RestoreBaseSlot(slot);
    return outcome;
}

// Reads the mask file into the working mask slot. Its file header goes to a
// local copy first, so that a refused mask leaves the slot as it was.
PartLoadOutcome LoadMask(ByteSource &file, PartSlot &mask)
{
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInSlotLayout(file);
    if (!bytes)
        return PartLoadOutcome::MaskTooLarge;
    MemorySource image(*bytes);
    std::array<std::uint8_t, BmpFileHeaderSize> header;
    std::memcpy(header.data(), mask.bytes.data(), header.size());
    image.Read(header.data(), header.size());
    const std::uint32_t size = ReadU32LE(header, BmpField::FileSize);
    if (!FitsSlot(size))
        return PartLoadOutcome::MaskTooLarge;
    std::memcpy(mask.bytes.data(), header.data(), header.size());
    ReadImageBody(image, mask, size);
    return PartLoadOutcome::Loaded;
}

PartLoadResult LoadBaseAndMask(ImageBanks &banks, int slot, const std::string &entryText,
                               const PartCollection &collection)
{
    const std::string baseName = CollectionFileName(slot, entryText);
    std::unique_ptr<ByteSource> baseFile = collection.Open(baseName);
    if (!baseFile)
        return {PartLoadOutcome::BaseMissing, baseName};
    const PartLoadOutcome baseOutcome = LoadBase(*baseFile, banks, slot);
    baseFile.reset();
    if (baseOutcome != PartLoadOutcome::Loaded)
        return {baseOutcome, baseName};

    const std::string maskName = CollectionFileName(MaskNumber(slot), entryText);
    const std::unique_ptr<ByteSource> maskFile = collection.Open(maskName);
    if (!maskFile)
        return {PartLoadOutcome::MaskMissing, maskName};
    const PartLoadOutcome outcome = LoadMask(*maskFile, banks.WorkMask[static_cast<std::size_t>(slot)]);
    return {outcome, outcome == PartLoadOutcome::Loaded ? std::string() : maskName};
}

} // namespace

std::unique_ptr<ByteSource> PartsFolder::Open(const std::string &fileName) const
{
    auto file = std::make_unique<FileHandle>(FileHandle::OpenForSharedRead(folder_ + fileName));
    if (!file->IsOpen())
        return nullptr;
    return file;
}

std::unique_ptr<ByteSource> PartFilesInMemory::Open(const std::string &fileName) const
{
    const auto found = files.find(fileName);
    if (found == files.end())
        return nullptr;
    return std::make_unique<MemorySource>(found->second);
}

PartLoadResult LoadPartFromCollectionFiles(ImageBanks &banks, int slot, const std::string &entryText,
                                           const PartCollection &collection)
{
    if (entryText.empty()) {
        banks.RestoreSlot(slot);
        return {PartLoadOutcome::Restored, std::string()};
    }
    return LoadBaseAndMask(banks, slot, entryText, collection);
}

bool NeedsRedraw(PartLoadOutcome outcome)
{
    switch (outcome) {
    case PartLoadOutcome::Restored:
    case PartLoadOutcome::Loaded:
    case PartLoadOutcome::MaskMissing:
    case PartLoadOutcome::MaskTooLarge: return true;
    case PartLoadOutcome::BaseMissing:
    case PartLoadOutcome::TooLarge:
    case PartLoadOutcome::NotEightBit: return false;
    }
    return false;
}

std::string PartLoadMessage(const PartLoadResult &result)
{
    switch (result.outcome) {
    case PartLoadOutcome::Restored:
    case PartLoadOutcome::Loaded: return std::string();
    case PartLoadOutcome::BaseMissing: return BaseMissingMessage(result.fileName);
    case PartLoadOutcome::TooLarge:
    case PartLoadOutcome::MaskTooLarge: return TooLargeMessage();
    case PartLoadOutcome::NotEightBit: return PartNotEightBitMessage(result.fileName);
    case PartLoadOutcome::MaskMissing: return MaskMissingMessage(result.fileName);
    }
    return std::string();
}
