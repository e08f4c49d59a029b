#include "picture_import.h"

#include <array>

#include "collection_writing.h"
#include "core/compose_rules.h"
#include "core/file_names.h"
#include "core/picture/picture_error.h"
#include "core/whole_file.h"
#include "import_names.h"
#include "slot_pictures.h"

namespace {

struct DroppedPicture {
    std::string path;
    std::string fileName;
    ImageSize size;
};

struct SlotDrop {
    std::optional<DroppedPicture> picture;
    std::optional<DroppedPicture> mask;

    bool IsEmpty() const { return !picture && !mask; }
    const DroppedPicture &First() const { return picture ? *picture : *mask; }
};

struct DropPlan {
    std::array<SlotDrop, SlotCount> slots;
    std::vector<std::string> unmatched;
};

constexpr int NoTargetSlot = -1;

// Dropped onto a preview, a file is that slot's picture, or its mask when
// its name says so; elsewhere (NoTargetSlot) its name decides.
std::optional<NamedSlot> PlaceOf(const std::string &fileName, int targetSlot)
{
    const std::optional<NamedSlot> named = SlotOfName(fileName);
    if (targetSlot == NoTargetSlot)
        return named;
    return NamedSlot{targetSlot, named && named->slot == targetSlot && named->mask};
}

// The file's bytes, or nothing after telling the front end why not.
std::optional<FileBytes> ReadDropped(const std::string &path, const std::string &fileName,
                                     const ImportFrontEnd &frontEnd)
{
    WholeFile file = ReadWholeFile(path, LargestPictureFile);
    if (file.status == WholeFileStatus::CannotOpen) {
        frontEnd.failed({ImportProblem::Unreadable, fileName, {}});
        return std::nullopt;
    }
    if (file.status == WholeFileStatus::TooLarge) {
        frontEnd.failed({ImportProblem::TooLarge, fileName,
                         "the file is larger than " + std::to_string(LargestPictureFile >> 20) + " MiB"});
        return std::nullopt;
    }
    return std::move(file.bytes);
}

void PlanFile(const std::string &path, int targetSlot, const ImportFrontEnd &frontEnd, DropPlan &plan)
{
    const std::string fileName = FileNameOf(path);
    const std::optional<NamedSlot> place = PlaceOf(fileName, targetSlot);
    if (!place) {
        plan.unmatched.push_back(fileName);
        return;
    }
    const std::optional<FileBytes> bytes = ReadDropped(path, fileName, frontEnd);
    if (!bytes)
        return;
    std::optional<ImageSize> size;
    try {
        size = ProbeImageSize(*bytes);
    } catch (const PictureError &error) {
        frontEnd.failed({ImportProblem::Broken, fileName, error.what()});
        return;
    }
    SlotDrop &drop = plan.slots[static_cast<std::size_t>(place->slot)];
    std::optional<DroppedPicture> &role = place->mask ? drop.mask : drop.picture;
    if (!size || role) {
        plan.unmatched.push_back(fileName);
        return;
    }
    role = DroppedPicture{path, fileName, *size};
}

bool IsOversized(const std::optional<DroppedPicture> &picture)
{
    return picture && picture->size.width > 0 && picture->size.height > 0 && !FitsSlot(picture->size);
}

// Asks once whether to shrink; when not, the pictures too large are left out.
Oversize DecideOversize(DropPlan &plan, const ImportFrontEnd &frontEnd)
{
    bool any = false;
    for (const SlotDrop &drop : plan.slots)
        any = any || IsOversized(drop.picture) || IsOversized(drop.mask);
    if (!any)
        return Oversize::Refuse;
    if (frontEnd.shrinkOversized())
        return Oversize::Shrink;
    for (SlotDrop &drop : plan.slots) {
        for (std::optional<DroppedPicture> *role : {&drop.picture, &drop.mask}) {
            if (IsOversized(*role)) {
                frontEnd.failed({ImportProblem::TooLargeForSlot, (*role)->fileName, {}});
                role->reset();
            }
        }
    }
    return Oversize::Refuse;
}

// Runs a conversion of the dropped file; false after telling the front end
// why it failed.
template <class Conversion>
bool Converted(const DroppedPicture &dropped, Oversize oversize, const ImportFrontEnd &frontEnd,
               Conversion convert)
{
    const std::optional<FileBytes> bytes = ReadDropped(dropped.path, dropped.fileName, frontEnd);
    if (!bytes)
        return false;
    try {
        convert(std::span<const std::uint8_t>(*bytes), oversize);
        return true;
    } catch (const PictureTooLargeError &error) {
        frontEnd.failed({ImportProblem::TooLarge, dropped.fileName, error.what()});
    } catch (const PictureError &error) {
        frontEnd.failed({ImportProblem::Broken, dropped.fileName, error.what()});
    }
    return false;
}

// The slot's part files, or nothing after telling the front end why not.
std::optional<SlotPartFiles> ConvertDrop(const SlotDrop &drop, Oversize oversize,
                                         const ImportFrontEnd &frontEnd)
{
    SlotPartFiles files;
    const auto picture = [&](std::span<const std::uint8_t> bytes, Oversize o) {
        files = ConvertPicture(bytes, o);
    };
    const auto mask = [&](std::span<const std::uint8_t> bytes, Oversize o) {
        files.mask = ConvertMaskPicture(bytes, o);
    };
    if (drop.picture && !Converted(*drop.picture, oversize, frontEnd, picture))
        return std::nullopt;
    if (drop.mask && !Converted(*drop.mask, oversize, frontEnd, mask))
        return std::nullopt;
    return files;
}

// The part files of every slot of the group that something was dropped for;
// false after a failure, which leaves the whole group out.
bool ConvertGroup(const PartGroup &group, const DropPlan &plan, Oversize oversize,
                  const ImportFrontEnd &frontEnd, GroupConversions &converted)
{
    for (const int slot : group.ExportOrder()) {
        const auto index = static_cast<std::size_t>(slot);
        if (plan.slots[index].IsEmpty())
            continue;
        converted[index] = ConvertDrop(plan.slots[index], oversize, frontEnd);
        if (!converted[index])
            return false;
    }
    return true;
}

// The file the group's stem comes from: that of its first slot in export
// order that something was dropped for; nothing for none.
const DroppedPicture *StemSource(const PartGroup &group, const DropPlan &plan)
{
    for (const int slot : group.ExportOrder())
        if (!plan.slots[static_cast<std::size_t>(slot)].IsEmpty())
            return &plan.slots[static_cast<std::size_t>(slot)].First();
    return nullptr;
}

void ImportGroup(const ImageBanks &banks, const PartGroup &group, const DropPlan &plan, Oversize oversize,
                 const std::string &collectionFolder, const ImportFrontEnd &frontEnd)
{
    const DroppedPicture *source = StemSource(group, plan);
    GroupConversions converted;
    if (!source || !ConvertGroup(group, plan, oversize, frontEnd, converted))
        return;
    // The stem must make file names that can be written.
    const std::string stem = ImportStem(source->fileName);
    if (!IsUsableComposeName(stem)) {
        frontEnd.failed({ImportProblem::UnusableName, source->fileName, {}});
        return;
    }
    const std::string freeStem = FreeStem(collectionFolder, group, stem);
    const std::vector<CollectionFile> files = GroupCollectionFiles(banks, group, freeStem, converted);
    if (const std::optional<std::string> notWritten = WriteCollectionFiles(collectionFolder, files)) {
        frontEnd.failed({ImportProblem::NotWritten, *notWritten, {}});
        return;
    }
    ImportedGroup imported{group.KeySlot(), group.comboId, ImportedEntryText(freeStem), {}};
    for (const CollectionFile &file : files)
        imported.fileNames.push_back(file.name);
    frontEnd.imported(imported);
}

} // namespace

void ImportPictures(const ImageBanks &banks, const std::vector<std::string> &paths,
                    std::optional<int> targetSlot, const std::string &collectionFolder,
                    const ImportFrontEnd &frontEnd)
{
    // A plain number from here on: GCC's flow analysis loses track of an
    // optional that was reset and warns of its value at -O2.
    const int target = targetSlot && IsImportSlot(*targetSlot) ? *targetSlot : NoTargetSlot;
    DropPlan plan;
    for (const std::string &path : paths)
        PlanFile(path, target, frontEnd, plan);
    const Oversize oversize = DecideOversize(plan, frontEnd);
    for (const PartGroup &group : PartGroups)
        ImportGroup(banks, group, plan, oversize, collectionFolder, frontEnd);
    if (!plan.unmatched.empty())
        frontEnd.unmatched(plan.unmatched);
}
