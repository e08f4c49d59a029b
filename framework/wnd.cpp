#include "wnd.h"

#include <string>

CString CWnd::GetWindowText() const
{
    const LRESULT length = SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessage(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return CString::FromWide(text);
}
