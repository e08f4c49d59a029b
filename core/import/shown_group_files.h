// The collection files that hold the parts a group shows, so that one of
// them can be opened in a painting program: the chosen entry's files when
// they hold exactly what the working banks show, else files written as a
// drop import writes them, under the room's name, never over a file that
// holds anything else.
#pragma once

#include <optional>
#include <string>

#include "core/slot_map.h"
#include "store/part_image_store.h"

struct ShownGroupEntry {
    // The entry whose files hold the group's parts (to choose, when it is
    // not the one chosen); empty when notWritten names a file.
    std::string entryText;
    // The file that could not be written; the collection is as it was.
    std::optional<std::string> notWritten;
};

// Whether the group's files that the entry names, loaded as a choice loads
// them, give every slot of the group exactly the base and mask the working
// banks show. The empty entry names no files.
bool EntryHoldsShownGroup(const ImageBanks &banks, const PartGroup &group, const std::string &entryText,
                          const std::string &collectionFolder);

// The chosen entry when it holds the shown group; else the first of the
// room's stem, stem-2, ... whose files hold it or do not exist, the latter
// written all or none. The export's stem "mori." gives the export's names
// (08mori.BMP, entry mori.BMP), and with a number 08mori-2.BMP.
ShownGroupEntry EntryOfShownGroup(const ImageBanks &banks, const PartGroup &group,
                                  const std::string &chosenEntry, const std::string &exportStem,
                                  const std::string &collectionFolder);
