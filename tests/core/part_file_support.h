// Test support of the core tests: the shared scratch folder, BMP file images
// of chosen sizes, and files written and read through the editor's own file
// layer (names are code page 932).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "file_image_fields.h"
#include "tests/support/scratch_folder.h"

// A BMP file image of fileSize bytes (its size field says so) with the given
// bit count; the bytes after the headers follow from seed.
std::vector<std::uint8_t> ImageBytes(std::uint32_t fileSize, std::uint16_t bitCount, std::uint8_t seed);
// The same image with a size field that differs from the byte count.
std::vector<std::uint8_t> ImageBytesClaiming(std::uint32_t sizeField, std::size_t byteCount,
                                             std::uint8_t seed);

void WriteWholeFile(const std::string &path, const std::vector<std::uint8_t> &bytes);
// Every byte of the file, or nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string &path);
