// CComboBox: combo boxes. Texts are code page 932 strings; indices are
// zero-based, and CB_ERR (-1) means none.
#pragma once

#include "wnd.h"

class CComboBox : public CWnd {
  public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    // CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // Sends no selection-change notification.
    int SetCurSel(int index) const
    {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // A sorted combo box puts the entry in sorted position; returns its index.
    int AddString(const CString &text) const;
    // Removes the entry; returns the number of entries left, CB_ERR for an
    // index out of range.
    int DeleteString(int index) const
    {
        return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    // The entry's text; empty for an index out of range.
    CString GetLBText(int index) const;
    // The first entry equal to text without regard to letter case, searching
    // the whole list after index start (-1: from the top); CB_ERR if none.
    int FindStringExact(int start, const CString &text) const;
    // The minimum width of the drop-down list, in pixels.
    int SetDroppedWidth(int width) const
    {
        return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width)));
    }
    int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
};
