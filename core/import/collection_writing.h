// Writing a group's files into the parts collection without ever replacing
// a file that is there, and all of them or none.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/slot_map.h"
#include "slot_pictures.h"
#include "store/part_image_store.h"

struct CollectionFile {
    std::string name; // without the folder
    std::vector<std::uint8_t> bytes;
};

// The names of a group's files for a stem: each slot's base and mask, in
// export order.
std::vector<std::string> GroupFileNames(const PartGroup &group, const std::string &stem);
// Every file of the group under a stem, in export order: the files made for
// a slot, else the slot as the working banks show it (a slot whose size
// field passes the slot is left out, as the export leaves it out).
std::vector<CollectionFile> GroupCollectionFiles(const ImageBanks &banks, const PartGroup &group,
                                                 const std::string &stem, const GroupConversions &made = {});
// Whether no file of the group under the stem exists in the folder (ending
// in '\'), letter case aside.
bool GroupIsFree(const std::string &folder, const PartGroup &group, const std::string &stem);
// The first of stem, stem-2, stem-3, ... that takes says can be used.
std::string FirstStem(const std::string &stem, const std::function<bool(const std::string &stem)> &takes);
// The first of them whose group files are free.
std::string FreeStem(const std::string &folder, const PartGroup &group, const std::string &stem);
// Creates the folder if needed and writes every file: each to a temporary
// name first, then all renamed to their names. When any step fails, every
// file written so far is removed again. Returns the name of the file that
// could not be written, or nothing when all were.
std::optional<std::string> WriteCollectionFiles(const std::string &folder,
                                                const std::vector<CollectionFile> &files);
