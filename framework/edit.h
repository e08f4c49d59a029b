// CEdit: edit controls; their text goes through CWnd::SetWindowText and
// CWnd::GetWindowText.
#pragma once

#include "wnd.h"

class CEdit : public CWnd {
  public:
    // Selects characters first to last; (0, -1) selects everything.
    void SetSel(int first, int last) const { SendMessage(EM_SETSEL, static_cast<WPARAM>(first), last); }
};
