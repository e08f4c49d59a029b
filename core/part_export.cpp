#include "part_export.h"

#include "part_files.h"
#include "slot_map.h"
#include "store/file_system.h"

namespace {

// True when the file holds exactly the slot's part file bytes.
bool WritePartFile(const PartSlot &slot, const std::string &path)
{
    const std::optional<std::span<const std::uint8_t>> bytes = PartFileBytes(slot);
    if (!bytes)
        return false;
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.IsOpen())
        return false;
    const bool written = file.Write(bytes->data(), bytes->size());
    if (file.Close() && written)
        return true;
    DeleteFileAt(path);
    return false;
}

void ExportPartFile(const PartSlot &slot, int number, const std::string &stem, const std::string &folder,
                    std::vector<std::string> &failed)
{
    const std::string fileName = ExportFileName(number, stem);
    if (!WritePartFile(slot, folder + fileName))
        failed.push_back(fileName);
}

std::vector<std::string> ExportSlotFiles(const ImageBanks &banks, int slot, const std::string &stem,
                                         const std::string &collectionFolder)
{
    std::vector<std::string> failed;
    const auto index = static_cast<std::size_t>(slot);
    ExportPartFile(banks.WorkBase[index], slot, stem, collectionFolder, failed);
    ExportPartFile(banks.WorkMask[index], MaskNumber(slot), stem, collectionFolder, failed);
    return failed;
}

} // namespace

std::optional<std::span<const std::uint8_t>> PartFileBytes(const PartSlot &slot)
{
    const std::uint32_t size = FileSize(slot);
    if (size > SlotSize)
        return std::nullopt;
    return std::span(slot.bytes).first(size);
}

std::vector<std::string> ExportRoomParts(const ImageBanks &banks, const std::string &stem,
                                         const std::string &collectionFolder,
                                         const std::function<void(int comboId)> &afterStep)
{
    CreateFolder(collectionFolder);
    std::vector<std::string> failed;
    for (const PartGroup &group : PartGroups) {
        for (const int slot : group.ExportOrder()) {
            const std::vector<std::string> slotFailed = ExportSlotFiles(banks, slot, stem, collectionFolder);
            failed.insert(failed.end(), slotFailed.begin(), slotFailed.end());
        }
        if (afterStep)
            afterStep(group.comboId);
    }
    return failed;
}
