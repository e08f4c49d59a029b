#include "data_exchange.h"

#include "dialog.h"

void DDX_Control(CDataExchange *dx, int id, CWnd &control)
{
    if (!control)
        control.Attach(dx->m_pDlgWnd->GetDlgItem(id).GetSafeHwnd());
}

void DDX_Text(CDataExchange *dx, int id, CString &value)
{
    const CWnd control = dx->m_pDlgWnd->GetDlgItem(id);
    if (dx->m_bSaveAndValidate)
        value = control.GetWindowText();
    else
        control.SetWindowText(value);
}
