// Pictures of any kind made parts of the loaded room, as dropping them onto
// the editor does, and as "tavipac import" does with a package loaded: each
// dropped file goes to a slot (the one it was dropped onto, or the one its
// name says), the files of each slot's whole group go into the parts
// collection under a stem no file there has yet (the group's other slots as
// the working banks show them now), and the front end then chooses the new
// entry. What the front end does and shows is its own: it is asked one
// question and told what happened.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/slot_map.h"
#include "store/part_image_store.h"

enum class ImportProblem {
    Unreadable,      // the file cannot be opened
    Broken,          // damaged, or of a kind the decoders are kept from
    TooLarge,        // the file, or its pixels, too large to decode
    TooLargeForSlot, // would not fit a slot, and is not to be shrunk
    UnusableName,    // its stem cannot name a collection file
    NotWritten       // the collection files could not be written
};

struct ImportFailure {
    ImportProblem problem;
    std::string fileName; // the dropped file, or the collection file not written
    std::string reason;   // the decoder's words, for Broken and TooLarge
};

// A group whose files are in the collection now.
struct ImportedGroup {
    int keySlot = 0;
    int comboId = 0;
    std::string entryText;              // to choose in the group's combo box
    std::vector<std::string> fileNames; // written, without the folder
};

struct ImportFrontEnd {
    // Asked once, when a picture would not fit a slot: shrink such pictures?
    std::function<bool()> shrinkOversized;
    // Each problem, once, as it is met; the file is left out (for
    // NotWritten and pictures that cannot be converted: its whole group).
    std::function<void(const ImportFailure &)> failed;
    // After a group's files are written; it may change the working banks
    // (the groups that follow share no slot with it).
    std::function<void(const ImportedGroup &)> imported;
    // At the end, when there are any: the files that match no slot a picture
    // can go to, or are no pictures.
    std::function<void(const std::vector<std::string> &fileNames)> unmatched;
};

// The paths are as the file layer takes them; targetSlot is the slot whose
// preview the files were dropped onto. Groups are written in export order.
void ImportPictures(const ImageBanks &banks, const std::vector<std::string> &paths,
                    std::optional<int> targetSlot, const std::string &collectionFolder,
                    const ImportFrontEnd &frontEnd);
