// Part replacement: a choice in a part combo box replaces the parts of its
// group in the working banks.
#include "parts_editor_dlg.h"

#include "editor_state.h"
#include "framework/message_box.h"
#include "core/group_files.h"
#include "core/part_files.h"
#include "core/part_loading.h"
#include "core/slot_map.h"

// Reached for every command with notification code 1; only the part combo
// boxes start a replacement.
void CPartsEditorDlg::OnPartComboChange(WPARAM param)
{
    const int keySlot = KeySlotOfCombo(LOWORD(param));
    if (keySlot >= 0)
        ReplaceSlotGroup(keySlot);
}

// Every slot of the group is loaded with the chosen entry, key slot last,
// whatever happened to the others. A combo box without a selection loads
// nothing. The group's files are read once and kept, to be compared when
// the folder changes; the slots are loaded from what was read, or from the
// folder where a file was being written or is larger than what is kept.
void CPartsEditorDlg::ReplaceSlotGroup(int keySlot, std::optional<GroupFiles> read)
{
    ComposeButton.EnableWindow(false);
    const CComboBox &combo = SlotComboTable[static_cast<std::size_t>(keySlot)];
    const int selected = combo.GetCurSel();
    if (selected != CB_ERR) {
        const CString entryText = combo.GetLBText(selected);
        const GroupFiles *kept = RememberChosenPart(keySlot, entryText, std::move(read));
        const PartsFolder folder(PartsCollectionFolder);
        const PartCollection &files =
            kept && kept->Whole() ? static_cast<const PartCollection &>(*kept) : folder;
        for (const int slot : SlotGroupTable(keySlot))
            LoadPartFromCollection(slot, entryText, files);
    }
    ComposeButton.EnableWindow(true);
}

// The empty entry puts the saved part back; any other entry names the
// collection files of the slot and its mask. Every load disables the export
// until the parts are displayed again. A message comes before the redraw.
void CPartsEditorDlg::LoadPartFromCollection(int slot, CString entryText, const PartCollection &files)
{
    OutputButton.EnableWindow(false);
    const PartLoadResult result = LoadPartFromCollectionFiles(PartImageStore, slot, entryText.Bytes(), files);
    const std::string message = PartLoadMessage(result);
    if (!message.empty())
        AfxMessageBox(message);
    if (NeedsRedraw(result.outcome))
        RedrawPreviews(slot);
}
