#include "package_header.h"

#include <algorithm>

namespace {
constexpr std::size_t FirstTextOffset = 32;
constexpr std::size_t TextFieldSize = 1 + TextCapacity;

std::size_t LengthByteOffset(HeaderTextField which)
{
    return FirstTextOffset + static_cast<std::size_t>(which) * TextFieldSize;
}
} // namespace

std::string GetHeaderText(const PackageHeaderBlock &header, HeaderTextField which)
{
    const std::size_t lengthOffset = LengthByteOffset(which);
    const std::size_t length = header.bytes[lengthOffset];
    const auto first = header.bytes.begin() + lengthOffset + 1;
    return std::string(first, first + length);
}

void SetHeaderText(PackageHeaderBlock &header, HeaderTextField which, const std::string &text)
{
    const std::size_t lengthOffset = LengthByteOffset(which);
    const std::size_t length = std::min(text.size(), TextCapacity);
    header.bytes[lengthOffset] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, header.bytes.begin() + lengthOffset + 1);
}
