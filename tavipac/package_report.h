// What a package file holds, read record by record as the editor reads it,
// with every problem the editor would stumble over: record sizes that
// disagree with the images, images that are not 8-bit or larger than a slot,
// pixel rows that do not fit, and a file that is cut short or too long.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/byte_source.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_slot.h"

struct RecordReport {
    int number = 0; // 00-19 base images, 20-39 masks, as in part file names
    int slot = 0;
    bool isMask = false;
    bool present = false; // false when the file ends before the record
    std::uint32_t recordSize = 0;
    std::uint32_t fileSize = 0; // the image's own file-size field
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::vector<std::string> problems;
};

struct PackageReport {
    std::string path; // as the file layer takes it
    std::uint64_t fileLength = 0;
    PackageHeaderBlock header;
    std::size_t headerBytesRead = 0;
    bool roomListProbe = false;
    bool composeListProbe = false;
    std::array<RecordReport, RecordCount> records{};
    std::vector<std::string> problems; // of the file as a whole

    std::uint8_t FlagByte(std::size_t offset) const { return header.bytes[offset]; }
    // The text's bytes as its length byte counts them (code page 932).
    std::string Text(HeaderTextField which) const { return GetHeaderText(header, which); }
    bool HasProblems() const;
};

// Throws a CommandError when the file cannot be opened.
PackageReport InspectPackage(const std::string &storePath);
// The package's bytes from source; path is the name the report gives it.
PackageReport InspectPackage(ByteSource &source, const std::string &path);
// Only the header and the room tests; the records stay unread.
PackageReport InspectPackageHeader(const std::string &storePath);

// "No.05 base" or "No.25 mask (slot 05)": how messages name a record.
std::string RecordName(const RecordReport &record);
