// Loading single parts from the parts collection into the working banks:
// the base file and the mask file an entry text names for a slot, with the
// size and depth refusals of the editor, or the saved part put back for the
// empty entry. Files in another BMP layout are made into the slot layout
// first (part_layout.h). The files come from a folder or, for tools and
// tests, from memory.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/byte_source.h"
#include "store/part_image_store.h"

// Where the part files of a collection are read from.
class PartCollection {
  public:
    virtual ~PartCollection() = default;
    // The open file of that name, or nothing when there is none.
    virtual std::unique_ptr<ByteSource> Open(const std::string &fileName) const = 0;
};

// A collection folder; the path ends in '\' (PartsCollectionFolder, or a
// folder inside another working folder).
class PartsFolder : public PartCollection {
  public:
    explicit PartsFolder(std::string folder) : folder_(std::move(folder)) {}
    std::unique_ptr<ByteSource> Open(const std::string &fileName) const override;

  private:
    std::string folder_;
};

// Part files held in memory, by file name (compared exactly).
class PartFilesInMemory : public PartCollection {
  public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::unique_ptr<ByteSource> Open(const std::string &fileName) const override;
};

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
PartLoadResult LoadPartFromCollectionFiles(ImageBanks &banks, int slot, const std::string &entryText,
                                           const PartCollection &collection);
// Whether the slot's preview shows something new afterwards.
bool NeedsRedraw(PartLoadOutcome outcome);
// The message to show for a load, empty when there is none.
std::string PartLoadMessage(const PartLoadResult &result);
