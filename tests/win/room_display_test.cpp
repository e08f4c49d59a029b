// Loading rooms into the main dialog and displaying their parts: the
// editor's mode and controls after each event, the reports of records it
// cannot use, and the previews that the part controls show.
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "editor_fixture.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "store/part_image_store.h"
#include "core/picture/bmp_builder.h"
#include "tools/samplegen/sample_rooms.h"
#include "ui/editor_state.h"
#include "core/messages.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"

namespace {
constexpr int Slot14 = 14;
constexpr WORD AcceleratorCode = 1;

using Texts = std::vector<std::string>;

struct Expected {
    int mode;
    bool display, output, compose;
    bool combos;
    bool parts; // every part preview but the room's
    bool room;
};

void ExpectState(const OpenEditorDlg &dialog, const Expected &expected)
{
    EXPECT_EQ(EditorMode, expected.mode);
    EXPECT_EQ(dialog.Enabled(IDC_DISPLAY_PARTS), expected.display);
    EXPECT_EQ(dialog.Enabled(IDC_OUTPUT_PARTS), expected.output);
    EXPECT_EQ(dialog.Enabled(IDC_COMPOSE_PARTS), expected.compose);
    for (const PartGroup &combo : PartGroups) {
        EXPECT_EQ(dialog.Enabled(combo.comboId), expected.combos) << combo.comboId;
        if (expected.combos) {
            EXPECT_EQ(SendMessageW(dialog.Item(combo.comboId), CB_GETCURSEL, 0, 0), 0) << combo.comboId;
        }
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != Slot14) {
            EXPECT_EQ(dialog.Visible(SlotControlIds[slot]), slot == RoomSlot ? expected.room : expected.parts)
                << "slot " << slot;
        }
    }
}

void ExpectRoomTexts(const OpenEditorDlg &dialog, const std::string &fileName, int sample)
{
    const SampleRoom &room = SampleRooms()[static_cast<std::size_t>(sample)];
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), fileName);
    EXPECT_EQ(dialog.ItemText(IDC_NAME), room.nameText);
    EXPECT_EQ(dialog.ItemText(IDC_REMARKS), room.remarksText);
    EXPECT_EQ(dialog.ItemText(IDC_AUTHOR), room.authorText);
    EXPECT_EQ(CurrentPackageName.Bytes(), fileName);
}

bool BanksAreSaved()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (!WorkSlotIsSaved(slot))
            return false;
    return true;
}

void PressCtrlD(OpenEditorDlg &dialog)
{
    dialog.Command(ID_DISPLAY_PARTS, AcceleratorCode);
}

void ClickAutoDisplay(OpenEditorDlg &dialog)
{
    SendMessageW(dialog.Item(IDC_AUTO_DISPLAY), BM_CLICK, 0, 0);
    dialog.Pump();
}

// Two sample rooms in 部屋, and a part file for the door combo box.
void PrepareTwoRooms(const WorkingFolder &folder)
{
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\a.pac", SampleRoomBytes(0));
    folder.WriteFile(L"部屋\\b.pac", SampleRoomBytes(1));
    folder.MakeFolder(L"部屋の部品集");
    folder.WriteFile(L"部屋の部品集\\05x.bmp", "BM");
}

