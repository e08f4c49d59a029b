#include "part_files.h"

#include "two_digits.h"

namespace {
constexpr std::size_t StemCut = 3;
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
