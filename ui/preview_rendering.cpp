// Part previews: rendering the working banks into the preview bitmaps and
// painting them on the owner-drawn preview controls.
#include "parts_editor_dlg.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

#include "res/resource.h"
#include "ui/editor_state.h"
#include "ui/display_bitmap.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"

namespace {
// SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE: only the size
// changes, and nothing is painted yet.
constexpr UINT ResizeOnly = 30;
// Shows a control without painting it; it is painted with the dialog's
// next paints.
constexpr UINT ShowOnly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW;
// Hides a control without repainting what it covered.
constexpr UINT HideOnly =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_HIDEWINDOW;
// What hiding or showing a control repaints of a control. A preview control
// has no frame and no background of its own: WM_DRAWITEM paints all of it.
constexpr UINT RepaintControl = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME;
constexpr UINT RepaintPreview = RDW_INVALIDATE;
constexpr COLORREF NotRead = 0;
constexpr int DoorSlots[] = {7, 6, 5};

bool IsDoorControl(UINT controlId)
{
    return controlId == IDC_PREVIEW_SLOT5 || controlId == IDC_PREVIEW_SLOT6 || controlId == IDC_PREVIEW_SLOT7;
}

bool IsShown(HWND control)
{
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The rectangle a control covers, in its dialog's client coordinates.
RECT AreaOf(HWND control, HWND dialog)
{
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&area), 2);
    return area;
}

// Gives every control the flags in one deferred window-position update; if
// the platform cannot take the batch, one by one.
void PlaceTogether(const std::vector<HWND> &controls, UINT flags)
{
    HDWP batch = BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (const HWND control : controls)
        if (batch)
            batch = DeferWindowPos(batch, control, nullptr, 0, 0, 0, 0, flags);
    if (batch && EndDeferWindowPos(batch))
        return;
    for (const HWND control : controls)
        ::SetWindowPos(control, nullptr, 0, 0, 0, 0, flags);
}

struct RegionDeleter {
    void operator()(HRGN region) const { DeleteObject(region); }
};
using Region = std::unique_ptr<std::remove_pointer_t<HRGN>, RegionDeleter>;
} // namespace

// Each slot drawn is rendered and its control shown; the platform then
// paints the control through WM_DRAWITEM. A control shown already is not
// hidden first but repainted with what hiding it would repaint, which leaves
// the same picture on the screen for a fraction of the window operations.
// The hidden ones are shown together once all are rendered, in one update
// that paints nothing, and then each is painted: the controls the paints
// reach are the same as when each is shown at once. All slots means every
// slot with a preview control except the room.
void CPartsEditorDlg::RedrawPreviews(int slot)
{
    std::vector<HWND> showing;
    const auto redraw = [&](int s) {
        if (s < 0 || s >= SlotCount || SlotControlIds[s] == NoControl)
            return;
        const HWND control = PreviewControls[s].GetSafeHwnd();
        const bool shown = IsShown(control);
        const RECT before = AreaOf(control, m_hWnd);
        RenderPreview(s);
        if (!shown) {
            showing.push_back(control);
            return;
        }
        RepaintWhatHidingUncovers(control, before);
        ::RedrawWindow(control, nullptr, nullptr, RepaintPreview);
    };
    if (slot != AllSlots)
        redraw(slot);
    else
        for (int s = 0; s < SlotCount; ++s)
            if (s != RoomSlot)
                redraw(s);
    PlaceTogether(showing, ShowOnly);
    for (const HWND control : showing)
        ::RedrawWindow(control, nullptr, nullptr, RepaintPreview);
}

// The part previews are hidden together in one update that paints nothing,
// and what they covered (the dialog and the controls beneath) is repainted
// once: the picture that hiding them one by one leaves, each hide with its
// own repaint. A preview with the keyboard focus is hidden the usual way,
// which moves the focus off it. The room preview is never hidden.
void CPartsEditorDlg::HidePartPreviews()
{
    const HWND focus = ::GetFocus();
    std::vector<HWND> hiding;
    const Region covered(CreateRectRgn(0, 0, 0, 0));
    for (int slot = 0; slot < SlotCount; ++slot) {
        const HWND control = PreviewControls[slot].GetSafeHwnd();
        if (slot == RoomSlot || !control || !IsShown(control))
            continue;
        if (control == focus) {
            PreviewControls[slot].ShowWindow(SW_HIDE);
            continue;
        }
        const RECT area = AreaOf(control, m_hWnd);
        const Region one(CreateRectRgnIndirect(&area));
        CombineRgn(covered.get(), covered.get(), one.get(), RGN_OR);
        hiding.push_back(control);
    }
    PlaceTogether(hiding, HideOnly);
    ::RedrawWindow(m_hWnd, nullptr, covered.get(), RepaintControl | RDW_ALLCHILDREN);
}

