// The compose command: runs the compose dialog and shows the composed
// package in the main dialog.
#include "parts_editor_dlg.h"

void CPartsEditorDlg::OnComposeParts() {}
