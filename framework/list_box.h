// CListBox: list boxes. Texts are code page 932 strings; indices are
// zero-based, and LB_ERR (-1) means none.
#pragma once

#include "wnd.h"

class CListBox : public CWnd {
  public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // LB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    // Sends no selection-change notification.
    int SetCurSel(int index) const
    {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // A sorted list box puts the entry in sorted position; returns its index.
    int AddString(const CString &text) const;
    // Removes the entry; returns the number of entries left, LB_ERR for an
    // index out of range. A selection after it moves up with it.
    int DeleteString(int index) const
    {
        return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    // The entry's text; empty for an index out of range.
    CString GetText(int index) const;
    // The first entry equal to text without regard to letter case, searching
    // the whole list after index start (-1: from the top); LB_ERR if none.
    int FindStringExact(int start, const CString &text) const;
};
