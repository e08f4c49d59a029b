// CButton: push buttons, check boxes and owner-drawn buttons.
#pragma once

#include "wnd.h"

class CButton : public CWnd {
  public:
    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    // Clicks the button as the user would; a disabled button ignores it.
    void Click() const { SendMessage(BM_CLICK); }
};
