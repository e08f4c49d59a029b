// Dialog data exchange: DoDataExchange binds member controls to the dialog's
// controls and moves texts between controls and member strings, towards the
// controls (UpdateData(false)) or back (UpdateData(true)).
#pragma once

#include "cstring.h"
#include "wnd.h"

class CDialog;

class CDataExchange {
  public:
    CDataExchange(CDialog &dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(&dialog)
    {
    }

    const bool m_bSaveAndValidate;
    CDialog *const m_pDlgWnd;
};

// Binds control to the dialog's control id (once; later calls keep it).
void DDX_Control(CDataExchange *dx, int id, CWnd &control);
// The control's text to value, or value to the control's text (unless the
// control shows that text already).
void DDX_Text(CDataExchange *dx, int id, CString &value);
