#include "package_file.h"

#include <algorithm>
#include <array>

#include "byte_reader.h"
#include "package_header.h"
#include "part_image_store.h"

namespace {
constexpr std::size_t RecordSizeFieldSize = 4;
constexpr std::size_t LargestPackageSize = HeaderSize + 2 * SlotCount * (RecordSizeFieldSize + SlotSize);
constexpr int MaskRecordNumberBase = SlotCount;
constexpr std::uint16_t SupportedBitCount = 8;

// Static staging memory for a whole package, shared by the reader and the
// writer: the forty records travel in one file call instead of eighty, which
// keeps loading and saving close to the cost of the bytes alone.
std::array<std::uint8_t, LargestPackageSize> Staging;

// The records as the file holds them, taken from staging memory that is
// filled with one read and refilled when a record reaches past it. Passing
// over more than is staged moves the file position on instead.
class RecordSource {
  public:
    explicit RecordSource(FileHandle &file) : file_(file) {}

    std::size_t Take(std::uint8_t *target, std::size_t count)
    {
        std::size_t taken = 0;
        while (taken < count && (position_ < filled_ || Refill())) {
            const std::size_t piece = std::min(count - taken, filled_ - position_);
            std::copy_n(Staging.begin() + position_, piece, target + taken);
            position_ += piece;
            taken += piece;
        }
        return taken;
    }

    void Pass(std::uint64_t count)
    {
        const std::size_t staged =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, filled_ - position_));
        position_ += staged;
        if (count > staged) {
            file_.Skip(count - staged);
        }
    }

  private:
    bool Refill()
    {
        position_ = 0;
        filled_ = file_.Read(Staging.data(), Staging.size());
        return filled_ > 0;
    }

    FileHandle &file_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
};

// The record size field; a field the file does not deliver whole counts as an
// empty record, since nothing follows it.
std::uint32_t TakeRecordSize(RecordSource &source)
{
    std::array<std::uint8_t, RecordSizeFieldSize> field{};
    if (source.Take(field.data(), field.size()) != field.size()) {
        return 0;
    }
    return ReadU32LE(field, 0);
}

// Reads one record into the slot. A record larger than a slot is passed over
// whole so that the next record is read from its true position, and the slot
// keeps what it held. Bytes the file does not deliver keep their old values.
void ReadRecord(RecordSource &source, PartSlot &slot, int recordNumber, PackageReadReporter &reporter)
{
    const std::uint32_t size = TakeRecordSize(source);
    if (size > SlotSize) {
        source.Pass(size);
        reporter.ReportOversizedRecord(recordNumber);
        return;
    }
    source.Take(slot.bytes.data(), size);
}

bool AllSlotsFit(const PartBank &bank)
{
    return std::all_of(bank.begin(), bank.end(),
                       [](const PartSlot &slot) { return FileSize(slot) <= SlotSize; });
}

// Puts one record into staging memory at offset: the image's own file-size
// field as the record size, then that many bytes of the slot. Returns the
// offset after it. The caller has checked that the size fits a slot.
std::size_t StageRecord(std::size_t offset, const PartSlot &slot)
{
    const std::uint32_t size = FileSize(slot);
    for (std::size_t i = 0; i < RecordSizeFieldSize; ++i) {
        Staging[offset + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    std::copy_n(slot.bytes.begin(), size, Staging.begin() + offset + RecordSizeFieldSize);
    return offset + RecordSizeFieldSize + size;
}

std::size_t StagePackage()
{
    std::copy(PackageHeader.bytes.begin(), PackageHeader.bytes.end(), Staging.begin());
    std::size_t end = HeaderSize;
    for (const PartBank *bank : {&PartImageStore::WorkBase, &PartImageStore::WorkMask}) {
        for (const PartSlot &slot : *bank) {
            end = StageRecord(end, slot);
        }
    }
    return end;
}
} // namespace

void ReadPackageHeader(FileHandle &file)
{
    file.Read(PackageHeader.bytes.data(), PackageHeader.bytes.size());
}

void ReadPackageRecords(FileHandle &file, PackageReadReporter &reporter)
{
    RecordSource source(file);
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(source, PartImageStore::WorkBase[slot], slot, reporter);
        if (BitCount(PartImageStore::WorkBase[slot]) != SupportedBitCount) {
            reporter.ReportNotEightBit(slot);
        }
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        ReadRecord(source, PartImageStore::WorkMask[slot], MaskRecordNumberBase + slot, reporter);
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
    const bool written = file.Write(Staging.data(), StagePackage());
    const bool closed = file.Close();
    return written && closed ? WriteResult::Written : WriteResult::WriteFailed;
}
