#include "group_files.h"

#include "part_files.h"
#include "slot_map.h"
#include "store/file_system.h"

namespace {
// More than any part file in any layout holds; a larger file is compared by
// its first bytes and loaded from the folder.
constexpr std::size_t KeptFileBytes = std::size_t{1} << 20;
// Read in pieces: a part file takes two.
constexpr std::size_t Piece = std::size_t{1} << 16;
} // namespace

// Nothing while the file is being written.
std::optional<GroupFiles::File> GroupFiles::ReadFile(const std::string &path)
{
    bool busy = false;
    FileHandle handle = FileHandle::OpenWithoutWriters(path, busy);
    if (busy)
        return std::nullopt;
    File file;
    file.present = handle.IsOpen();
    std::vector<std::uint8_t> &bytes = file.bytes;
    for (std::size_t got = Piece; file.present && got == Piece;) {
        if (bytes.size() == KeptFileBytes) {
            file.whole = false;
            break;
        }
        const std::size_t start = bytes.size();
        bytes.resize(start + Piece);
        got = handle.Read(bytes.data() + start, Piece);
        bytes.resize(start + got);
    }
    bytes.shrink_to_fit();
    return file;
}

std::optional<GroupFiles> GroupFiles::Read(const std::string &collectionFolder, int keySlot,
                                           const std::string &entryText)
{
    GroupFiles group;
    for (const int slot : SlotGroupTable(keySlot))
        for (const int number : {slot, MaskNumber(slot)}) {
            const std::string name = CollectionFileName(number, entryText);
            std::optional<File> file = ReadFile(collectionFolder + name);
            if (!file)
                return std::nullopt;
            group.files_.insert_or_assign(name, std::move(*file));
        }
    return group;
}

std::unique_ptr<ByteSource> GroupFiles::Open(const std::string &fileName) const
{
    const auto found = files_.find(fileName);
    if (found == files_.end() || !found->second.present)
        return nullptr;
    return std::make_unique<MemorySource>(found->second.bytes);
}

bool GroupFiles::Whole() const
{
    for (const auto &[name, file] : files_)
        if (!file.whole)
            return false;
    return true;
}
