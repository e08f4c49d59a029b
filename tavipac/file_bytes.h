// Whole-file reads and writes through the editor's file layer, with the
// errors a command reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Throws a CommandError when the file cannot be opened or holds more than
// limit bytes.
std::vector<std::uint8_t> ReadFileBytes(const std::string &storePath, std::size_t limit);
// True when a file (or folder) of that name exists.
bool PathExists(const std::string &storePath);
// Writes a new file. An existing file is replaced only with replace set;
// otherwise, and when the file cannot be written, throws a CommandError.
void WriteFileBytes(const std::string &storePath, std::span<const std::uint8_t> bytes, bool replace);
