#include "data_exchange.h"

#include "dialog.h"

void DDX_Control(CDataExchange *dx, int id, CWnd &control)
{
    if (!control)
        control.Attach(dx->m_pDlgWnd->GetDlgItem(id).GetSafeHwnd());
}

// A control that shows the text already is left alone: setting a text again
// costs a multi-line edit its whole layout and repaint, and resets its
// scrolling, for the same picture.
void DDX_Text(CDataExchange *dx, int id, CString &value)
{
    const CWnd control = dx->m_pDlgWnd->GetDlgItem(id);
    if (dx->m_bSaveAndValidate)
        value = control.GetWindowText();
    else if (control.GetWindowText() != value)
        control.SetWindowText(value);
}
