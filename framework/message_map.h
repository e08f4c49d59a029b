// Message maps: static tables that send a window message (for WM_COMMAND: a
// control or command id and a notification code) to a member handler of a
// dialog. A dialog looks in its own map first, then in its base class's map;
// a message that no entry names gets the standard dialog handling.
//
//     const MessageMapEntry CMyDlg::MessageEntries[] = {
//         OnWmPaint<&CMyDlg::OnPaint>(),
//         OnBnClicked<&CMyDlg::OnGo>(IDC_GO),         // void OnGo()
//         OnCommand<&CMyDlg::OnGo>(ID_GO),            // menu or accelerator
//     };
//     const MessageMap* CMyDlg::GetMessageMap() const
//     {
//         static const MessageMap map{CDialog::GetThisMessageMap(), MessageEntries};
//         return &map;
//     }
#pragma once

#include <span>

#include <windows.h>

#include <shellapi.h> // HDROP

class CDialog;

using MessageHandler = LRESULT (*)(CDialog &dialog, WPARAM wParam, LPARAM lParam);

// Notification code of an entry that takes a command from a menu (code 0)
// or an accelerator (code 1).
inline constexpr UINT AnyCommandCode = 0xFFFFFFFF;

struct MessageMapEntry {
    UINT message;
    UINT code; // WM_COMMAND only
    UINT id;   // WM_COMMAND only: the control or command id, the first of a range
    MessageHandler handler;
    UINT lastId = id; // WM_COMMAND only: the last id of a range

    bool Matches(UINT message, WPARAM wParam) const;
};

struct MessageMap {
    const MessageMap *base;
    std::span<const MessageMapEntry> entries;
};

namespace message_map_detail {
template <class Member> struct ClassOf;
template <class C, class R, class... Args> struct ClassOf<R (C::*)(Args...)> {
    using Type = C;
};
template <auto Handler> using Dialog = typename ClassOf<decltype(Handler)>::Type;

template <auto Handler> LRESULT CallWithoutArguments(CDialog &dialog, WPARAM, LPARAM)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)();
    return 0;
}
template <auto Handler> LRESULT CallWithControlId(CDialog &dialog, WPARAM wParam, LPARAM)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)(LOWORD(wParam));
    return 0;
}
template <auto Handler> LRESULT CallSysCommand(CDialog &dialog, WPARAM wParam, LPARAM lParam)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}
template <auto Handler> LRESULT CallReturningHandle(CDialog &dialog, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((static_cast<Dialog<Handler> &>(dialog).*Handler)());
}
template <auto Handler> LRESULT CallDrawItem(CDialog &dialog, WPARAM wParam, LPARAM lParam)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)(static_cast<int>(wParam),
                                                      reinterpret_cast<DRAWITEMSTRUCT *>(lParam));
    return TRUE;
}
template <auto Handler> LRESULT CallDropFiles(CDialog &dialog, WPARAM wParam, LPARAM)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)(reinterpret_cast<HDROP>(wParam));
    return 0;
}
template <auto Handler> LRESULT CallTimer(CDialog &dialog, WPARAM wParam, LPARAM)
{
    (static_cast<Dialog<Handler> &>(dialog).*Handler)(static_cast<UINT_PTR>(wParam));
    return 0;
}
} // namespace message_map_detail

// WM_COMMAND from control id with notification code: void Handler().
template <auto Handler> constexpr MessageMapEntry OnControl(UINT code, UINT id)
{
    return {WM_COMMAND, code, id, &message_map_detail::CallWithoutArguments<Handler>};
}
// WM_COMMAND from any control of the ids first to last with notification
// code: void Handler(UINT controlId).
template <auto Handler> constexpr MessageMapEntry OnControlRange(UINT code, UINT first, UINT last)
{
    return {WM_COMMAND, code, first, &message_map_detail::CallWithControlId<Handler>, last};
}
// WM_COMMAND from a menu or an accelerator (codes 0 and 1): void Handler().
template <auto Handler> constexpr MessageMapEntry OnCommand(UINT id)
{
    return OnControl<Handler>(AnyCommandCode, id);
}
template <auto Handler> constexpr MessageMapEntry OnBnClicked(UINT id)
{
    return OnControl<Handler>(BN_CLICKED, id);
}
template <auto Handler> constexpr MessageMapEntry OnLbnSelChange(UINT id)
{
    return OnControl<Handler>(LBN_SELCHANGE, id);
}
// WM_SYSCOMMAND: void Handler(UINT commandId, LPARAM lParam).
template <auto Handler> constexpr MessageMapEntry OnWmSysCommand()
{
    return {WM_SYSCOMMAND, 0, 0, &message_map_detail::CallSysCommand<Handler>};
}
// WM_PAINT: void Handler().
template <auto Handler> constexpr MessageMapEntry OnWmPaint()
{
    return {WM_PAINT, 0, 0, &message_map_detail::CallWithoutArguments<Handler>};
}
// WM_QUERYDRAGICON: HCURSOR Handler(), the icon shown while dragging.
template <auto Handler> constexpr MessageMapEntry OnWmQueryDragIcon()
{
    return {WM_QUERYDRAGICON, 0, 0, &message_map_detail::CallReturningHandle<Handler>};
}
// WM_DRAWITEM: void Handler(int controlId, DRAWITEMSTRUCT* item).
template <auto Handler> constexpr MessageMapEntry OnWmDrawItem()
{
    return {WM_DRAWITEM, 0, 0, &message_map_detail::CallDrawItem<Handler>};
}
// WM_DROPFILES: void Handler(HDROP drop); the handler finishes the drop.
template <auto Handler> constexpr MessageMapEntry OnWmDropFiles()
{
    return {WM_DROPFILES, 0, 0, &message_map_detail::CallDropFiles<Handler>};
}
// WM_TIMER: void Handler(UINT_PTR timerId).
template <auto Handler> constexpr MessageMapEntry OnWmTimer()
{
    return {WM_TIMER, 0, 0, &message_map_detail::CallTimer<Handler>};
}