COLORREF AsColorRef(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

RgbImage WorkingPicture(const OpenEditorDlg &dialog, int slot)
{
    const auto index = static_cast<std::size_t>(slot);
    return RenderPreviewPicture(PartImageStore.WorkBase[index], PartImageStore.WorkMask[index],
                                dialog.KeyColour);
}

// Whether the window shows the picture at a few points across it.
void ExpectShowsPicture(HWND window, const RgbImage &picture, const std::string &what)
{
    ASSERT_GT(picture.width, 0) << what;
    const HDC dc = GetDC(window);
    for (const auto &[x, y] :
         std::array<std::pair<int, int>, 4>{{{0, 0},
                                             {picture.width / 2, picture.height / 2},
                                             {picture.width - 1, picture.height - 1},
                                             {picture.width / 3, picture.height * 2 / 3}}})
        EXPECT_EQ(GetPixel(dc, x, y), AsColorRef(picture.At(x, y))) << what << " at " << x << "," << y;
    ReleaseDC(window, dc);
}

// A display-compatible surface of a picture's size, black at first.
class Surface {
  public:
    Surface(int width, int height)
    {
        CClientDC screen{CWnd()};
        bitmap_.CreateCompatibleBitmap(screen, width, height);
        dc_.CreateCompatibleDC(nullptr);
        previous_ = dc_.SelectObject(bitmap_);
        PatBlt(dc_.GetSafeHdc(), 0, 0, width, height, BLACKNESS);
    }
    ~Surface() { dc_.SelectObject(previous_); }
    CDC &Dc() { return dc_; }

  private:
    CBitmap bitmap_;
    CDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// Every 5th column of every 7th row of the surface against the picture.
void ExpectSurfaceIsPicture(Surface &surface, const RgbImage &picture, const std::string &what)
{
    for (int y = 0; y < picture.height; y += 7)
        for (int x = 0; x < picture.width; x += 5)
            ASSERT_EQ(GetPixel(surface.Dc().GetSafeHdc(), x, y), AsColorRef(picture.At(x, y)))
                << what << " at " << x << "," << y;
}

void FillBlack(HWND window)
{
    const HDC dc = GetDC(window);
    RECT rect{};
    GetClientRect(window, &rect);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
}

DRAWITEMSTRUCT DrawRequest(const OpenEditorDlg &dialog, int controlId, HDC target, UINT type = ODT_BUTTON)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = type;
    item.CtlID = static_cast<UINT>(controlId);
    item.itemAction = ODA_SELECT;
    item.itemState = ODS_SELECTED | ODS_FOCUS;
    item.hwndItem = dialog.Item(controlId);
    item.hDC = target;
    return item;
}

std::vector<std::uint8_t> Bmp8(int width, int height, std::uint8_t index)
{
    return BuildBmp8(width, height, {0x000000, 0xFF0000, 0x00FF00},
                     std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, index));
}
} // namespace

TEST(RoomDisplay, ControlsFollowEachSelectionAndDisplay)
{
    WorkingFolder folder(L"state");
    PrepareTwoRooms(folder);
    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    PressCtrlD(dialog);
    ExpectState(dialog, {NothingLoaded, false, false, false, false, false, false});

    dialog.SelectRoom("a.pac");
    ExpectState(dialog, {PackageLoaded, true, false, false, false, false, true});
    ExpectRoomTexts(dialog, "a.pac", 0);
    EXPECT_EQ(dialog.PackagePath.Bytes(), "部屋\\a.pac");
    EXPECT_TRUE(BanksAreSaved());

    PressCtrlD(dialog);
    ExpectState(dialog, {PartsDisplay, true, true, true, true, true, true});
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());

    // Leaving display mode resets the combo boxes without restoring parts.
    SendMessageW(dialog.Item(IDC_COMBO_DOOR), CB_SETCURSEL, 1, 0);
    PartImageStore.WorkBase[5].bytes[100] ^= 0xFF;
    dialog.SelectRoom("b.pac");
    ExpectState(dialog, {PackageLoaded, true, false, false, false, false, true});
    EXPECT_EQ(SendMessageW(dialog.Item(IDC_COMBO_DOOR), CB_GETCURSEL, 0, 0), 0);
    ExpectRoomTexts(dialog, "b.pac", 1);

    // Display parts discards replacements, also when repeated.
    dialog.Command(IDC_DISPLAY_PARTS);
    ExpectState(dialog, {PartsDisplay, true, true, true, true, true, true});
    PartImageStore.WorkBase[5].bytes[100] ^= 0xFF;
    dialog.Command(IDC_DISPLAY_PARTS);
    EXPECT_TRUE(BanksAreSaved());
}

TEST(RoomDisplay, AutoDisplayEndsInPartsDisplayAndAFailedOpenHidesTheParts)
{
    WorkingFolder folder(L"auto-display");
    PrepareTwoRooms(folder);
    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    ClickAutoDisplay(dialog);
    dialog.SelectRoom("a.pac");
    ExpectState(dialog, {PartsDisplay, true, true, true, true, true, true});
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());

    // b.pac disappears after the list was filled: nothing is read and
    // nothing is said; the room preview of a.pac stays.
    ASSERT_TRUE(DeleteFileW(L"部屋\\b.pac"));
    MessageBoxRecorder boxes;
    dialog.SelectRoom("b.pac");
    ExpectState(dialog, {NothingLoaded, false, false, false, false, false, true});
    for (const PartGroup &combo : PartGroups)
        EXPECT_EQ(SendMessageW(dialog.Item(combo.comboId), CB_GETCURSEL, 0, 0), 0) << combo.comboId;
    ExpectRoomTexts(dialog, "a.pac", 0);
    EXPECT_TRUE(boxes.boxes.empty());
    PressCtrlD(dialog);
    EXPECT_EQ(EditorMode, NothingLoaded);
}

