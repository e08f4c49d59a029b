// Zip archives of files kept in memory, for downloads: entries stored
// (uncompressed), all dated by one DOS time. Names are code page 932 bytes
// in the name field with the UTF-8 flag clear, which Explorer on Japanese
// Windows and tools that know no UTF-8 read, and UTF-8 in an Info-ZIP
// Unicode Path extra field (0x7075) on every entry, with the CRC-32 of the
// code page 932 name, which unzip, 7-Zip and libarchive prefer; the layout
// of the release zips.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ZipEntry {
    std::string name; // code page 932, '/' between folders
    std::vector<std::uint8_t> data;
};

struct DosDateTime {
    std::uint16_t time = 0;
    std::uint16_t date = (1 << 5) | 1; // 1980-01-01, the earliest DOS date
};

// The DOS form of a local time; times before 1980 are 1980-01-01 00:00,
// seconds are halved.
DosDateTime MakeDosDateTime(int year, int month, int day, int hour, int minute, int second);

// The archive, or nothing when a name is no code page 932 text, or when
// names, entries or sizes pass what a zip without its 64-bit extension
// holds.
std::optional<std::vector<std::uint8_t>> MakeZip(const std::vector<ZipEntry> &entries, DosDateTime when);
