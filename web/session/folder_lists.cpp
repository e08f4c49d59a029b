// The room list and the part combo boxes brought to what the package folder
// and the parts collection hold, as the editor fills them at start and
// follows its folders: an entry is added once (an equal one in any letter
// case is enough, also one the session added itself), and one whose files
// are gone goes, unless it is selected or chosen now.
#include "editor_session.h"

#include "core/collection_listing.h"
#include "core/part_files.h"

namespace {
constexpr int EmptyEntry = 0;

void ApplyChanges(SortedBox &box, const EntryMirror::Changes &changes)
{
    for (const std::string &text : changes.removed)
        box.Remove(text);
    for (const std::string &text : changes.added)
        box.AddOnce(text);
}
} // namespace

void EditorSession::FollowFolders()
{
    const std::vector<std::string> packages = roomListing_.Update(packageFolder_);
    std::optional<std::string> selected;
    if (rooms_.Selected() != SortedBox::NoSelection)
        selected = rooms_.SelectedText();
    ApplyChanges(rooms_, roomMirror_.Follow(packages, {}, selected));

    const CollectionListing listing = ListCollection(PartsCollectionFolder);
    for (std::size_t group = 0; group < PartGroups.size(); ++group) {
        SortedBox &combo = groups_[group];
        std::optional<std::string> chosen;
        if (mode_ == EditorMode::PartsDisplay && combo.Selected() > EmptyEntry)
            chosen = combo.SelectedText();
        ApplyChanges(combo, partMirrors_[group].Follow(listing[group].offered, listing[group].named, chosen));
    }
}
