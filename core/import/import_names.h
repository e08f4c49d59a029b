// What the name of a dropped picture file says: the slot its two leading
// digits name (as the export names its files, so that exported parts edited
// and saved under the same names go back where they came from), and the stem
// of the collection files made from it.
#pragma once

#include <optional>
#include <string>

struct NamedSlot {
    int slot = 0;
    bool mask = false;
};

// 00-19: the picture of that slot, 20-39: the mask of slot N - 20. Slot 14
// (and so 34) is no slot a picture can go to; other names say nothing.
std::optional<NamedSlot> SlotOfName(const std::string &fileName);
// Whether a picture can go to that slot (0-19 but 14).
bool IsImportSlot(int slot);

// The file name without its two leading digits and its extension
// ("05door.png" gives "door"); without the extension alone when that would
// leave nothing ("05.png" gives "05").
std::string ImportStem(const std::string &fileName);
// The stem made free by a number: "door-2", "door-3", ...
std::string NumberedStem(const std::string &stem, int number);
// The combo box entry of an imported stem, and the ending of its files.
std::string ImportedEntryText(const std::string &stem);
