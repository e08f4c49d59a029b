// Room loading and parts display: the room list's selection and the
// display-parts command.
#include "parts_editor_dlg.h"

#include "editor_state.h"
#include "framework/message_box.h"
#include "store/file_system.h"
#include "store/package_file.h"
#include "core/messages.h"
#include "core/slot_map.h"

namespace {
constexpr int EmptyEntry = 0;

// The package reader's reports, each shown in a message box while reading
// goes on.
class MessageBoxReporter : public PackageReadReporter {
  public:
    void ReportNotEightBit(int slot) override { AfxMessageBox(NotEightBitRecordMessage(slot)); }
    void ReportOversizedRecord(int recordNumber) override
    {
        AfxMessageBox(OversizedRecordMessage(recordNumber));
    }
};

void EnableCommandButtons(const CPartsEditorDlg &dialog, bool enable)
{
    dialog.DisplayButton.EnableWindow(enable);
    dialog.OutputButton.EnableWindow(enable);
    dialog.ComposeButton.EnableWindow(enable);
}

// Edit 1004 and CurrentPackageName.
void ShowFileName(CPartsEditorDlg &dialog, const CString &fileName)
{
    dialog.FileNameValue = fileName;
    CurrentPackageName = fileName;
    dialog.UpdateData(false);
}

// Edits 1007, 1005 and 1006, in this order.
void ShowHeaderTexts(CPartsEditorDlg &dialog)
{
    dialog.NameEdit.SetWindowText(GetHeaderText(PackageHeader, NameText));
    dialog.RemarksEdit.SetWindowText(GetHeaderText(PackageHeader, RemarksText));
    dialog.AuthorValue = GetHeaderText(PackageHeader, AuthorText);
    dialog.UpdateData(false);
}

// Selecting the empty entry this way sends no change notification, so no
// part is restored by it. A combo box that shows it already is left alone:
// selecting it again repaints the box for the same picture.
void ResetPartCombos(const CPartsEditorDlg &dialog, bool enable)
{
    for (const CComboBox &combo : dialog.SlotComboTable) {
        if (!combo)
            continue;
        combo.EnableWindow(enable);
        if (combo.GetCurSel() != EmptyEntry)
            combo.SetCurSel(EmptyEntry);
    }
}
} // namespace

void CPartsEditorDlg::OnRoomSelected()
{
    const int selected = RoomList.GetCurSel();
    if (selected == LB_ERR)
        return;
    if (EditorMode == PartsDisplay) {
        HidePartPreviews();
        ResetPartCombos(*this, false);
    }
    EditorMode = NothingLoaded;
    EnableCommandButtons(*this, false);

    const CString fileName = RoomList.GetText(selected);
    PackagePath = PackageFolder + fileName;
    BufferedFileSource file = OpenPackageFile(PackagePath.Bytes());
    if (file.IsOpen()) {
        ShowFileName(*this, fileName);
        ReadPackageHeader(file, PackageHeader);
        ShowHeaderTexts(*this);
        MessageBoxReporter reporter;
        ReadPackageRecords(file, PartImageStore.WorkBase, PartImageStore.WorkMask, reporter);
        PartImageStore.CopyWorkingToSaved();
        EditorMode = PackageLoaded;
        RedrawPreviews(RoomSlot);
        DisplayButton.EnableWindow(true);
    }
    if (AutoDisplay)
        OnDisplayParts();
}

// Every replacement made since the package was read or saved is discarded.
// The room preview is drawn again too, so that it always shows the working
// bank. The part previews are not hidden first: redrawing them repaints
// what hiding them would.
void CPartsEditorDlg::OnDisplayParts()
{
    if (!DisplayButton.IsWindowEnabled())
        return;
    EnableCommandButtons(*this, false);
    EditorMode = PartsDisplay;
    PartImageStore.CopySavedToWorking();
    RedrawPreviews(AllSlots);
    RedrawPreviews(RoomSlot);
    EnableCommandButtons(*this, true);
    ResetPartCombos(*this, true);
    RoomList.SetFocus();
}
