#include "package_report.h"

#include <algorithm>
#include <memory>

#include "command_error.h"
#include "paths.h"
#include "store/byte_reader.h"
#include "store/file_system.h"
#include "store/room_tests.h"
#include "core/two_digits.h"

namespace {

constexpr std::uint16_t PartBitCount = 8;
constexpr std::size_t SkipChunk = 65536;

std::string Number(std::uint64_t value)
{
    return std::to_string(value);
}

void CheckPixelRows(const PartSlot &slot, std::size_t bytesPresent, RecordReport &record)
{
    if (record.width <= 0 || record.height == 0) {
        record.problems.push_back("no pixels (width " + std::to_string(record.width) + ", height " +
                                  std::to_string(record.height) + ")");
        return;
    }
    if (record.height < 0) {
        record.problems.push_back("rows stored top-down (negative height)");
    }
    const std::optional<std::size_t> pixelOffset = PixelBitsOffset(slot);
    if (!pixelOffset) {
        return;
    }
    const std::uint64_t rows = record.height < 0 ? -static_cast<std::int64_t>(record.height) : record.height;
    const std::uint64_t needed = *pixelOffset + BmpRowStride(record.width, record.bitCount) * rows;
    if (needed > bytesPresent) {
        record.problems.push_back("pixel rows do not fit: the image needs " + Number(needed) +
                                  " bytes, the record holds " + Number(bytesPresent));
    }
}

void CheckImage(const PartSlot &slot, std::size_t bytesPresent, RecordReport &record)
{
    record.fileSize = FileSize(slot);
    record.width = Width(slot);
    record.height = Height(slot);
    record.bitCount = BitCount(slot);
    if (record.recordSize != record.fileSize) {
        record.problems.push_back("record size " + Number(record.recordSize) +
                                  " differs from the image's file size " + Number(record.fileSize));
    }
    if (record.fileSize > SlotSize && record.recordSize <= SlotSize) {
        record.problems.push_back("the image's file size " + Number(record.fileSize) +
                                  " is larger than a slot (" + Number(SlotSize) + " bytes)");
    }
    if (record.bitCount != PartBitCount) {
        record.problems.push_back("not 8-bit (" + std::to_string(record.bitCount) + " bits per pixel)");
    }
    CheckPixelRows(slot, bytesPresent, record);
}

// A slot that holds one record at a time, all zeros after it; only the bytes
// the previous record left are cleared.
class ScratchSlot {
  public:
    const PartSlot &Slot() const { return *slot_; }

    // The record's first count bytes, zeros after them.
    std::size_t ReadFrom(ByteSource &file, std::size_t count)
    {
        const std::size_t got = file.Read(slot_->bytes.data(), count);
        if (got < used_) {
            std::fill(slot_->bytes.begin() + got, slot_->bytes.begin() + used_, 0);
        }
        used_ = got;
        return got;
    }

  private:
    std::unique_ptr<PartSlot> slot_ = std::make_unique<PartSlot>();
    std::size_t used_ = 0;
};

std::uint64_t SkipRest(ByteSource &file, std::uint64_t count)
{
    if (count == 0) {
        return 0;
    }
    std::vector<std::uint8_t> chunk(SkipChunk);
    std::uint64_t skipped = 0;
    while (skipped < count) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(SkipChunk, count - skipped));
        const std::size_t got = file.Read(chunk.data(), want);
        skipped += got;
        if (got < want) {
            break;
        }
    }
    return skipped;
}

