// The editor's keyboard accelerators (Ctrl+D, Ctrl+W, Ctrl+M), translated
// for the main dialog.
#pragma once

#include <windows.h>

// Translates message with accelerator table 132, loaded on the first call;
// a match sends target WM_COMMAND with the command id and code 1. Returns
// whether the message was translated (then it is consumed).
bool TranslateEditorAccelerator(HWND target, MSG *message);
