#include "part_files.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "messages.h"
#include "slot_map.h"
#include "store/file_system.h"
#include "store/part_image_store.h"
#include "two_digits.h"

namespace {

constexpr std::size_t StemCut = 3;
constexpr std::size_t SlotNumberWidth = 2;
constexpr std::size_t FileSizeOffset = 2;

std::string CollectionPath(const std::string &fileName)
{
    return PartsCollectionFolder + fileName;
}

// True when the file holds exactly the first FileSize bytes of the slot.
bool WritePartFile(const PartSlot &slot, const std::string &fileName)
{
    const std::uint32_t size = FileSize(slot);
    if (size > SlotSize)
        return false;
    const std::string path = CollectionPath(fileName);
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.IsOpen())
        return false;
    const bool written = file.Write(slot.bytes.data(), size);
    if (file.Close() && written)
        return true;
    DeleteFileAt(path);
    return false;
}

void ExportPartFile(const PartSlot &slot, int number, const std::string &stem,
                    std::vector<std::string> &failed)
{
    const std::string fileName = ExportFileName(number, stem);
    if (!WritePartFile(slot, fileName))
        failed.push_back(fileName);
}

std::uint32_t FileSizeField(const std::uint8_t *header)
{
    return static_cast<std::uint32_t>(header[FileSizeOffset]) |
           static_cast<std::uint32_t>(header[FileSizeOffset + 1]) << 8 |
           static_cast<std::uint32_t>(header[FileSizeOffset + 2]) << 16 |
           static_cast<std::uint32_t>(header[FileSizeOffset + 3]) << 24;
}

// A part file's own size field must cover its file header and fit a slot.
bool FitsSlot(std::uint32_t fileSize)
{
    return fileSize >= BmpFileHeaderSize && fileSize <= SlotSize;
}

// Reads the rest of an image whose file header is already in the slot.
void ReadImageBody(FileHandle &file, PartSlot &slot, std::uint32_t fileSize)
{
    file.Read(slot.bytes.data() + BmpFileHeaderSize, fileSize - BmpFileHeaderSize);
}

// Reads the mask file into the working mask slot. Its file header goes to a
// local copy first, so that a refused mask leaves the slot as it was.
PartLoadOutcome LoadMask(FileHandle &file, PartSlot &mask)
{
    std::array<std::uint8_t, BmpFileHeaderSize> header;
    std::memcpy(header.data(), mask.bytes.data(), header.size());
    file.Read(header.data(), header.size());
    const std::uint32_t size = FileSizeField(header.data());
    if (!FitsSlot(size))
        return PartLoadOutcome::MaskTooLarge;
    std::memcpy(mask.bytes.data(), header.data(), header.size());
    ReadImageBody(file, mask, size);
    return PartLoadOutcome::Loaded;
}

PartLoadResult LoadBaseAndMask(int slot, const std::string &entryText)
{
    const std::string baseName = CollectionFileName(slot, entryText);
    FileHandle baseFile = FileHandle::OpenForSharedRead(CollectionPath(baseName));
    if (!baseFile.IsOpen())
        return {PartLoadOutcome::BaseMissing, baseName};

    PartSlot &base = PartImageStore::WorkBase[static_cast<std::size_t>(slot)];
    baseFile.Read(base.bytes.data(), BmpFileHeaderSize);
    const std::uint32_t size = FileSize(base);
    if (!FitsSlot(size)) {
        PartImageStore::RestoreBaseSlot(slot);
        return {PartLoadOutcome::TooLarge, baseName};
    }
    ReadImageBody(baseFile, base, size);
    baseFile.Close();
    if (BitCount(base) != 8) {
        PartImageStore::RestoreBaseSlot(slot);
        return {PartLoadOutcome::NotEightBit, baseName};
    }

    const std::string maskName = CollectionFileName(MaskNumber(slot), entryText);
    FileHandle maskFile = FileHandle::OpenForSharedRead(CollectionPath(maskName));
    if (!maskFile.IsOpen())
        return {PartLoadOutcome::MaskMissing, maskName};
    const PartLoadOutcome outcome =
        LoadMask(maskFile, PartImageStore::WorkMask[static_cast<std::size_t>(slot)]);
    return {outcome, outcome == PartLoadOutcome::Loaded ? std::string() : maskName};
}

} // namespace

std::string PartStem(const std::string &fieldText)
{
    return fieldText.size() < StemCut ? std::string() : fieldText.substr(0, fieldText.size() - StemCut);
}

std::string ExportFileName(int number, const std::string &stem)
{
    return TwoDigits(number) + stem + "BMP";
}

std::string ExportedEntryText(const std::string &stem)
{
    return stem + "BMP";
}

std::string CollectionFileName(int number, const std::string &entryText)
{
    return TwoDigits(number) + entryText;
}

std::string CollectionPattern(int slot)
{
    return PartsCollectionFolder + TwoDigits(slot) + "*.bmp";
}

std::vector<std::string> CollectionEntriesForSlot(int slot)
{
    std::vector<std::string> entries;
    for (const FoundEntry &found : FindEntries(CollectionPattern(slot)))
        if (!found.isFolder && found.name.size() >= SlotNumberWidth)
            entries.push_back(found.name.substr(SlotNumberWidth));
    return entries;
}

std::vector<std::string> ExportSlotFiles(int slot, const std::string &stem)
{
    std::vector<std::string> failed;
    const auto index = static_cast<std::size_t>(slot);
    ExportPartFile(PartImageStore::WorkBase[index], slot, stem, failed);
    ExportPartFile(PartImageStore::WorkMask[index], MaskNumber(slot), stem, failed);
    return failed;
}

std::vector<std::string> ExportRoomParts(const std::string &stem,
                                         const std::function<void(int comboId)> &afterStep)
{
    CreateFolder(PartsCollectionFolder);
    std::vector<std::string> failed;
    for (const ExportStep &step : ExportSteps) {
        for (int i = 0; i < step.slotCount; ++i) {
            const std::vector<std::string> stepFailed =
                ExportSlotFiles(step.slots[static_cast<std::size_t>(i)], stem);
            failed.insert(failed.end(), stepFailed.begin(), stepFailed.end());
        }
        if (afterStep)
            afterStep(step.comboId);
    }
    return failed;
}

PartLoadResult LoadPartFromCollectionFiles(int slot, const std::string &entryText)
{
    if (entryText.empty()) {
        PartImageStore::RestoreSlot(slot);
        return {PartLoadOutcome::Restored, std::string()};
    }
    return LoadBaseAndMask(slot, entryText);
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
