#include "message_box.h"

#include <string>
#include <utility>

#include "win_app.h"
#include "wnd.h"

namespace {
MessageBoxHook &Hook()
{
    static MessageBoxHook hook;
    return hook;
}

HWND MessageBoxOwner()
{
    const CWnd *main = AfxGetMainWnd();
    if (!main || !main->GetSafeHwnd())
        return nullptr;
    return GetLastActivePopup(main->GetSafeHwnd());
}
} // namespace

int AfxMessageBox(const CString &text, UINT type)
{
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    if (Hook())
        return Hook()(text, type);
    return MessageBoxW(MessageBoxOwner(), text.ToWide().c_str(), AfxGetAppTitle().c_str(), type);
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}
