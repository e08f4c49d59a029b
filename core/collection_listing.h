// What one enumeration of the parts collection offers the eleven part combo
// boxes: for each group the entries of its key slot's files (the rule by
// which the boxes are filled at start) and the entry texts that name any of
// its files (a base or a mask of any of its slots).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "slot_map.h"

struct GroupListing {
    // The key slot's BMP files without their two digits ("05mydoor.bmp"
    // gives "mydoor.bmp"), in the order the file system enumerates them.
    std::vector<std::string> offered;
    // The same for every base and mask file of the group's slots ("25",
    // "06" or "07" before "mydoor.bmp" too).
    std::vector<std::string> named;
};

// By group, in the order of PartGroups.
using CollectionListing = std::array<GroupListing, PartGroups.size()>;

// The BMP files (folders skipped) of the collection folder (ending in '\'),
// enumerated once; a folder that does not exist offers nothing.
CollectionListing ListCollection(const std::string &collectionFolder);
