#include "store_test_support.h"

#include <algorithm>
#include <array>
#include <random>

#include <gtest/gtest.h>

#include "store/file_system.h"
#include "store/part_image_store.h"

namespace {
void PutU16(Bytes &bytes, std::size_t offset, std::uint16_t value)
{
    for (std::size_t i = 0; i < 2 && offset + i < bytes.size(); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutU32(Bytes &bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4 && offset + i < bytes.size(); ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}
} // namespace

Bytes MakeImage(std::uint32_t fileSize, std::uint16_t bitCount, std::uint8_t seed)
{
    Bytes image(fileSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
    }
    constexpr std::uint32_t PixelArrayOffset = 1078;
    constexpr std::int32_t ImageWidth = 320;
    PutU16(image, 0, 0x4D42);
    PutU32(image, 2, fileSize);
    PutU32(image, 10, PixelArrayOffset);
    PutU32(image, 14, BmpInfoHeaderSize);
    PutU32(image, 18, ImageWidth);
    PutU32(image, 22, fileSize / ImageWidth);
    PutU16(image, 26, 1);
    PutU16(image, 28, bitCount);
    return image;
}

Bytes SlotBytes(const PartSlot &slot, std::size_t count)
{
    return Bytes(slot.bytes.begin(), slot.bytes.begin() + std::min(count, SlotSize));
}

void PutImage(PartSlot &slot, const Bytes &image)
{
    std::copy_n(image.begin(), std::min(image.size(), SlotSize), slot.bytes.begin());
}

void AppendU32(Bytes &bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void AppendRecord(Bytes &package, const Bytes &image)
{
    AppendRecord(package, static_cast<std::uint32_t>(image.size()), image);
}

void AppendRecord(Bytes &package, std::uint32_t sizeField, const Bytes &payload)
{
    AppendU32(package, sizeField);
    package.insert(package.end(), payload.begin(), payload.end());
}

Bytes MakeHeader(std::uint8_t seed)
{
    Bytes header(HeaderSize);
    for (std::size_t i = 0; i < header.size(); ++i) {
        header[i] = static_cast<std::uint8_t>(seed * 31 + i * 13);
    }
    return header;
}

void WriteBytes(const std::string &name, const Bytes &bytes)
{
    FileHandle file = FileHandle::CreateAlways(name);
    ASSERT_TRUE(file.IsOpen()) << name;
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    ASSERT_TRUE(file.Close());
}

Bytes ReadBytes(const std::string &name)
{
    FileHandle file = FileHandle::OpenForSharedRead(name);
    Bytes bytes;
    std::array<std::uint8_t, 4096> buffer;
    for (std::size_t got; (got = file.Read(buffer.data(), buffer.size())) > 0;) {
        bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + got);
    }
    return bytes;
}

bool FileExists(const std::string &name)
{
    return FileHandle::OpenForSharedRead(name).IsOpen();
}
