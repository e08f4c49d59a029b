#include "collection_listing.h"

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
        const PartGroup *group = GroupOfSlot(*number % SlotCount);
        if (!group)
            continue;
        GroupListing &entries = listing[GroupIndex(*group)];
        std::string text = found.name.substr(NumberWidth);
        if (*number == group->KeySlot())
            entries.offered.push_back(text);
        entries.named.push_back(std::move(text));
    }
    return listing;
}
