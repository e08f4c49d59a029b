// Part replacement: a choice in a part combo box replaces the parts of its
// group in the working banks.
#include "parts_editor_dlg.h"

void CPartsEditorDlg::OnPartComboChange(WPARAM) {}

void CPartsEditorDlg::ReplaceSlotGroup(int) {}

int CPartsEditorDlg::LoadPartFromCollection(int, CString)
{
    return 0;
}
