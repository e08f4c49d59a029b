#include "group_files.h"

#include "part_files.h"
#include "slot_map.h"
#include "store/file_system.h"

namespace {
// Read in pieces: a part file takes two.
constexpr std::size_t Piece = std::size_t{1} << 16;

// Nothing while the file is being written.
std::optional<FileContent> ReadFileContent(const std::string &path)
{
    bool busy = false;
    FileHandle file = FileHandle::OpenWithoutWriters(path, busy);
    if (busy)
        return std::nullopt;
    FileContent content;
    content.present = file.IsOpen();
    std::vector<std::uint8_t> &bytes = content.bytes;
    for (std::size_t got = Piece; content.present && got == Piece && bytes.size() < ComparedFileBytes;) {
        const std::size_t start = bytes.size();
        bytes.resize(start + Piece);
        got = file.Read(bytes.data() + start, Piece);
        bytes.resize(start + got);
    }
    bytes.shrink_to_fit();
    return content;
}
} // namespace

std::optional<GroupFiles> ReadGroupFiles(const std::string &collectionFolder, int keySlot,
                                         const std::string &entryText)
{
    GroupFiles files;
    for (const int slot : SlotGroupTable(keySlot))
        for (const int number : {slot, MaskNumber(slot)}) {
            std::optional<FileContent> content =
                ReadFileContent(collectionFolder + CollectionFileName(number, entryText));
            if (!content)
                return std::nullopt;
            files.push_back(std::move(*content));
        }
    return files;
}
