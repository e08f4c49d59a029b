// The text operations of list and combo boxes: UTF-16 across the call, code
// page 932 on the editor's side.
#include <string>

#include "combo_box.h"
#include "entry_key.h"
#include "list_box.h"

namespace {
CString ItemText(const CWnd &control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = control.SendMessage(lengthMessage, static_cast<WPARAM>(index));
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        control.SendMessage(textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return CString::FromWide(text);
}

int SendText(const CWnd &control, UINT message, WPARAM wParam, const CString &text)
{
    const std::wstring wide = text.ToWide();
    return static_cast<int>(control.SendMessage(message, wParam, reinterpret_cast<LPARAM>(wide.c_str())));
}
} // namespace

int CComboBox::AddString(const CString &text) const
{
    return SendText(*this, CB_ADDSTRING, 0, text);
}

CString CComboBox::GetLBText(int index) const
{
    return ItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int CComboBox::FindStringExact(int start, const CString &text) const
{
    return SendText(*this, CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), text);
}

int CListBox::AddString(const CString &text) const
{
    return SendText(*this, LB_ADDSTRING, 0, text);
}

CString CListBox::GetText(int index) const
{
    return ItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, index);
}

int CListBox::FindStringExact(int start, const CString &text) const
{
    return SendText(*this, LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), text);
}

// The boxes compare as CompareString does without regard to case, which is
// what the sort key of the same flags orders by.
std::string FindStringExactKey(const CString &text)
{
    constexpr DWORD Flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const std::wstring wide = text.ToWide();
    const int length = static_cast<int>(wide.size());
    const int size = LCMapStringW(LOCALE_USER_DEFAULT, Flags, wide.c_str(), length, nullptr, 0);
    std::string key(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        LCMapStringW(LOCALE_USER_DEFAULT, Flags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                     size);
    return key;
}
