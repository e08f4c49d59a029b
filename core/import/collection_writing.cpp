#include "collection_writing.h"

#include "core/part_files.h"
#include "import_names.h"
#include "store/file_system.h"

namespace {
// Far more than any folder holds of them; a folder that refuses every one
// cannot be written.
constexpr int TemporaryNameTries = 1000;
constexpr char TemporaryPrefix[] = "~tavi-import-";
constexpr char TemporarySuffix[] = ".tmp";

bool GroupIsFree(const std::string &folder, const PartGroup &group, const std::string &stem)
{
    for (const std::string &name : GroupFileNames(group, stem))
        if (!FindEntries(folder + name).empty())
            return false;
    return true;
}

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

std::string FreeStem(const std::string &folder, const PartGroup &group, const std::string &stem)
{
    std::string free = stem;
    for (int number = 2; !GroupIsFree(folder, group, free); ++number)
        free = NumberedStem(stem, number);
    return free;
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
