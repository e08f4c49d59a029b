// CStatic: static controls (texts, icons, the key-colour probe).
#pragma once

#include "wnd.h"

class CStatic : public CWnd {
  public:
    // The bitmap an SS_BITMAP static shows; none for the template's probe.
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};
