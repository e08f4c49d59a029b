#include "wnd.h"

#include <string>

namespace {
// No move, no size, no z-order change, no activation, nothing painted.
constexpr UINT QuietPlacement = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
constexpr int ShortClassName = 8;

bool IsShownMultiLineEditWithScrollBar(HWND window)
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & (WS_VISIBLE | WS_VSCROLL | ES_MULTILINE)) != (WS_VISIBLE | WS_VSCROLL | ES_MULTILINE))
        return false;
    wchar_t className[ShortClassName]{};
    GetClassNameW(window, className, ShortClassName);
    return _wcsicmp(className, L"Edit") == 0;
}
} // namespace

// A shown multi-line edit with a scroll bar draws the bar again at every
// step of taking a new text (under Wine each drawing waits for the display,
// milliseconds apiece). Hidden meanwhile, it only lays the text out, and one
// repaint of the whole control afterwards shows the same picture. Not while
// it has the focus: hiding it would move the focus.
void CWnd::SetWindowText(const CString &text) const
{
    const std::wstring wide = text.ToWide();
    if (!IsShownMultiLineEditWithScrollBar(m_hWnd) || ::GetFocus() == m_hWnd) {
        ::SetWindowTextW(m_hWnd, wide.c_str());
        return;
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, QuietPlacement | SWP_HIDEWINDOW);
    ::SetWindowTextW(m_hWnd, wide.c_str());
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, QuietPlacement | SWP_SHOWWINDOW);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

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
