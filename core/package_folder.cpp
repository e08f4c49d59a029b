#include "package_folder.h"

#include "store/file_system.h"

namespace {

constexpr const char *CandidateFolders[] = {"部屋", "へや"};
constexpr char FallbackFolder[] = "プラグインフォルダ\\";

} // namespace

std::string FindPackageFolder()
{
    for (const char *candidate : CandidateFolders) {
        if (!FindEntries(candidate).empty()) {
            return std::string(candidate) + "\\";
        }
    }
    return FallbackFolder;
}

std::string NewPackageFolder()
{
    return std::string(CandidateFolders[0]) + "\\";
}