TEST(RoomDisplay, RecordsThatCannotBeUsedAreReportedWhileReading)
{
    WorkingFolder folder(L"reports");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\a.pac", SampleRoomBytes(0));
    std::vector<RawRecord> records(2 * SlotCount, Record(Bmp8(8, 8, 1)));
    records[3] = Record(BuildBmpFile({8, 8, 24, false, {}, {}}));
    records[6] = {SlotSize + 1, std::vector<std::uint8_t>(SlotSize + 1, 0x42)};
    records[11] = Record(BuildBmpFile({8, 8, 4, false, {}, {}}));
    records[SlotCount + 2] = {SlotSize + 1, std::vector<std::uint8_t>(SlotSize + 1, 0x42)};
    folder.WriteFile(L"部屋\\odd.pac", PackageBytes("変", "", "", records));

    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("a.pac");
    std::vector<std::string> texts;
    std::vector<std::string> fileNameShown;
    SetMessageBoxHook([&](const CString &text, UINT type) {
        texts.push_back(text.Bytes());
        fileNameShown.push_back(dialog.ItemText(IDC_FILE_NAME));
        EXPECT_EQ(type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        return IDOK;
    });
    dialog.SelectRoom("odd.pac");
    SetMessageBoxHook({});
    // Slot 6 keeps the 8-bit image of a.pac.
    EXPECT_EQ(texts, (Texts{NotEightBitRecordMessage(3), OversizedRecordMessage(6),
                            NotEightBitRecordMessage(11), OversizedRecordMessage(22)}));
    EXPECT_EQ(fileNameShown, Texts(4, "odd.pac"));
    EXPECT_EQ(dialog.ItemText(IDC_NAME), "変");
    EXPECT_EQ(EditorMode, PackageLoaded);
    EXPECT_TRUE(dialog.Enabled(IDC_DISPLAY_PARTS));
}

TEST(RoomDisplay, EachPreviewControlTakesItsPicturesSizeAndShowsIt)
{
    WorkingFolder folder(L"previews");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\a.pac", SampleRoomBytes(0));
    std::vector<RawRecord> records(2 * SlotCount, Record(Bmp8(8, 8, 0)));
    records[0] = Record(Bmp8(161, 120, 1));
    records[1] = Record(Bmp8(160, 120, 1));
    records[2] = Record(Bmp8(201, 101, 2));
    records[3] = Record(BuildBmpFile({8, 8, 16, false, {}, {}}));
    folder.WriteFile(L"部屋\\sizes.pac", PackageBytes("", "", "", records));

    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("a.pac");
    dialog.Command(IDC_DISPLAY_PARTS);
    EXPECT_EQ(dialog.KeyColour, GetSysColor(COLOR_BTNFACE));
    EXPECT_FALSE(dialog.PreviewBitmaps[Slot14]);
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot == Slot14)
            continue;
        const RgbImage picture = WorkingPicture(dialog, slot);
        const SIZE size = dialog.Size(SlotControlIds[slot]);
        EXPECT_EQ(size.cx, picture.width) << "slot " << slot;
        EXPECT_EQ(size.cy, picture.height) << "slot " << slot;
        Surface surface(picture.width, picture.height);
        EXPECT_TRUE(dialog.DrawBitmap(&surface.Dc(), &dialog.PreviewBitmaps[slot]));
        ExpectSurfaceIsPicture(surface, picture, "slot " + std::to_string(slot));
    }
    // The sample's views and room are 320 x 240 parts.
    EXPECT_EQ(dialog.Size(SlotControlIds[0]).cx, 160);
    EXPECT_EQ(dialog.Size(SlotControlIds[RoomSlot]).cy, 120);

    MessageBoxRecorder boxes;
    dialog.SelectRoom("sizes.pac");
    dialog.Command(IDC_DISPLAY_PARTS);
    const std::array<SIZE, 4> sizes = {{{80, 60}, {160, 120}, {100, 50}, {0, 0}}};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(dialog.Size(SlotControlIds[slot]).cx, sizes[slot].cx) << "slot " << slot;
        EXPECT_EQ(dialog.Size(SlotControlIds[slot]).cy, sizes[slot].cy) << "slot " << slot;
    }
    EXPECT_FALSE(dialog.PreviewBitmaps[3]);
    const RgbImage halved = WorkingPicture(dialog, 2);
    Surface surface(halved.width, halved.height);
    dialog.DrawBitmap(&surface.Dc(), &dialog.PreviewBitmaps[2]);
    ExpectSurfaceIsPicture(surface, halved, "slot 2");
}

