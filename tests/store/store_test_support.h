// Helpers shared by the store tests: the shared scratch folder and banks,
// BMP images and package files built byte by byte, and a reporter that
// records what the reader reports.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "store/part_slot.h"
#include "store/read_reporter.h"

using Bytes = std::vector<std::uint8_t>;

// A BMP file image of fileSize bytes whose own file-size field says fileSize;
// the bytes after the headers follow a pattern picked by seed.
Bytes MakeImage(std::uint32_t fileSize, std::uint16_t bitCount, std::uint8_t seed);
Bytes SlotBytes(const PartSlot &slot, std::size_t count = SlotSize);
void PutImage(PartSlot &slot, const Bytes &image);

void AppendU32(Bytes &bytes, std::uint32_t value);
// A 4-byte size field followed by the image.
void AppendRecord(Bytes &package, const Bytes &image);
void AppendRecord(Bytes &package, std::uint32_t sizeField, const Bytes &payload);
// A header whose every byte follows a pattern picked by seed.
Bytes MakeHeader(std::uint8_t seed);

void WriteBytes(const std::string &name, const Bytes &bytes);
Bytes ReadBytes(const std::string &name);
bool FileExists(const std::string &name);

class RecordingReporter : public PackageReadReporter {
  public:
    void ReportNotEightBit(int slot) override { notEightBit.push_back(slot); }
    void ReportOversizedRecord(int recordNumber) override { oversized.push_back(recordNumber); }

    std::vector<int> notEightBit;
    std::vector<int> oversized;
};
