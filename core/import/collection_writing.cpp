#include "collection_writing.h"

#include "core/part_export.h"
#include "core/part_files.h"
#include "import_names.h"
#include "store/file_system.h"

namespace {
// Far more than any folder holds of them; a folder that refuses every one
// cannot be written.
constexpr int TemporaryNameTries = 1000;
constexpr char TemporaryPrefix[] = "~tavi-import-";
constexpr char TemporarySuffix[] = ".tmp";

bool WriteWhole(FileHandle &file, const std::vector<std::uint8_t> &bytes)
{
    const bool written = file.Write(bytes.data(), bytes.size());
    return file.Close() && written;
}

// A new file under a temporary name that matches no part pattern; its path,
// or nothing.
std::optional<std::string> WriteTemporary(const std::string &folder, const std::vector<std::uint8_t> &bytes)
{
    for (int number = 1; number <= TemporaryNameTries; ++number) {
        const std::string path = folder + TemporaryPrefix + std::to_string(number) + TemporarySuffix;
        FileHandle file = FileHandle::CreateNew(path);
        if (!file.IsOpen())
            continue;
        if (WriteWhole(file, bytes))
            return path;
        DeleteFileAt(path);
        return std::nullopt;
    }
    return std::nullopt;
}

void DeleteAll(const std::vector<std::string> &paths)
{
    for (const std::string &path : paths)
        DeleteFileAt(path);
}

void AddFile(std::vector<CollectionFile> &files, const std::string &name,
             const std::optional<FileBytes> &made, const PartSlot &shown)
{
    if (made) {
        files.push_back({name, *made});
        return;
    }
    // Choosing the entry then keeps what the slot shows.
    if (const std::optional<std::span<const std::uint8_t>> bytes = PartFileBytes(shown))
        files.push_back({name, FileBytes(bytes->begin(), bytes->end())});
}
} // namespace

std::vector<std::string> GroupFileNames(const PartGroup &group, const std::string &stem)
{
    const std::string entry = ImportedEntryText(stem);
    std::vector<std::string> names;
    for (const int slot : group.ExportOrder()) {
        names.push_back(CollectionFileName(slot, entry));
        names.push_back(CollectionFileName(MaskNumber(slot), entry));
    }
    return names;
}

std::vector<CollectionFile> GroupCollectionFiles(const ImageBanks &banks, const PartGroup &group,
                                                 const std::string &stem, const GroupConversions &made)
{
    const std::vector<std::string> names = GroupFileNames(group, stem);
    std::vector<CollectionFile> files;
    std::size_t nameIndex = 0;
    for (const int slot : group.ExportOrder()) {
        const auto index = static_cast<std::size_t>(slot);
        const SlotPartFiles slotMade = made[index].value_or(SlotPartFiles{});
        AddFile(files, names[nameIndex++], slotMade.base, banks.WorkBase[index]);
        AddFile(files, names[nameIndex++], slotMade.mask, banks.WorkMask[index]);
    }
    return files;
}

bool GroupIsFree(const std::string &folder, const PartGroup &group, const std::string &stem)
{
    for (const std::string &name : GroupFileNames(group, stem))
        if (!FindEntries(folder + name).empty())
            return false;
    return true;
}

std::string FirstStem(const std::string &stem, const std::function<bool(const std::string &stem)> &takes)
{
    std::string first = stem;
    for (int number = 2; !takes(first); ++number)
        first = NumberedStem(stem, number);
    return first;
}

std::string FreeStem(const std::string &folder, const PartGroup &group, const std::string &stem)
{
    return FirstStem(stem,
                     [&](const std::string &candidate) { return GroupIsFree(folder, group, candidate); });
}

std::optional<std::string> WriteCollectionFiles(const std::string &folder,
                                                const std::vector<CollectionFile> &files)
{
    CreateFolder(folder);
    std::vector<std::string> temporaries;
    for (const CollectionFile &file : files) {
        const std::optional<std::string> temporary = WriteTemporary(folder, file.bytes);
        if (!temporary) {
            DeleteAll(temporaries);
            return file.name;
        }
        temporaries.push_back(*temporary);
    }
    std::vector<std::string> renamed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string path = folder + files[i].name;
        if (!RenameFile(temporaries[i], path, false)) {
            DeleteAll(renamed);
            DeleteAll(std::vector<std::string>(temporaries.begin() + static_cast<std::ptrdiff_t>(i),
                                               temporaries.end()));
            return files[i].name;
        }
        renamed.push_back(path);
    }
    return std::nullopt;
}