TEST(RoomDisplay, AllSlotsNeverTouchTheRoomOrSlot14)
{
    WorkingFolder folder(L"all-slots");
    PrepareTwoRooms(folder);
    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("a.pac");
    const HWND room = dialog.Item(SlotControlIds[RoomSlot]);
    const HBITMAP roomBitmap = dialog.PreviewBitmaps[RoomSlot].GetSafeHandle();
    ASSERT_NE(roomBitmap, nullptr);
    ShowWindow(room, SW_HIDE);
    SetWindowPos(room, nullptr, 0, 0, 7, 5, SWP_NOMOVE | SWP_NOZORDER);

    dialog.RedrawPreviews(AllSlots);
    EXPECT_FALSE(IsWindowVisible(room));
    EXPECT_EQ(dialog.Size(SlotControlIds[RoomSlot]).cx, 7);
    EXPECT_EQ(dialog.PreviewBitmaps[RoomSlot].GetSafeHandle(), roomBitmap);
    EXPECT_FALSE(dialog.PreviewBitmaps[Slot14]);
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != RoomSlot && slot != Slot14) {
            EXPECT_TRUE(dialog.Visible(SlotControlIds[slot])) << "slot " << slot;
        }
    }

    dialog.RedrawPreviews(RoomSlot);
    EXPECT_TRUE(IsWindowVisible(room));
    EXPECT_EQ(dialog.Size(SlotControlIds[RoomSlot]).cx, 160);
    dialog.HidePartPreviews();
    EXPECT_TRUE(IsWindowVisible(room));
}

TEST(RoomDisplay, ADrawRequestForADoorPaintsAllThreeDoors)
{
    WorkingFolder folder(L"doors");
    PrepareTwoRooms(folder);
    OpenEditorDlg dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("a.pac");
    dialog.Command(IDC_DISPLAY_PARTS);
    for (const int door : {5, 6, 7})
        FillBlack(dialog.Item(SlotControlIds[door]));

    // The request's own device context is not used for doors.
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    DRAWITEMSTRUCT request = DrawRequest(dialog, IDC_PREVIEW_SLOT6, memory.GetSafeHdc());
    dialog.SendMessage(WM_DRAWITEM, IDC_PREVIEW_SLOT6, reinterpret_cast<LPARAM>(&request));
    for (const int door : {5, 6, 7})
        ExpectShowsPicture(dialog.Item(SlotControlIds[door]), WorkingPicture(dialog, door),
                           "door " + std::to_string(door));

    // Other previews draw into the request's device context, never pressed
    // or focused; other kinds and controls draw nothing.
    const RgbImage bed = WorkingPicture(dialog, 8);
    Surface surface(bed.width, bed.height);
    for (const auto &[id, type] : std::array<std::pair<int, UINT>, 2>{
             {{IDC_PREVIEW_SLOT8, ODT_STATIC}, {IDC_KEY_COLOUR_PROBE, ODT_BUTTON}}}) {
        request = DrawRequest(dialog, id, surface.Dc().GetSafeHdc(), type);
        dialog.SendMessage(WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&request));
        EXPECT_EQ(GetPixel(surface.Dc().GetSafeHdc(), bed.width / 2, bed.height / 2), 0u) << id;
    }
    request = DrawRequest(dialog, IDC_PREVIEW_SLOT8, surface.Dc().GetSafeHdc());
    dialog.SendMessage(WM_DRAWITEM, IDC_PREVIEW_SLOT8, reinterpret_cast<LPARAM>(&request));
    ExpectSurfaceIsPicture(surface, bed, "bed");

    // A slot never rendered has nothing to draw.
    CBitmap none;
    EXPECT_FALSE(dialog.DrawBitmap(&surface.Dc(), &none));
}
