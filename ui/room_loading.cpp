// Room loading and parts display: the room list's selection and the
// display-parts command.
#include "parts_editor_dlg.h"

void CPartsEditorDlg::OnRoomSelected() {}

void CPartsEditorDlg::OnDisplayParts() {}

void CPartsEditorDlg::HidePartPreviews() {}
