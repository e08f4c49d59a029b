// What the main dialog keeps to follow its two folders while it runs: a
// watch on each, and one on the working folder, in which they appear, go
// or are replaced; what changed since the last look; copies of the room
// list's and the part combo boxes' entries; the files behind each group's
// chosen entry.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/collection_listing.h"
#include "core/entry_mirror.h"
#include "core/group_files.h"
#include "core/room_listing.h"
#include "folder_watch.h"

struct ChosenEntryFiles {
    std::string entryText;
    // Nothing when a file was being written as the group was loaded.
    std::optional<GroupFiles> files;
};

struct FolderFollowing {
    FolderFollowing();
    // The copies of the entries point at the keys.
    FolderFollowing(const FolderFollowing &) = delete;
    FolderFollowing &operator=(const FolderFollowing &) = delete;

    FolderWatch packageWatch;
    FolderWatch collectionWatch;
    FolderWatch workingFolderWatch;
    bool packagesChanged = false;
    bool collectionChanged = false;
    // A chosen part is to be compared with its files (again, when one was
    // being written).
    bool partsToCompare = false;
    // An entry stays only because it is chosen or selected: it goes once
    // it is not.
    bool keptEntries = false;

    EntryKeys keys;
    RoomListing rooms;
    std::vector<std::string> packages;
    CollectionListing collection;
    EntryMirror roomEntries;
    // By group, in the order of PartGroups.
    std::vector<EntryMirror> partEntries;
    std::array<std::optional<ChosenEntryFiles>, PartGroups.size()> chosenParts;
};
