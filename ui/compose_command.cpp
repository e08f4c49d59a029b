// The compose command: runs the compose dialog and shows the composed
// package in the main dialog.
#include "parts_editor_dlg.h"

#include "compose_dlg.h"
#include "editor_state.h"

namespace {
constexpr int WholeList = -1;

// The entry of the composed package, found without regard to letter case or
// added in sorted position, selected without a selection-change
// notification: the banks already hold what was written, so nothing is read
// again.
void SelectComposedPackage(const CListBox &roomList)
{
    int entry = roomList.FindStringExact(WholeList, CurrentPackageName);
    if (entry == LB_ERR)
        entry = roomList.AddString(CurrentPackageName);
    roomList.SetCurSel(entry);
}

// Edit 1004, then edits 1007, 1005 and 1006.
void ShowComposedPackage(CPartsEditorDlg &dialog)
{
    dialog.FileNameValue = CurrentPackageName;
    dialog.UpdateData(false);
    dialog.NameEdit.SetWindowText(GetHeaderText(PackageHeader, NameText));
    dialog.RemarksEdit.SetWindowText(GetHeaderText(PackageHeader, RemarksText));
    dialog.AuthorValue = GetHeaderText(PackageHeader, AuthorText);
    dialog.UpdateData(false);
}
} // namespace

void CPartsEditorDlg::OnComposeParts()
{
    if (!ComposeButton.IsWindowEnabled())
        return;
    ComposeButton.EnableWindow(false);
    CComposeDlg compose;
    if (compose.DoModal() == IDOK) {
        SelectComposedPackage(RoomList);
        ShowComposedPackage(*this);
    }
    ComposeButton.EnableWindow(true);
    RoomList.SetFocus();
}
