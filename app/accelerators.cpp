#include "accelerators.h"

#include "framework/win_app.h"
#include "res/resource.h"

bool TranslateEditorAccelerator(HWND target, MSG *message)
{
    // A table loaded from the program's resources is released with the
    // process; it is loaded once and kept.
    static const HACCEL table = LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_ACCELERATOR));
    return TranslateAcceleratorW(target, table, message) != 0;
}
