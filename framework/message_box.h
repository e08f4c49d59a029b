// The editor's message box: MessageBoxW with the application title as its
// caption, the exclamation icon when the type names no icon, owned by the
// application's main window (its last active pop-up) if there is one.
// Tests route the boxes to a recorder instead.
#pragma once

#include <functional>

#include <windows.h>

#include "cstring.h"

// Returns the button the user chose (IDOK, IDYES, ...).
int AfxMessageBox(const CString &text, UINT type = MB_OK);

// Receives the text and the type with the icon added, returns the answer.
using MessageBoxHook = std::function<int(const CString &text, UINT type)>;
// An empty hook restores the real message box.
void SetMessageBoxHook(MessageBoxHook hook);
