#include "import_names.h"

#include "core/slot_map.h"

namespace {
constexpr int UnswappableSlot = 14;
constexpr std::size_t DigitCount = 2;
constexpr char ImportedFileEnding[] = ".BMP";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithDigits(const std::string &name)
{
    return name.size() >= DigitCount && IsDigit(name[0]) && IsDigit(name[1]);
}

// A dot is never the second byte of a two-byte character.
std::string WithoutExtension(const std::string &name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}
} // namespace

bool IsImportSlot(int slot)
{
    return slot >= 0 && slot < SlotCount && slot != UnswappableSlot;
}

std::optional<NamedSlot> SlotOfName(const std::string &fileName)
{
    if (!StartsWithDigits(fileName))
        return std::nullopt;
    const int number = (fileName[0] - '0') * 10 + (fileName[1] - '0');
    const bool mask = number >= MaskNumberOffset;
    const int slot = mask ? number - MaskNumberOffset : number;
    if (!IsImportSlot(slot))
        return std::nullopt;
    return NamedSlot{slot, mask};
}

std::string ImportStem(const std::string &fileName)
{
    const std::string base = WithoutExtension(fileName);
    if (StartsWithDigits(base) && base.size() > DigitCount)
        return base.substr(DigitCount);
    return base;
}

std::string NumberedStem(const std::string &stem, int number)
{
    return stem + "-" + std::to_string(number);
}

std::string ImportedEntryText(const std::string &stem)
{
    return stem + ImportedFileEnding;
}
