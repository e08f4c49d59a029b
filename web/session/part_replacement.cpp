// Part replacement: a choice in a part combo box replaces the parts of its
// group in the working banks, as the editor's combo boxes do.
#include "editor_session.h"

#include "core/part_files.h"
#include "core/part_loading.h"

SortedBox &EditorSession::ComboOfGroup(const PartGroup &group)
{
    return groups_[GroupIndex(group)];
}

// Only an enabled combo box can be chosen in, and only one of its entries.
SessionReply EditorSession::Choose(int comboId, int entry)
{
    BeginCall();
    const int keySlot = KeySlotOfCombo(comboId);
    const PartGroup *group = keySlot < 0 ? nullptr : GroupOfSlot(keySlot);
    if (group) {
        SortedBox &combo = ComboOfGroup(*group);
        if (combo.Enabled() && entry >= 0 && static_cast<std::size_t>(entry) < combo.Entries().size()) {
            combo.Select(entry);
            ReplaceSlotGroup(keySlot);
        }
    }
    return EndCall();
}

// Every slot of the group is loaded with the chosen entry, key slot last,
// whatever happened to the others.
void EditorSession::ReplaceSlotGroup(int keySlot)
{
    composeEnabled_ = false;
    const SortedBox &combo = ComboOfGroup(*GroupOfSlot(keySlot));
    if (combo.Selected() != SortedBox::NoSelection) {
        const std::string entryText = combo.SelectedText();
        for (const int slot : SlotGroupTable(keySlot))
            LoadPartFromCollection(slot, entryText);
    }
    composeEnabled_ = true;
}

// Every load disables the export until the parts are displayed again. A
// message comes before the redraw.
void EditorSession::LoadPartFromCollection(int slot, const std::string &entryText)
{
    outputEnabled_ = false;
    const PartLoadResult result =
        LoadPartFromCollectionFiles(*banks_, slot, entryText, PartsFolder(PartsCollectionFolder));
    const std::string message = PartLoadMessage(result);
    if (!message.empty())
        Show(message);
    if (NeedsRedraw(result.outcome))
        RedrawPreviews(slot);
}

// The entry is offered as the export offers its entries, then chosen: the
// group is replaced exactly as a choice in the combo box replaces it.
void EditorSession::ChooseImportedEntry(int keySlot, const std::string &entry)
{
    SortedBox &combo = ComboOfGroup(*GroupOfSlot(keySlot));
    combo.Select(combo.AddOnce(entry));
    ReplaceSlotGroup(keySlot);
}
