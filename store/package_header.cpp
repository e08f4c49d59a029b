#include "package_header.h"

#include <algorithm>

PackageHeaderBlock PackageHeader;

namespace {
constexpr std::size_t FirstTextOffset = 32;
constexpr std::size_t TextFieldSize = 1 + TextCapacity;

std::size_t LengthByteOffset(HeaderTextField which)
{
    return FirstTextOffset + static_cast<std::size_t>(which) * TextFieldSize;
}
} // namespace

std::string GetHeaderText(HeaderTextField which)
{
    const std::size_t lengthOffset = LengthByteOffset(which);
    const std::size_t length = PackageHeader.bytes[lengthOffset];
    const auto first = PackageHeader.bytes.begin() + lengthOffset + 1;
    return std::string(first, first + length);
}

void SetHeaderText(HeaderTextField which, const std::string &text)
{
    const std::size_t lengthOffset = LengthByteOffset(which);
    const std::size_t length = std::min(text.size(), TextCapacity);
    PackageHeader.bytes[lengthOffset] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, PackageHeader.bytes.begin() + lengthOffset + 1);
}
