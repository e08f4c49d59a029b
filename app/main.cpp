// Entry point of Tavi.exe: the application object and its start-up.
#include <windows.h>

#include "framework/win_app.h"
#include "parts_editor_app.h"

namespace {
CPartsEditorApp TheApp;
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return AfxWinMain();
}
