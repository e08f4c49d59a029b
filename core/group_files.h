// The bytes of the collection files behind a part group's entry: read when
// the group is loaded and again when the collection folder has changed, so
// that a file saved anew is told from one that is as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FileContent {
    bool present = false;
    // The file's bytes, at most ComparedFileBytes of them.
    std::vector<std::uint8_t> bytes;

    friend bool operator==(const FileContent &, const FileContent &) = default;
};

// More than any part file in any layout holds; a larger file is compared by
// its first bytes.
inline constexpr std::size_t ComparedFileBytes = std::size_t{1} << 20;

using GroupFiles = std::vector<FileContent>;

// The base and mask file of every slot of the key slot's group that the
// entry text names, in the collection folder (ending in '\'). Nothing while
// another program has one of them open for writing.
std::optional<GroupFiles> ReadGroupFiles(const std::string &collectionFolder, int keySlot,
                                         const std::string &entryText);
