#include "part_files.h"

#include "store/file_system.h"
#include "two_digits.h"

namespace {
constexpr std::size_t StemCut = 3;
constexpr std::size_t SlotNumberWidth = 2;
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

std::string CollectionPattern(const std::string &collectionFolder, int slot)
{
    return collectionFolder + TwoDigits(slot) + "*.bmp";
}

std::vector<std::string> CollectionEntriesForSlot(const std::string &collectionFolder, int slot)
{
    std::vector<std::string> entries;
    for (const FoundEntry &found : FindEntries(CollectionPattern(collectionFolder, slot)))
        if (!found.isFolder && found.name.size() >= SlotNumberWidth)
            entries.push_back(found.name.substr(SlotNumberWidth));
    return entries;
}
