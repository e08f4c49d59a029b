// The CRC-32 of zip entries and PNG chunks (polynomial 0xEDB88320, as zlib's
// crc32).
#pragma once

#include <cstdint>
#include <span>

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