// Reads one record; false when the file ended within it.
bool ReadRecord(ByteSource &file, ScratchSlot &slot, RecordReport &record, std::uint64_t &fileLength)
{
    std::array<std::uint8_t, RecordSizeFieldSize> sizeField{};
    const std::size_t sizeBytes = file.Read(sizeField.data(), sizeField.size());
    fileLength += sizeBytes;
    if (sizeBytes < sizeField.size()) {
        return false;
    }
    record.present = true;
    record.recordSize = ReadU32LE(sizeField, 0);
    if (record.recordSize == 0) {
        record.problems.push_back("empty record");
        return true;
    }
    const std::size_t wanted = std::min<std::size_t>(record.recordSize, SlotSize);
    const std::size_t got = slot.ReadFrom(file, wanted);
    const std::uint64_t skipped = got == wanted ? SkipRest(file, record.recordSize - wanted) : 0;
    fileLength += got + skipped;
    if (record.recordSize > SlotSize) {
        record.problems.push_back("record of " + Number(record.recordSize) +
                                  " bytes is larger than a slot (" + Number(SlotSize) +
                                  " bytes); the editor skips it");
    }
    const bool cutShort = got + skipped < record.recordSize;
    // The rows of a cut record are missing because the file ends: that is
    // the one problem to name.
    CheckImage(slot.Slot(), cutShort ? SlotSize : got, record);
    if (cutShort) {
        record.problems.push_back("cut short: the file ends after " + Number(got + skipped) + " of its " +
                                  Number(record.recordSize) + " bytes");
        return false;
    }
    return true;
}

void ReadRecords(ByteSource &file, PackageReport &report)
{
    ScratchSlot slot;
    for (int number = 0; number < RecordCount; ++number) {
        RecordReport &record = report.records[number];
        if (!ReadRecord(file, slot, record, report.fileLength)) {
            if (!record.present) {
                report.problems.push_back("the file ends before record No." + TwoDigits(number));
            }
            return;
        }
    }
    const std::uint64_t trailing = SkipRest(file, UINT64_MAX);
    report.fileLength += trailing;
    if (trailing > 0) {
        report.problems.push_back(Number(trailing) + " bytes after the last record");
    }
}

PackageReport Inspect(ByteSource &source, const std::string &path, bool withRecords)
{
    PackageReport report;
    report.path = path;
    for (int number = 0; number < RecordCount; ++number) {
        report.records[number].number = number;
        report.records[number].slot = number % SlotCount;
        report.records[number].isMask = number >= SlotCount;
    }
    report.headerBytesRead = source.Read(report.header.bytes.data(), report.header.bytes.size());
    report.fileLength = report.headerBytesRead;
    const std::span<const std::uint8_t> head = std::span(report.header.bytes).first(report.headerBytesRead);
    report.roomListProbe = RoomListProbe(head);
    report.composeListProbe = ComposeListProbe(head);
    if (report.headerBytesRead < HeaderSize) {
        report.problems.push_back("the header is cut short: " + Number(report.headerBytesRead) + " of " +
                                  Number(HeaderSize) + " bytes");
    } else if (withRecords) {
        ReadRecords(source, report);
    }
    if (!report.roomListProbe) {
        report.problems.push_back("not a room: neither flag byte 16 nor flag byte 19 is 1");
    }
    return report;
}

// The records are read as the editor reads them, the file in one call; the
// header alone with one read of its own size.
PackageReport InspectFile(const std::string &storePath, bool withRecords)
{
    BufferedFileSource file = withRecords
                                  ? OpenPackageFile(storePath)
                                  : BufferedFileSource(FileHandle::OpenForSharedRead(storePath), HeaderSize);
    if (!file.IsOpen()) {
        throw CommandError("cannot open " + ShownPath(storePath));
    }
    return Inspect(file, storePath, withRecords);
}

} // namespace

bool PackageReport::HasProblems() const
{
    return !problems.empty() || std::any_of(records.begin(), records.end(),
                                            [](const RecordReport &r) { return !r.problems.empty(); });
}

PackageReport InspectPackage(const std::string &storePath)
{
    return InspectFile(storePath, true);
}

PackageReport InspectPackage(ByteSource &source, const std::string &path)
{
    return Inspect(source, path, true);
}

PackageReport InspectPackageHeader(const std::string &storePath)
{
    return InspectFile(storePath, false);
}

std::string RecordName(const RecordReport &record)
{
    std::string name = "No." + TwoDigits(record.number) + (record.isMask ? " mask" : " base");
    if (record.isMask) {
        name += " (slot " + TwoDigits(record.slot) + ")";
    }
    return name;
}
