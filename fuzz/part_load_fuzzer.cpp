// Arbitrary bytes as the part files of a collection, loaded into the
// working banks as a choice in a part combo box loads them. The first byte
// picks the part group; then, for each slot of the group in load order, a
// base file and a mask file each come as a 16-bit length (0xFFFF: no such
// file) and that many bytes. Each file is first made into the slot layout:
// a file the conversion changes comes out in that layout, with its bit
// count, width and height, and stays as it is when converted again. Every
// outcome is checked against the refusals: the base's size field must cover
// its header and fit a slot, the base must be 8-bit, a mask whose size field
// does not fit is refused; a refused base leaves the saved part in the slot.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/part_files.h"
#include "core/part_layout.h"
#include "core/part_loading.h"
#include "core/slot_map.h"
#include "fuzz_check.h"
#include "store/byte_reader.h"

namespace {
constexpr std::uint16_t NoFile = 0xFFFF;
const std::string EntryText = "x.bmp";

// A file of the input and what the conversion into the slot layout makes of
// it, converted once for every check.
struct PartFile {
    std::vector<std::uint8_t> bytes;
    std::optional<std::vector<std::uint8_t>> inSlotLayout;
};

class InputReader {
  public:
    explicit InputReader(std::span<const std::uint8_t> input) : input_(input) {}

    // One file's bytes and their conversion, or nothing for a missing file.
    std::optional<PartFile> NextFile()
    {
        const std::uint16_t length = ReadU16LE(input_, at_);
        at_ = std::min(input_.size(), at_ + 2);
        if (length == NoFile) {
            return std::nullopt;
        }
        const std::size_t count = std::min<std::size_t>(length, input_.size() - at_);
        std::vector<std::uint8_t> bytes(input_.begin() + at_, input_.begin() + at_ + count);
        at_ += count;
        std::optional<std::vector<std::uint8_t>> inSlotLayout = InSlotLayout(bytes);
        return PartFile{std::move(bytes), std::move(inSlotLayout)};
    }

  private:
    std::span<const std::uint8_t> input_;
    std::size_t at_ = 1;
};

bool SameSlot(const PartSlot &a, const PartSlot &b)
{
    return a.bytes == b.bytes;
}

bool Fits(std::uint32_t fileSize)
{
    return fileSize >= BmpFileHeaderSize && fileSize <= SlotSize;
}

// The slot holds the file as the slot layout has it, up to its size field.
bool StartsWith(const PartSlot &slot, const PartFile &file)
{
    const std::optional<std::vector<std::uint8_t>> &image = file.inSlotLayout;
    if (!image) {
        return false;
    }
    const std::size_t count = std::min<std::size_t>(image->size(), FileSize(slot));
    return std::equal(image->begin(), image->begin() + count, slot.bytes.begin());
}

void CheckConversion(const PartFile &part)
{
    const std::vector<std::uint8_t> &file = part.bytes;
    const std::optional<std::vector<std::uint8_t>> &image = part.inSlotLayout;
    if (!image || *image == file) {
        return;
    }
    // The 12-byte header holds 16-bit fields of its own.
    const bool core = ReadU32LE(file, BmpField::InfoSize) == BmpInfoSize::Core;
    const std::uint16_t bitCount = ReadU16LE(file, core ? BmpField::CoreBitCount : BmpField::BitCount);
    const std::uint32_t width =
        core ? ReadU16LE(file, BmpField::CoreWidth) : ReadU32LE(file, BmpField::Width);
    const std::int32_t height =
        core ? ReadU16LE(file, BmpField::CoreHeight) : ReadI32LE(file, BmpField::Height);
    Check(image->size() <= SlotSize && ReadU32LE(*image, BmpField::FileSize) == image->size());
    Check(ReadU32LE(*image, BmpField::InfoSize) == BmpInfoHeaderSize &&
          ReadU32LE(*image, BmpField::Compression) == BmpCompression::None);
    Check(bitCount <= 8 && ReadU32LE(*image, BmpField::PixelOffset) ==
                               BmpField::ColourTable + (BmpColourEntrySize << bitCount));
    Check(ReadU16LE(*image, BmpField::BitCount) == bitCount && ReadU32LE(*image, BmpField::Width) == width);
    Check(ReadI32LE(*image, BmpField::Height) == (height < 0 ? -std::int64_t{height} : height));
    Check(InSlotLayout(*image) == image);
}

void CheckBase(const ImageBanks &banks, int slot, const std::optional<PartFile> &file,
               const PartLoadResult &result)
{
    const PartSlot &base = banks.WorkBase[slot];
    switch (result.outcome) {
    case PartLoadOutcome::BaseMissing: Check(!file); break;
    case PartLoadOutcome::TooLarge:
    case PartLoadOutcome::NotEightBit:
        Check(file.has_value());
        Check(SameSlot(base, banks.SavedBase[slot]));
        break;
    case PartLoadOutcome::Loaded:
    case PartLoadOutcome::MaskMissing:
    case PartLoadOutcome::MaskTooLarge:
        Check(file && Fits(FileSize(base)) && BitCount(base) == 8 && StartsWith(base, *file));
        break;
    case PartLoadOutcome::Restored: Check(false); break;
    }
}

void CheckMask(const ImageBanks &banks, int slot, const std::optional<PartFile> &file,
               const PartLoadResult &result)
{
    if (result.outcome == PartLoadOutcome::Loaded) {
        Check(file && Fits(FileSize(banks.WorkMask[slot])) && StartsWith(banks.WorkMask[slot], *file));
    }
    if (result.outcome == PartLoadOutcome::MaskMissing) {
        Check(!file);
    }
    Check(NeedsRedraw(result.outcome) ==
          (result.outcome != PartLoadOutcome::BaseMissing && result.outcome != PartLoadOutcome::TooLarge &&
           result.outcome != PartLoadOutcome::NotEightBit));
    Check(PartLoadMessage(result).empty() == (result.outcome == PartLoadOutcome::Loaded));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const auto banks = std::make_unique<ImageBanks>();
    const PartGroup &group = PartGroups[data[0] % PartGroups.size()];
    InputReader reader(std::span(data, size));
    PartFilesInMemory collection;
    const std::span<const int> slots = SlotGroupTable(group.KeySlot());
    std::vector<std::optional<PartFile>> bases;
    std::vector<std::optional<PartFile>> masks;
    for (const int slot : slots) {
        bases.push_back(reader.NextFile());
        masks.push_back(reader.NextFile());
        for (const auto *file : {&bases.back(), &masks.back()}) {
            if (*file) {
                CheckConversion(**file);
            }
        }
        if (bases.back()) {
            collection.files[CollectionFileName(slot, EntryText)] = bases.back()->bytes;
        }
        if (masks.back()) {
            collection.files[CollectionFileName(MaskNumber(slot), EntryText)] = masks.back()->bytes;
        }
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const int slot = slots[i];
        const PartLoadResult result = LoadPartFromCollectionFiles(*banks, slot, EntryText, collection);
        CheckBase(*banks, slot, bases[i], result);
        CheckMask(*banks, slot, masks[i], result);
    }
    // The empty entry puts the saved (all zero) parts back.
    for (const int slot : slots) {
        Check(LoadPartFromCollectionFiles(*banks, slot, "", collection).outcome == PartLoadOutcome::Restored);
        Check(FileSize(banks->WorkBase[slot]) == 0 && FileSize(banks->WorkMask[slot]) == 0);
    }
    return 0;
}
