#include "shown_group_files.h"

#include <algorithm>
#include <memory>

#include "collection_writing.h"
#include "core/part_export.h"
#include "core/part_loading.h"
#include "import_names.h"

namespace {
bool SameFileImage(const PartSlot &loaded, const PartSlot &shown)
{
    const auto loadedBytes = PartFileBytes(loaded);
    const auto shownBytes = PartFileBytes(shown);
    return loadedBytes && shownBytes &&
           std::equal(loadedBytes->begin(), loadedBytes->end(), shownBytes->begin(), shownBytes->end());
}

// The import's names end in ".BMP" after the stem, the export's in "BMP"
// after a stem that ends in the package name's dot.
std::string ImportStemOfExportStem(const std::string &exportStem)
{
    return !exportStem.empty() && exportStem.back() == '.' ? exportStem.substr(0, exportStem.size() - 1)
                                                           : exportStem;
}
} // namespace

bool EntryHoldsShownGroup(const ImageBanks &banks, const PartGroup &group, const std::string &entryText,
                          const std::string &collectionFolder)
{
    if (entryText.empty())
        return false;
    // Loaded into banks of their own, the files cannot change what is shown.
    const auto loaded = std::make_unique<ImageBanks>();
    const PartsFolder folder(collectionFolder);
    for (const int slot : group.ExportOrder()) {
        const auto index = static_cast<std::size_t>(slot);
        if (LoadPartFromCollectionFiles(*loaded, slot, entryText, folder).outcome !=
                PartLoadOutcome::Loaded ||
            !SameFileImage(loaded->WorkBase[index], banks.WorkBase[index]) ||
            !SameFileImage(loaded->WorkMask[index], banks.WorkMask[index]))
            return false;
    }
    return true;
}

ShownGroupEntry EntryOfShownGroup(const ImageBanks &banks, const PartGroup &group,
                                  const std::string &chosenEntry, const std::string &exportStem,
                                  const std::string &collectionFolder)
{
    if (EntryHoldsShownGroup(banks, group, chosenEntry, collectionFolder))
        return {chosenEntry, std::nullopt};
    bool holds = false;
    const std::string stem = FirstStem(ImportStemOfExportStem(exportStem), [&](const std::string &candidate) {
        holds = EntryHoldsShownGroup(banks, group, ImportedEntryText(candidate), collectionFolder);
        return holds || GroupIsFree(collectionFolder, group, candidate);
    });
    std::optional<std::string> notWritten;
    if (!holds)
        notWritten = WriteCollectionFiles(collectionFolder, GroupCollectionFiles(banks, group, stem));
    if (notWritten)
        return {{}, notWritten};
    return {ImportedEntryText(stem), std::nullopt};
}
