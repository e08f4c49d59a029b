// CWinApp: the application object. The program defines exactly one static
// object of a class derived from it; AfxWinMain, called from the program's
// entry point, runs its InitInstance. A false result ends the process
// without a message loop of the application's own.
#pragma once

#include <string>

#include <windows.h>

class CWnd;

class CWinApp {
  public:
    CWinApp();
    CWinApp(const CWinApp &) = delete;
    CWinApp &operator=(const CWinApp &) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }

    // The window whose last active pop-up owns message boxes and dialogs
    // that name no owner.
    CWnd *m_pMainWnd = nullptr;
};

CWinApp *AfxGetApp();
CWnd *AfxGetMainWnd();
// The module that holds the dialog templates and other resources: the
// program's own executable.
HINSTANCE AfxGetResourceHandle();
// The executable's file name without its folder and extension ("Tavi").
std::wstring AfxGetAppTitle();
// Runs the application object's InitInstance; returns the exit code.
int AfxWinMain();
