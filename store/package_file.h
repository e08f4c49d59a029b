// Reading and writing room packages: the header, then 20 base records and
// 20 mask records, each a 4-byte size followed by a whole BMP file image.
// The readers take any byte source (see byte_source.h): a package file
// opened by OpenPackageFile, or bytes in memory; the
// writer gives the package's bytes or writes them to a file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "buffered_file_source.h"
#include "byte_source.h"
#include "package_header.h"
#include "part_slot.h"
#include "read_reporter.h"

inline constexpr std::size_t RecordSizeFieldSize = 4;
inline constexpr int RecordCount = 2 * SlotCount;
inline constexpr std::size_t LargestPackageSize = HeaderSize + RecordCount * (RecordSizeFieldSize + SlotSize);

// The package file at path opened for shared reading (see IsOpen), read
// into memory in a few large pieces that the records are parsed from.
BufferedFileSource OpenPackageFile(const std::string &path);

// Reads the first HeaderSize bytes into header. Bytes the source does not
// reach keep their previous values.
void ReadPackageHeader(ByteSource &source, PackageHeaderBlock &header);
// Reads the forty records from the current position into the slots of base
// and mask. Never writes past a slot: a record larger than a slot is passed
// over and reported.
void ReadPackageRecords(ByteSource &source, PartBank &base, PartBank &mask, PackageReadReporter &reporter);

// The package of header, base and mask records; nothing when a slot's
// FileSize exceeds the slot.
std::optional<std::vector<std::uint8_t>> PackageBytes(const PackageHeaderBlock &header, const PartBank &base,
                                                      const PartBank &mask);

enum class WriteResult { Written, CannotCreate, WriteFailed, SlotTooLarge };
// Writes the package to path (created anew or truncated). Any failure leaves
// a file that must not be trusted; the caller decides what to do with it.
WriteResult WritePackage(const std::string &path, const PackageHeaderBlock &header, const PartBank &base,
                         const PartBank &mask);
