#include "part_file_support.h"

#include <algorithm>
#include <stdexcept>

#include "store/file_system.h"

std::vector<std::uint8_t> ImageBytesClaiming(std::uint32_t sizeField, std::size_t byteCount,
                                             std::uint8_t seed)
{
    constexpr std::size_t HeadersSize = 54;
    std::vector<std::uint8_t> bytes(std::max(byteCount, HeadersSize));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, sizeField);
    PutU32(bytes, 14, 40);
    bytes[28] = 8;
    bytes[29] = 0;
    bytes.resize(byteCount);
    return bytes;
}

std::vector<std::uint8_t> ImageBytes(std::uint32_t fileSize, std::uint16_t bitCount, std::uint8_t seed)
{
    std::vector<std::uint8_t> bytes = ImageBytesClaiming(fileSize, fileSize, seed);
    if (bytes.size() >= 30) {
        bytes[28] = static_cast<std::uint8_t>(bitCount);
        bytes[29] = static_cast<std::uint8_t>(bitCount >> 8);
    }
    return bytes;
}

void WriteWholeFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.Write(bytes.data(), bytes.size()) || !file.Close())
        throw std::runtime_error("cannot write a test file");
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string &path)
{
    FileHandle file = FileHandle::OpenForSharedRead(path);
    if (!file.IsOpen())
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> chunk(65536);
    while (const std::size_t got = file.Read(chunk.data(), chunk.size()))
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    return bytes;
}
