// Reading a whole file of someone else's into memory, up to a limit, so that
// no file can make the program hold more than that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class WholeFileStatus { Read, CannotOpen, TooLarge };

struct WholeFile {
    WholeFileStatus status = WholeFileStatus::CannotOpen;
    std::vector<std::uint8_t> bytes; // only when Read
};

WholeFile ReadWholeFile(const std::string &path, std::size_t limit);
