// CWnd: a window handle with one-line operations named after the Win32 calls
// and messages they use. It does not own the window: child controls belong
// to their dialog, and dialogs (CDialog) destroy their own window. An unbound
// CWnd (no window) tests false.
#pragma once

#include <windows.h>

#include "cstring.h"

class CWnd {
  public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}

    HWND GetSafeHwnd() const { return m_hWnd; }
    explicit operator bool() const { return m_hWnd != nullptr; }
    void Attach(HWND window) { m_hWnd = window; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam) != FALSE;
    }

    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    // BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE of a check box child.
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

    // Returns whether the window was disabled before. A window already in
    // that state is left alone: the platform would change nothing, and under
    // Wine the call is still a round trip to the window server.
    bool EnableWindow(bool enable = true) const
    {
        if (IsWindowEnabled() == enable)
            return !enable;
        return ::EnableWindow(m_hWnd, enable) != FALSE;
    }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    // Returns whether the window was visible before.
    bool ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    // Off, the window stops drawing itself until turned back on; a list box
    // also leaves its scroll bar alone meanwhile and updates it when back on.
    void SetRedraw(bool redraw = true) const { SendMessage(WM_SETREDRAW, redraw); }
    // The whole client area painted again at the next WM_PAINT.
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    LONG_PTR GetStyle() const { return GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags) != FALSE;
    }
    bool GetClientRect(RECT *rect) const { return ::GetClientRect(m_hWnd, rect) != FALSE; }
    bool GetWindowRect(RECT *rect) const { return ::GetWindowRect(m_hWnd, rect) != FALSE; }

    // Returns the window that had the focus before.
    CWnd SetFocus() const { return CWnd(::SetFocus(m_hWnd)); }
    static CWnd GetFocus() { return CWnd(::GetFocus()); }

    // The text is shown up to its first zero byte.
    void SetWindowText(const CString &text) const;
    // The whole current text (WM_GETTEXT), also of another process's window.
    CString GetWindowText() const;

    // A timer of the window: WM_TIMER with the id every elapse
    // milliseconds until it is killed; setting it again starts it anew.
    bool SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr) != 0; }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id) != FALSE; }

    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    // Returns the icon set before.
    HICON SetIcon(HICON icon, bool big) const
    {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }

  protected:
    HWND m_hWnd = nullptr;
};
