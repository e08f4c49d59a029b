#include "text_conversion.h"

#include <algorithm>
#include <cstdio>

#include "command_error.h"
#include "store/code_page.h"

namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t Cp932UnitLength(std::string_view text, std::size_t at)
{
    return IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - at);
}

bool IsWholeUtf8Sequence(std::string_view sequence)
{
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4)) {
        return false;
    }
    const std::size_t expected = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (sequence.size() != expected) {
        return false;
    }
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        if ((static_cast<unsigned char>(sequence[i]) & 0xC0) != 0x80) {
            return false;
        }
    }
    return true;
}

std::string CodePointName(std::string_view sequence)
{
    const auto lead = static_cast<unsigned char>(sequence[0]);
    const unsigned leadBits = sequence.size() == 1   ? 0x7F
                              : sequence.size() == 2 ? 0x1F
                              : sequence.size() == 3 ? 0x0F
                                                     : 0x07;
    char32_t code = lead & leadBits;
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        code = code << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    }
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
    return name;
}

} // namespace

std::string Cp932ToUtf8(std::string_view text)
{
    if (std::optional<std::string> whole = ConvertCp932ToUtf8(text)) {
        return *whole;
    }
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Cp932UnitLength(text, at);
        const std::optional<std::string> unit = ConvertCp932ToUtf8(text.substr(at, length));
        shown += unit ? std::string_view(*unit) : ReplacementCharacter;
        at += length;
    }
    return shown;
}

std::string Utf8ToCp932(std::string_view text, std::string_view what)
{
    if (std::optional<std::string> whole = ConvertUtf8ToCp932(text)) {
        return *whole;
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, at);
        const std::string_view sequence = text.substr(at, length);
        if (!IsWholeUtf8Sequence(sequence)) {
            break;
        }
        if (!ConvertUtf8ToCp932(sequence)) {
            throw UsageError("the character '" + std::string(sequence) + "' (" + CodePointName(sequence) +
                             ") in " + std::string(what) + " cannot be written in code page 932");
        }
        at += length;
    }
    throw UsageError(std::string(what) + " is not valid UTF-8");
}
