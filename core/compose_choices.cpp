#include "compose_choices.h"

#include "store/file_system.h"
#include "store/room_tests.h"

namespace {
constexpr std::size_t PackageExtensionSize = 4; // ".pac"

std::string WithoutExtension(const std::string &fileName)
{
    return fileName.size() < PackageExtensionSize
               ? std::string()
               : fileName.substr(0, fileName.size() - PackageExtensionSize);
}
} // namespace

std::vector<std::string> ComposeNameChoices(const std::string &packageFolder)
{
    std::vector<std::string> names;
    for (const FoundEntry &found : FindEntries(packageFolder + "*.pac"))
        if (!found.isFolder && ComposeListProbe(packageFolder + found.name))
            names.push_back(WithoutExtension(found.name));
    return names;
}

std::string InitialComposeName(const std::string &currentPackageName)
{
    return WithoutExtension(currentPackageName);
}
