#include "package_file.h"

#include <algorithm>
#include <array>

#include "byte_reader.h"
#include "package_header.h"
#include "part_image_store.h"

namespace {
constexpr std::size_t RecordSizeFieldSize = 4;
constexpr int MaskRecordNumberBase = SlotCount;
constexpr std::uint16_t SupportedBitCount = 8;

// The record size field; a field the file does not deliver whole counts as an
// empty record, since nothing follows it.
std::uint32_t ReadRecordSize(FileHandle &file)
{
    std::array<std::uint8_t, RecordSizeFieldSize> field{};
    if (file.Read(field.data(), field.size()) != field.size()) {
        return 0;
    }
    return ReadU32LE(field, 0);
}

// Reads one record into the slot. A record larger than a slot is passed over
// whole so that the next record is read from its true position; the slot keeps
// what it held. Bytes the file does not deliver keep their old values.
void ReadRecord(FileHandle &file, PartSlot &slot, int recordNumber, PackageReadReporter &reporter)
{
    const std::uint32_t size = ReadRecordSize(file);
    if (size > SlotSize) {
        file.Skip(size);
        reporter.ReportOversizedRecord(recordNumber);
        return;
    }
    file.Read(slot.bytes.data(), size);
}

bool AllSlotsFit(const PartBank &bank)
{
    return std::all_of(bank.begin(), bank.end(),
                       [](const PartSlot &slot) { return FileSize(slot) <= SlotSize; });
}

// The record size is the image's own file-size field, and that many bytes of
// the slot follow it.
bool WriteRecord(FileHandle &file, const PartSlot &slot)
{
    const std::uint32_t size = FileSize(slot);
    const std::array<std::uint8_t, RecordSizeFieldSize> field = {
        static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
        static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
    return file.Write(field.data(), field.size()) && file.Write(slot.bytes.data(), size);
}

bool WriteBank(FileHandle &file, const PartBank &bank)
{
    return std::all_of(bank.begin(), bank.end(),
                       [&file](const PartSlot &slot) { return WriteRecord(file, slot); });
}
} // namespace

void ReadPackageHeader(FileHandle &file)
{
    file.Read(PackageHeader.bytes.data(), PackageHeader.bytes.size());
}

void ReadPackageRecords(FileHandle &file, PackageReadReporter &reporter)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(file, PartImageStore::WorkBase[slot], slot, reporter);
        if (BitCount(PartImageStore::WorkBase[slot]) != SupportedBitCount) {
            reporter.ReportNotEightBit(slot);
        }
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(file, PartImageStore::WorkMask[slot], MaskRecordNumberBase + slot, reporter);
    }
}

WriteResult WritePackage(const std::string &path)
{
    if (!AllSlotsFit(PartImageStore::WorkBase) || !AllSlotsFit(PartImageStore::WorkMask)) {
        return WriteResult::SlotTooLarge;
    }
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.IsOpen()) {
        return WriteResult::CannotCreate;
    }
    const bool written = file.Write(PackageHeader.bytes.data(), PackageHeader.bytes.size()) &&
                         WriteBank(file, PartImageStore::WorkBase) &&
                         WriteBank(file, PartImageStore::WorkMask);
    const bool closed = file.Close();
    return written && closed ? WriteResult::Written : WriteResult::WriteFailed;
}
