// Part previews: rendering the working banks into the preview bitmaps and
// painting them on the owner-drawn preview controls.
#include "parts_editor_dlg.h"

#include "res/resource.h"
#include "store/part_image_store.h"
#include "ui/portable/preview_picture.h"
#include "ui/portable/slot_map.h"

namespace {
// SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE: only the size
// changes, and nothing is painted yet.
constexpr UINT ResizeOnly = 30;
constexpr COLORREF NotRead = 0;
constexpr int DoorSlots[] = {7, 6, 5};

bool IsDoorControl(UINT controlId)
{
    return controlId == IDC_PREVIEW_SLOT5 || controlId == IDC_PREVIEW_SLOT6 || controlId == IDC_PREVIEW_SLOT7;
}

// The picture as a bitmap in the display's colour format, through one
// transfer of its 32-bit top-down pixel rows.
void MakeDisplayBitmap(CBitmap &bitmap, const CDC &reference, const RgbImage &picture)
{
    if (!bitmap.CreateCompatibleBitmap(reference, picture.width, picture.height))
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBits(reference.GetSafeHdc(), bitmap.GetSafeHandle(), 0, static_cast<UINT>(picture.height),
              picture.pixels.data(), &info, DIB_RGB_COLORS);
}
} // namespace

// Each slot drawn is hidden, rendered and shown again; showing it makes the
// platform paint it through WM_DRAWITEM. All slots means every slot with a
// preview control except the room.
void CPartsEditorDlg::RedrawPreviews(int slot)
{
    const auto redraw = [this](int s) {
        if (s < 0 || s >= SlotCount || SlotControlTable[s] == NoControl)
            return;
        PreviewControls[s].ShowWindow(SW_HIDE);
        RenderPreview(s);
        PreviewControls[s].ShowWindow(SW_SHOW);
    };
    if (slot != AllSlots) {
        redraw(slot);
        return;
    }
    for (int s = 0; s < SlotCount; ++s)
        if (s != RoomSlot)
            redraw(s);
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
    const RgbImage picture =
        RenderPreviewPicture(PartImageStore::WorkBase[index], PartImageStore::WorkMask[index], KeyColour);
    PreviewBitmaps[index].DeleteObject();
    if (picture.width > 0 && picture.height > 0)
        MakeDisplayBitmap(PreviewBitmaps[index], reference, picture);
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
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (SlotControlTable[slot] == static_cast<int>(item->CtlID)) {
            CDC target;
            target.Attach(item->hDC);
            DrawBitmap(&target, &PreviewBitmaps[slot]);
            return;
        }
    }
}
