#include "compose_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "store/package_header.h"

namespace {

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool OpensTwoByteUnit(unsigned char byte)
{
    return byte < 0x20 || byte >= 0x80;
}

// The position after the last whole unit, walking units while below limit.
std::size_t UnitWalkEnd(const std::string &text, std::size_t limit)
{
    std::size_t position = 0;
    while (position < limit)
        position += OpensTwoByteUnit(static_cast<unsigned char>(text[position])) ? 2 : 1;
    return position;
}

// The header text rule: at most 255 bytes, and 254 when the walk in units
// would end past the 255th byte.
std::string CutToWholeUnits(const std::string &text)
{
    if (text.size() < TextCapacity)
        return text;
    const std::string cut = text.substr(0, TextCapacity);
    return UnitWalkEnd(cut, TextCapacity) > TextCapacity ? cut.substr(0, TextCapacity - 1) : cut;
}

// Walks the text character by character as code page 932 reads it.
bool EndsInLoneLeadByte(const std::string &text)
{
    std::size_t position = 0;
    while (position < text.size())
        position += IsLeadByte(static_cast<unsigned char>(text[position])) ? 2 : 1;
    return position > text.size();
}

bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Bytes that stand for no character of code page 932 on their own.
bool IsUnassignedSingleByte(unsigned char byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

bool IsForbiddenSingleByte(unsigned char byte)
{
    constexpr std::string_view Forbidden = "\\/:*?\"<>|";
    return byte < 0x20 || Forbidden.find(static_cast<char>(byte)) != std::string_view::npos ||
           IsUnassignedSingleByte(byte);
}

// Walks the name character by character, so that the second byte of a
// two-byte character (which may be 0x5C, '\') is never taken for a separator.
bool HasOnlyAllowedCharacters(const std::string &name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 >= name.size() || !IsTrailByte(static_cast<unsigned char>(name[i + 1])))
                return false;
            ++i;
        } else if (IsForbiddenSingleByte(byte)) {
            return false;
        }
    }
    return true;
}

std::string UpperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

// Windows takes "CON", "con.txt" and "CON .pac" alike for the device.
bool IsReservedDeviceName(const std::string &name)
{
    static constexpr std::array<std::string_view, 22> Reserved = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    std::string base = UpperAscii(name.substr(0, name.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    return std::find(Reserved.begin(), Reserved.end(), base) != Reserved.end();
}

} // namespace

// The units open two-byte units at half-width katakana and control bytes
// too, so after those they are out of step with the characters and may keep
// the first byte of a character whose second byte was cut off.
std::string CutToTextCapacity(const std::string &text)
{
    std::string cut = CutToWholeUnits(text);
    if (EndsInLoneLeadByte(cut))
        cut.pop_back();
    return cut;
}

bool IsUsableComposeName(const std::string &name)
{
    return !name.empty() && HasOnlyAllowedCharacters(name) && !IsReservedDeviceName(name);
}
