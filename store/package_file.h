// Reading and writing room packages: the header, then 20 base records and
// 20 mask records, each a 4-byte size followed by a whole BMP file image.
#pragma once

#include <string>

#include "file_system.h"
#include "read_reporter.h"

// Reads the first HeaderSize bytes of the file into PackageHeader. Bytes the
// file does not reach keep their previous values.
void ReadPackageHeader(FileHandle& file);
// Reads the forty records from the current position into WorkBase and
// WorkMask. Never writes past a slot: a record larger than a slot is passed
// over and reported.
void ReadPackageRecords(FileHandle& file, PackageReadReporter& reporter);

enum class WriteResult { Written, CannotCreate, WriteFailed, SlotTooLarge };
// Writes PackageHeader and the working banks to path (created anew or
// truncated). Any failure leaves a file that must not be trusted; the caller
// decides what to do with it.
WriteResult WritePackage(const std::string& path);
