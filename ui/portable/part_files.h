// The parts collection folder: naming of part files, the entries the part
// combo boxes offer, export of the working banks into the folder and loading
// of single parts from it.
#pragma once

#include <functional>
#include <string>
#include <vector>

inline constexpr char PartsCollectionFolder[] = "部屋の部品集\\";

// The stem of the file-name field's text (which shows CurrentPackageName):
// the text without its last three bytes, "abc." for "abc.pac".
std::string PartStem(const std::string &fieldText);
// Name of an exported part file: two digits, the stem, "BMP" ("00abc.BMP").
std::string ExportFileName(int number, const std::string &stem);
// The combo box entry of an exported room: stem + "BMP".
std::string ExportedEntryText(const std::string &stem);
// The collection file that an entry text names for a slot or mask number.
std::string CollectionFileName(int number, const std::string &entryText);
// The wildcard pattern of a slot's part files in the collection folder.
std::string CollectionPattern(int slot);

// The entries a slot's combo box offers: every file (folders are skipped)
// matching the slot's pattern, without its two digits, in the order the file
// system enumerates them.
std::vector<std::string> CollectionEntriesForSlot(int slot);

// Writes the slot's base file and then its mask file from the working banks.
// Returns the names of the files that could not be written; a slot whose
// FileSize exceeds the slot is never written past the slot and counts as not
// written.
std::vector<std::string> ExportSlotFiles(int slot, const std::string &stem);
// Creates the collection folder and exports every slot in the fixed step
// order; after each step afterStep gets the step's combo box id. Returns the
// names of the files that could not be written.
std::vector<std::string> ExportRoomParts(const std::string &stem,
                                         const std::function<void(int comboId)> &afterStep = {});

enum class PartLoadOutcome {
    Restored,    // empty entry: slot copied back from the saved banks
    Loaded,      // new base and new mask
    BaseMissing, // nothing changed
    TooLarge,    // base refused: base slot restored from the saved bank
    NotEightBit, // base refused: base slot restored from the saved bank
    MaskMissing, // new base, old mask
    MaskTooLarge // new base, old mask
};

struct PartLoadResult {
    PartLoadOutcome outcome;
    std::string fileName; // the file the outcome is about; empty for Restored and Loaded
};

// Replaces one working slot from the collection files named by the entry
// text, or restores it from the saved banks for the empty text.
PartLoadResult LoadPartFromCollectionFiles(int slot, const std::string &entryText);
// Whether the slot's preview shows something new afterwards.
bool NeedsRedraw(PartLoadOutcome outcome);
// The message to show for a load, empty when there is none.
std::string PartLoadMessage(const PartLoadResult &result);
