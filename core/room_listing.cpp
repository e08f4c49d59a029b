#include "room_listing.h"

#include <optional>

#include "store/file_system.h"
#include "store/room_tests.h"

namespace {
constexpr char PackagePattern[] = "*.pac";
} // namespace

// Files that are gone are forgotten with the old listing.
std::vector<std::string> RoomListing::Update(const std::string &packageFolder)
{
    std::unordered_map<std::string, Tested> tested;
    std::vector<std::string> accepted;
    for (const FoundEntry &found : FindEntries(packageFolder + PackagePattern)) {
        if (found.isFolder)
            continue;
        const auto known = tested_.find(found.name);
        std::optional<Tested> result;
        if (known != tested_.end() && known->second.size == found.size &&
            known->second.writeTime == found.writeTime)
            result = known->second;
        else if (const std::optional<bool> room = RoomListProbe(packageFolder + found.name))
            result = Tested{found.size, found.writeTime, *room};
        if (!result)
            continue;
        tested.emplace(found.name, *result);
        if (result->accepted)
            accepted.push_back(found.name);
    }
    tested_ = std::move(tested);
    return accepted;
}
