#include "collection_listing.h"

#include <algorithm>
#include <optional>

#include "store/file_system.h"

namespace {
constexpr char PartFilePattern[] = "*.bmp";
constexpr std::size_t NumberWidth = 2;
constexpr int Decimal = 10;

// The number in the first two characters of a part file's name (00 to 39:
// a slot, or a slot's mask), if they are digits.
std::optional<int> PartNumber(const std::string &name)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.size() < NumberWidth || !digit(name[0]) || !digit(name[1]))
        return std::nullopt;
    const int number = (name[0] - '0') * Decimal + (name[1] - '0');
    return number < 2 * SlotCount ? std::optional<int>(number) : std::nullopt;
}

// The group of a slot, or -1 for slot 14, which has none.
int GroupIndexOfSlot(int slot)
{
    for (std::size_t index = 0; index < PartGroups.size(); ++index) {
        const std::span<const int> slots = PartGroups[index].ExportOrder();
        if (std::find(slots.begin(), slots.end(), slot) != slots.end())
            return static_cast<int>(index);
    }
    return -1;
}
} // namespace

// The pattern keeps the file system's own matching of the extension (any
// letter case); the two digits are read from the name.
CollectionListing ListCollection(const std::string &collectionFolder)
{
    CollectionListing listing;
    for (const FoundEntry &found : FindEntries(collectionFolder + PartFilePattern)) {
        const std::optional<int> number = found.isFolder ? std::nullopt : PartNumber(found.name);
        if (!number)
            continue;
        const int slot = *number % SlotCount;
        const int group = GroupIndexOfSlot(slot);
        if (group < 0)
            continue;
        GroupListing &entries = listing[static_cast<std::size_t>(group)];
        std::string text = found.name.substr(NumberWidth);
        if (*number == PartGroups[static_cast<std::size_t>(group)].KeySlot())
            entries.offered.push_back(text);
        entries.named.push_back(std::move(text));
    }
    return listing;
}
