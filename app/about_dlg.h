// The About box: the application icon and "Tavi Version 2.2". It has no
// button; Enter, Escape and the close box end it.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
};
