#include "colour_option.h"

#include <algorithm>
#include <cctype>

#include "command_error.h"

namespace {
constexpr std::size_t HexDigits = 6;
constexpr int Hexadecimal = 16;
} // namespace

std::uint32_t ParseColour(const std::string &text, const std::string &option)
{
    const std::string digits = text.starts_with('#') ? text.substr(1) : text;
    if (digits.size() != HexDigits || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c));
        })) {
        throw UsageError(option + " needs a colour as RRGGBB (hexadecimal), not " + text);
    }
    return static_cast<std::uint32_t>(std::stoul(digits, nullptr, Hexadecimal));
}
