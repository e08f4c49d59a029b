#include "parts_editor_app.h"

#include "framework/cstring.h"
#include "framework/message_box.h"
#include "os_gate.h"
#include "ui/parts_editor_dlg.h"

namespace {
constexpr wchar_t DialogClass[] = L"#32770";
// The caption of the editor's own message boxes.
constexpr char ProductDialogTitle[] = "Tavi";
constexpr char MainDialogTitle[] = "部屋の部品編集";
constexpr DWORD CloseWaitMilliseconds = 1000;
// How long the close request may wait for the other window to handle it.
constexpr UINT CloseSendTimeoutMilliseconds = 2000;
// The size of the narrow-character version record.
constexpr DWORD VersionRecordSize = 148;

HWND FindDialogWindow(const char *title)
{
    return FindWindowW(DialogClass, CString(title).ToWide().c_str());
}

void CloseProductDialog()
{
    const HWND window = FindDialogWindow(ProductDialogTitle);
    if (!window)
        return;
    // A window whose thread does not answer must not keep the editor from
    // starting: the send gives up after a while.
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, CloseSendTimeoutMilliseconds,
                        nullptr);
    Sleep(CloseWaitMilliseconds);
}

SystemVerdict ClassifyThisSystem()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = VersionRecordSize;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return ClassifySystem(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

bool BringRunningEditorForward()
{
    const HWND window = FindDialogWindow(MainDialogTitle);
    if (!window)
        return false;
    SetForegroundWindow(window);
    return true;
}
} // namespace

BOOL CPartsEditorApp::InitInstance()
{
    CloseProductDialog();
    switch (ClassifyThisSystem()) {
    case SystemVerdict::Refuse: AfxMessageBox(UnsupportedSystemMessage); return FALSE;
    case SystemVerdict::Warn: AfxMessageBox(UntestedSystemMessage); break;
    case SystemVerdict::Pass: break;
    }
    if (BringRunningEditorForward())
        return FALSE;
    CPartsEditorDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
