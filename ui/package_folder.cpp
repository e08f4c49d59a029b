#include "package_folder.h"

#include <string>

#include "store/file_system.h"

namespace {
constexpr const char *PackageFolderCandidates[] = {"部屋", "へや"};
constexpr char FallbackPackageFolder[] = "プラグインフォルダ";

// A find-first search for the exact name, no wildcard: any kind of entry
// counts.
bool EntryExists(const std::string &name)
{
    return !FindEntries(name).empty();
}
} // namespace

CString FindPackageFolder()
{
    for (const char *name : PackageFolderCandidates)
        if (EntryExists(name))
            return CString(name) + "\\";
    return CString(FallbackPackageFolder) + "\\";
}
