// The application object: start-up of the editor.
#pragma once

#include "framework/win_app.h"

class CPartsEditorApp : public CWinApp {
  public:
    // Closes a leftover "Tavi" dialog window, applies the operating-system
    // gate, hands over to an editor that is already running, or runs the
    // main dialog. Returns false on every path: the process then ends.
    BOOL InitInstance() override;
};
