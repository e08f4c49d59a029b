#include "package_file.h"

#include <algorithm>
#include <array>

#include "byte_reader.h"
#include "file_system.h"

namespace {
constexpr int MaskRecordNumberBase = SlotCount;
constexpr std::uint16_t SupportedBitCount = 8;
// A package file is read in pieces that stay in the processor's cache while
// its records are copied out of them into their slots: one read for a
// package of up to this size, 25 for the largest. One read of a whole large
// package costs about twice a bare read of it, as the copy out of a buffer
// larger than the cache goes through memory a second time.
constexpr std::size_t PackageReadPiece = 128 * 1024;

// The record size field; nothing when the source does not deliver it whole.
std::optional<std::uint32_t> ReadRecordSize(ByteSource &source)
{
    std::array<std::uint8_t, RecordSizeFieldSize> field{};
    if (source.Read(field.data(), field.size()) != field.size()) {
        return std::nullopt;
    }
    return ReadU32LE(field, 0);
}

// Reads one record into the slot, straight from the source. A record larger
// than a slot is passed over whole so that the next record is read from its
// true position, and the slot keeps what it held. A size field the source
// does not deliver whole counts as an empty record, since nothing follows it;
// bytes the source does not deliver keep their old values.
void ReadRecord(ByteSource &source, PartSlot &slot, int recordNumber, PackageReadReporter &reporter)
{
    const std::uint32_t size = ReadRecordSize(source).value_or(0);
    if (size > SlotSize) {
        source.Skip(size);
        reporter.ReportOversizedRecord(recordNumber);
        return;
    }
    source.Read(slot.bytes.data(), size);
}

bool AllSlotsFit(const PartBank &bank)
{
    return std::all_of(bank.begin(), bank.end(),
                       [](const PartSlot &slot) { return FileSize(slot) <= SlotSize; });
}

// One record: the image's own file-size field as the record size, then that
// many bytes of the slot. The caller has checked that the size fits a slot.
void AppendRecord(std::vector<std::uint8_t> &bytes, const PartSlot &slot)
{
    const std::uint32_t size = FileSize(slot);
    for (std::size_t i = 0; i < RecordSizeFieldSize; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    }
    bytes.insert(bytes.end(), slot.bytes.begin(), slot.bytes.begin() + size);
}
} // namespace

BufferedFileSource OpenPackageFile(const std::string &path)
{
    return BufferedFileSource(FileHandle::OpenForSharedRead(path), PackageReadPiece);
}

void ReadPackageHeader(ByteSource &source, PackageHeaderBlock &header)
{
    source.Read(header.bytes.data(), header.bytes.size());
}

void ReadPackageRecords(ByteSource &source, PartBank &base, PartBank &mask, PackageReadReporter &reporter)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(source, base[slot], slot, reporter);
        if (BitCount(base[slot]) != SupportedBitCount) {
            reporter.ReportNotEightBit(slot);
        }
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(source, mask[slot], MaskRecordNumberBase + slot, reporter);
    }
}

std::optional<std::vector<std::uint8_t>> PackageBytes(const PackageHeaderBlock &header, const PartBank &base,
                                                      const PartBank &mask)
{
    if (!AllSlotsFit(base) || !AllSlotsFit(mask)) {
        return std::nullopt;
    }
    std::size_t total = HeaderSize;
    for (const PartBank *bank : {&base, &mask}) {
        for (const PartSlot &slot : *bank) {
            total += RecordSizeFieldSize + FileSize(slot);
        }
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(total);
    bytes.insert(bytes.end(), header.bytes.begin(), header.bytes.end());
    for (const PartBank *bank : {&base, &mask}) {
        for (const PartSlot &slot : *bank) {
            AppendRecord(bytes, slot);
        }
    }
    return bytes;
}

WriteResult WritePackage(const std::string &path, const PackageHeaderBlock &header, const PartBank &base,
                         const PartBank &mask)
{
    const std::optional<std::vector<std::uint8_t>> bytes = PackageBytes(header, base, mask);
    if (!bytes) {
        return WriteResult::SlotTooLarge;
    }
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.IsOpen()) {
        return WriteResult::CannotCreate;
    }
    const bool written = file.Write(bytes->data(), bytes->size());
    const bool closed = file.Close();
    return written && closed ? WriteResult::Written : WriteResult::WriteFailed;
}