// Hiding a control repaints the dialog and every control beneath it where
// it was. When the control keeps its place and size and is painted again,
// only the controls after it in z order are painted after it and so end up
// on top of it where they overlap it: repainting those overlaps is enough.
void CPartsEditorDlg::RepaintWhatHidingUncovers(HWND control, const RECT &before)
{
    const RECT after = AreaOf(control, m_hWnd);
    if (!EqualRect(&before, &after)) {
        ::RedrawWindow(m_hWnd, &before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    const std::vector<HWND> &controls = ControlsInZOrder();
    auto below = std::find(controls.begin(), controls.end(), control);
    if (below == controls.end())
        return;
    while (++below != controls.end()) {
        const RECT area = AreaOf(*below, m_hWnd);
        RECT overlap{};
        if (!IsShown(*below) || !IntersectRect(&overlap, &before, &area))
            continue;
        MapWindowPoints(m_hWnd, *below, reinterpret_cast<POINT *>(&overlap), 2);
        const bool preview = std::ranges::any_of(
            PreviewControls, [&](const CWnd &preview) { return preview.GetSafeHwnd() == *below; });
        ::RedrawWindow(*below, &overlap, nullptr, preview ? RepaintPreview : RepaintControl);
    }
}

// From the top of the z order down, read once: the controls keep their
// order for the life of the dialog.
const std::vector<HWND> &CPartsEditorDlg::ControlsInZOrder()
{
    if (controlsInZOrder_.empty())
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            controlsInZOrder_.push_back(child);
    return controlsInZOrder_;
}

// The key colour is the dialog's own background as the hidden probe control
// shows it, read once; a read that gives black (or nothing) is repeated at
// the next render. The picture of a base that cannot be shown is empty: the
// slot keeps no bitmap and its control shrinks to nothing.
void CPartsEditorDlg::RenderPreview(int slot)
{
    const CClientDC reference(KeyColourProbe);
    if (KeyColour == NotRead) {
        KeyColourProbe.ShowWindow(SW_SHOW);
        {
            const CClientDC probe(KeyColourProbe);
            const COLORREF colour = probe.GetPixel(0, 0);
            KeyColour = colour == CLR_INVALID ? NotRead : colour;
        }
        KeyColourProbe.ShowWindow(SW_HIDE);
    }
    const auto index = static_cast<std::size_t>(slot);
    RgbImage &picture = previewPicture_;
    RenderPreviewPicture(PartImageStore.WorkBase[index], PartImageStore.WorkMask[index], KeyColour, picture);
    if (picture.width > 0 && picture.height > 0)
        MakeDisplayBitmap(PreviewBitmaps[index], reference, picture);
    else
        PreviewBitmaps[index].DeleteObject();
    RECT area{};
    PreviewControls[index].GetWindowRect(&area);
    if (area.right - area.left != picture.width || area.bottom - area.top != picture.height)
        PreviewControls[index].SetWindowPos(nullptr, 0, 0, picture.width, picture.height, ResizeOnly);
}

// Copies the bitmap at its own size to the target's top-left corner; a
// slot never rendered has no bitmap and nothing is copied.
BOOL CPartsEditorDlg::DrawBitmap(CDC *target, CBitmap *bitmap)
{
    CDC memory;
    if (!memory.CreateCompatibleDC(target))
        return FALSE;
    BITMAP size{};
    if (!bitmap->GetBitmap(&size))
        return FALSE;
    const HGDIOBJ previous = memory.SelectObject(*bitmap);
    const bool copied = target->BitBlt(0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    return copied ? TRUE : FALSE;
}

// A paint request for any door repaints all three doors (slots 7, 6, 5),
// each through its own device context. The item's action and state are
// ignored: a preview never looks pressed or focused.
void CPartsEditorDlg::OnDrawItem(int, DRAWITEMSTRUCT *item)
{
    if (item->CtlType != ODT_BUTTON)
        return;
    if (IsDoorControl(item->CtlID)) {
        for (const int door : DoorSlots) {
            CClientDC target(PreviewControls[door]);
            DrawBitmap(&target, &PreviewBitmaps[door]);
        }
        return;
    }
    const int slot = SlotOfPreviewControl(static_cast<int>(item->CtlID));
    if (slot < 0)
        return;
    CDC target;
    target.Attach(item->hDC);
    DrawBitmap(&target, &PreviewBitmaps[static_cast<std::size_t>(slot)]);
}
