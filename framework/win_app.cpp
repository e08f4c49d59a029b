#include "win_app.h"

#include <vector>

namespace {
CWinApp *TheApplication = nullptr;
} // namespace

CWinApp::CWinApp()
{
    TheApplication = this;
}

CWinApp::~CWinApp()
{
    if (TheApplication == this)
        TheApplication = nullptr;
}

CWinApp *AfxGetApp()
{
    return TheApplication;
}

CWnd *AfxGetMainWnd()
{
    return TheApplication ? TheApplication->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleW(nullptr);
}

std::wstring AfxGetAppTitle()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::wstring title(path.begin(), path.end());
    title.erase(0, title.find_last_of(L"\\/") + 1);
    const std::size_t dot = title.find_last_of(L'.');
    if (dot != std::wstring::npos)
        title.erase(dot);
    return title;
}

int AfxWinMain()
{
    CWinApp *application = AfxGetApp();
    if (!application)
        return 1;
    application->InitInstance();
    return 0;
}
