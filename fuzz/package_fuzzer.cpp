// Arbitrary bytes as a package, in memory: read into banks of the fuzzer's
// own, every accessor and the header texts worked on what was read, the
// package written back to memory and read again. A fault is a crash, a
// sanitizer report, a read that differs from a model of the format worked
// out independently of the reader, or a round trip that changes the banks.
//
// The banks start every run all zeros; a run writes only the first bytes of
// its slots, and puts zeros back over them at the end, so that no run pays
// for the whole banks.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "store/byte_reader.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

namespace {

class NoReports : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

struct Store {
    PackageHeaderBlock header;
    ImageBanks banks;
};

PartSlot &RecordSlot(ImageBanks &banks, int record)
{
    return record < SlotCount ? banks.WorkBase[record] : banks.WorkMask[record - SlotCount];
}

const PartSlot &RecordSlot(const ImageBanks &banks, int record)
{
    return record < SlotCount ? banks.WorkBase[record] : banks.WorkMask[record - SlotCount];
}

// Where each record's bytes lie in the input, as the format defines it: a
// record larger than a slot is passed over, bytes the input does not reach
// are missing.
struct RecordSpan {
    std::size_t start = 0;
    std::size_t delivered = 0;
    bool stored = false;
};

std::array<RecordSpan, RecordCount> ModelRecords(std::span<const std::uint8_t> input)
{
    std::array<RecordSpan, RecordCount> records{};
    std::size_t position = std::min(input.size(), HeaderSize);
    for (RecordSpan &record : records) {
        if (input.size() - position < RecordSizeFieldSize) {
            position = input.size();
            continue;
        }
        const std::uint32_t size = ReadU32LE(input, position);
        position += RecordSizeFieldSize;
        record.start = position;
        record.delivered = std::min<std::size_t>(size, input.size() - position);
        record.stored = size <= SlotSize;
        position += record.delivered;
    }
    return records;
}

bool ReadAsModelled(const Store &store, std::span<const std::uint8_t> input,
                    const std::array<RecordSpan, RecordCount> &records)
{
    const std::size_t headerBytes = std::min(input.size(), HeaderSize);
    if (!std::equal(input.begin(), input.begin() + headerBytes, store.header.bytes.begin()) ||
        !std::all_of(store.header.bytes.begin() + headerBytes, store.header.bytes.end(),
                     [](std::uint8_t b) { return b == 0; })) {
        return false;
    }
    for (int record = 0; record < RecordCount; ++record) {
        const RecordSpan &span = records[record];
        const PartSlot &slot = RecordSlot(store.banks, record);
        const std::size_t written = span.stored ? span.delivered : 0;
        if (!std::equal(input.begin() + span.start, input.begin() + span.start + written,
                        slot.bytes.begin())) {
            return false;
        }
        // The first bytes after the record's own are still the zeros of the
        // run's start.
        const std::size_t probeEnd = std::min(SlotSize, written + 64);
        if (!std::all_of(slot.bytes.begin() + written, slot.bytes.begin() + probeEnd,
                         [](std::uint8_t b) { return b == 0; })) {
            return false;
        }
    }
    return true;
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
void ChangeTexts(PackageHeaderBlock &header, std::span<const std::uint8_t> input)
{
    for (const HeaderTextField field : {NameText, RemarksText, AuthorText}) {
        Check(GetHeaderText(header, field).size() <= TextCapacity);
        const std::size_t length =
            input.empty() ? 0 : input[static_cast<std::size_t>(field) % input.size()] % 300;
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>(input[(i + field) % input.size()]);
        }
        SetHeaderText(header, field, text);
        Check(GetHeaderText(header, field) == text.substr(0, TextCapacity));
    }
}

void ReadInto(Store &store, std::span<const std::uint8_t> bytes)
{
    NoReports reporter;
    MemorySource source(bytes);
    ReadPackageHeader(source, store.header);
    ReadPackageRecords(source, store.banks.WorkBase, store.banks.WorkMask, reporter);
}

// How many bytes at the start of each working slot a run may have written.
std::size_t UsedBytes(const PartSlot &slot, const RecordSpan &record)
{
    return std::min<std::size_t>(SlotSize, std::max<std::size_t>(FileSize(slot), record.delivered));
}

// The written package read again into banks that hold what the first read
// left gives the same banks. Only the bytes a run may have written are
// copied and compared: both are zeros beyond.
void RoundTrip(const Store &first, Store &second, const std::array<RecordSpan, RecordCount> &records)
{
    const std::optional<std::vector<std::uint8_t>> written =
        PackageBytes(first.header, first.banks.WorkBase, first.banks.WorkMask);
    if (!written) {
        return;
    }
    for (int record = 0; record < RecordCount; ++record) {
        const PartSlot &slot = RecordSlot(first.banks, record);
        std::memcpy(RecordSlot(second.banks, record).bytes.data(), slot.bytes.data(),
                    UsedBytes(slot, records[record]));
    }
    ReadInto(second, *written);
    Check(second.header.bytes == first.header.bytes);
    for (int record = 0; record < RecordCount; ++record) {
        const PartSlot &a = RecordSlot(first.banks, record);
        const PartSlot &b = RecordSlot(second.banks, record);
        const std::size_t used = UsedBytes(a, records[record]);
        Check(std::equal(a.bytes.begin(), a.bytes.begin() + used, b.bytes.begin()));
        Check(FileSize(a) == FileSize(b));
    }
}

void PutZerosBack(Store &store, const std::array<RecordSpan, RecordCount> &records)
{
    store.header = {};
    for (int record = 0; record < RecordCount; ++record) {
        PartSlot &slot = RecordSlot(store.banks, record);
        std::memset(slot.bytes.data(), 0, UsedBytes(slot, records[record]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const auto first = std::make_unique<Store>();
    static const auto second = std::make_unique<Store>();
    const std::span<const std::uint8_t> input(data, size);
    const std::array<RecordSpan, RecordCount> records = ModelRecords(input);

    ReadInto(*first, input);
    Check(ReadAsModelled(*first, input, records));
    volatile unsigned sink = TouchSlots(first->banks.WorkBase) + TouchSlots(first->banks.WorkMask);
    static_cast<void>(sink);
    ChangeTexts(first->header, input);
    RoundTrip(*first, *second, records);

    // One slot restored from the saved banks (all zeros) and back.
    const int slot = size == 0 ? 0 : data[0] % SlotCount;
    first->banks.RestoreBaseSlot(slot);
    Check(FileSize(first->banks.WorkBase[slot]) == 0);
    first->banks.RestoreSlot(slot);
    Check(BitCount(first->banks.WorkMask[slot]) == 0);

    PutZerosBack(*first, records);
    PutZerosBack(*second, records);
    return 0;
}
