// Helpers shared by the store tests: a scratch folder that is the current
// directory while a test runs, a fresh store, BMP images and package files
// built byte by byte, and a reporter that records what the reader reports.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/package_header.h"
#include "store/part_image_store.h"
#include "store/part_slot.h"
#include "store/read_reporter.h"

using Bytes = std::vector<std::uint8_t>;

// A new empty folder under the system's temporary folder, made the current
// directory; the previous one comes back and the folder goes away at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    ~ScratchFolder();

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// The banks and the header the store tests work on: their own, not the
// editor's.
extern ImageBanks TestBanks;
extern PackageHeaderBlock TestHeader;
// Every bank and the header all zeros, as a new editor's.
void ResetStore();

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
