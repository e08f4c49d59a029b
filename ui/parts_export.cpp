// The parts collection on the main dialog: filling the part combo boxes from
// the collection folder, and the export command.
#include "parts_editor_dlg.h"

#include <string>

#include "ui/portable/part_files.h"

namespace {
// Minimum width of a part combo box's drop-down list, in pixels.
constexpr int PartListWidth = 127;
} // namespace

void CPartsEditorDlg::FillPartCombos()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (SlotComboTable[slot])
            FillPartCombo(slot, SlotComboTable[slot]);
}

// Only the files of the slot that owns the combo box are offered, never the
// other slots of its group nor masks; the combo box sorts them.
void CPartsEditorDlg::FillPartCombo(int slot, const CComboBox &combo)
{
    for (const std::string &entry : CollectionEntriesForSlot(slot))
        combo.AddString(entry);
    combo.SetDroppedWidth(PartListWidth);
}

void CPartsEditorDlg::OnOutputParts() {}

void CPartsEditorDlg::ExportSlotFiles(int) {}

void CPartsEditorDlg::AddExportedNameToCombo(int) {}
