// The parts collection on the main dialog: filling the part combo boxes from
// the collection folder, and the export command.
#include "parts_editor_dlg.h"

#include <string>

#include "editor_state.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "core/messages.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "core/slot_map.h"

namespace {
// Minimum width of a part combo box's drop-down list, in pixels.
constexpr int PartListWidth = 127;
} // namespace

// Only the files of the slot that owns a combo box are offered, never the
// other slots of its group nor masks; the combo box sorts them. Later
// changes of the folder come the same way.
void CPartsEditorDlg::FillPartCombos()
{
    following_.collection = ListCollection(PartsCollectionFolder);
    FollowPartCombos(following_.collection);
    for (const CComboBox &combo : SlotComboTable)
        if (combo)
            combo.SetDroppedWidth(PartListWidth);
}

// Writes every part slot but 14 as a base file and a mask file, offering the
// room in each combo box as soon as its slots are written. Existing files
// are overwritten without asking. Files that could not be written are named
// in one message at the end; an export that wrote everything is silent.
void CPartsEditorDlg::OnOutputParts()
{
    if (!OutputButton.IsWindowEnabled())
        return;
    const std::vector<std::string> failed =
        ExportRoomParts(PartImageStore, ShownPartStem(), PartsCollectionFolder,
                        [this](int comboId) { AddExportedNameToCombo(comboId); });
    // The focus leaves the button before it is disabled.
    RoomList.SetFocus();
    OutputButton.EnableWindow(false);
    if (!failed.empty())
        AfxMessageBox(ExportFailedMessage(failed));
}

void CPartsEditorDlg::AddExportedNameToCombo(int comboId)
{
    AddEntryOnce(comboId, ExportedEntryText(ShownPartStem()));
}

// An equal entry, in any letter case, is enough.
int CPartsEditorDlg::AddEntryOnce(int comboId, const CString &entry)
{
    CComboBox combo;
    combo.Attach(GetDlgItem(comboId).GetSafeHwnd());
    const int found = combo.FindStringExact(-1, entry);
    return found == CB_ERR ? combo.AddString(entry) : found;
}

std::string CPartsEditorDlg::ShownPartStem() const
{
    return PartStem(GetDlgItem(IDC_FILE_NAME).GetWindowText().Bytes());
}
