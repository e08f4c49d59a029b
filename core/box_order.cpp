#include "box_order.h"

#include <string_view>

namespace {
constexpr unsigned char FullWidthLead = 0x82;
constexpr unsigned char FullWidthUpperFirst = 0x60; // Ａ
constexpr unsigned char FullWidthUpperLast = 0x79;  // Ｚ
constexpr unsigned char FullWidthLowerFirst = 0x81; // ａ

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
} // namespace

// Walked by characters, so that a second byte that happens to be an ASCII
// letter stays as it is.
std::string BoxOrderKey(const std::string &text)
{
    std::string key = text;
    for (std::size_t at = 0; at < key.size(); ++at) {
        const auto byte = static_cast<unsigned char>(key[at]);
        if (byte >= 'A' && byte <= 'Z') {
            key[at] = static_cast<char>(byte - 'A' + 'a');
        } else if (IsLeadByte(byte) && at + 1 < key.size()) {
            const auto second = static_cast<unsigned char>(key[at + 1]);
            if (byte == FullWidthLead && second >= FullWidthUpperFirst && second <= FullWidthUpperLast)
                key[at + 1] = static_cast<char>(second - FullWidthUpperFirst + FullWidthLowerFirst);
            ++at;
        }
    }
    return key;
}

bool BoxOrderLess(const std::string &a, const std::string &b)
{
    const auto bytes = [](const std::string &text) {
        return std::basic_string_view<unsigned char>(reinterpret_cast<const unsigned char *>(text.data()),
                                                     text.size());
    };
    const std::string keyA = BoxOrderKey(a);
    const std::string keyB = BoxOrderKey(b);
    if (keyA != keyB)
        return bytes(keyA) < bytes(keyB);
    return bytes(a) < bytes(b);
}
