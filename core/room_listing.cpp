#include "room_listing.h"

#include <optional>

#include "store/file_system.h"
#include "store/room_tests.h"

namespace {
constexpr char PackagePattern[] = "*.pac";
} // namespace

// Files that are gone are forgotten.
std::vector<std::string> RoomListing::Update(const std::string &packageFolder)
{
    ++enumeration_;
    std::vector<std::string> accepted;
    for (FoundEntry &found : FindEntries(packageFolder + PackagePattern)) {
        if (found.isFolder)
            continue;
        const auto known = tested_.find(found.name);
        Tested *tested = known == tested_.end() ? nullptr : &known->second;
        if (!tested || tested->size != found.size || tested->writeTime != found.writeTime) {
            const std::optional<bool> room = RoomListProbe(packageFolder + found.name);
            if (!room)
                continue;
            tested = &tested_.insert_or_assign(found.name, Tested{found.size, found.writeTime, *room, 0})
                          .first->second;
        }
        tested->seen = enumeration_;
        if (tested->accepted)
            accepted.push_back(std::move(found.name));
    }
    std::erase_if(tested_, [this](const auto &file) { return file.second.seen != enumeration_; });
    return accepted;
}
