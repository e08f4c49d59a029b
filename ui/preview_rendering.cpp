// Part previews: rendering the working banks into the preview bitmaps and
// painting them on the owner-drawn preview controls.
#include "parts_editor_dlg.h"

void CPartsEditorDlg::RedrawPreviews(int) {}

void CPartsEditorDlg::RenderPreview(int) {}

BOOL CPartsEditorDlg::DrawBitmap(CDC *, CBitmap *)
{
    return FALSE;
}

void CPartsEditorDlg::OnDrawItem(int, DRAWITEMSTRUCT *) {}
