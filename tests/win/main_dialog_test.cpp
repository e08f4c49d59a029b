// The main dialog created from template 102 in a prepared working folder:
// its controls as initialisation leaves them, the package folder and room
// list, the part combo boxes, the keyboard, the system menu and the About
// box; the About and compose templates and the version record as the
// resources hold them.
#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "store/part_slot.h"
#include "ui/editor_state.h"
#include "ui/parts_editor_dlg.h"
#include "core/slot_map.h"

namespace {
// The dialog with its protected parts open to the tests, recording every
// WM_COMMAND that reaches its window procedure and counting the idle reports
// of the dialogs it owns.
class TestEditorDlg : public CPartsEditorDlg {
  public:
    std::vector<WPARAM> commands;
    int idleReports = 0;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(wParam);
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
            ++idleReports;
        return CPartsEditorDlg::WindowProc(message, wParam, lParam);
    }
};

enum class Kind { List, Label, FieldLabel, LineField, TextField, Combo, Command, Preview, Probe, Check };

struct Item {
    int id;
    Kind kind;
    const char *text;
    int x, y, width, height;
};

constexpr int NoId = -1;

// Template 102 in template (and tab) order.
const std::array<Item, 56> MainDialogItems = {{
    {1000, Kind::List, "", 7, 17, 91, 60},
    {NoId, Kind::Label, "基本となる部屋を選択して下さい", 7, 7, 94, 8},
    {NoId, Kind::FieldLabel, "FILE名", 7, 200, 21, 12},
    {1004, Kind::LineField, "", 30, 200, 68, 12},
    {NoId, Kind::FieldLabel, "備　考", 7, 230, 21, 12},
    {1005, Kind::TextField, "", 30, 230, 68, 28},
    {NoId, Kind::FieldLabel, "著作名", 7, 262, 21, 12},
    {1006, Kind::TextField, "", 30, 262, 68, 28},
    {NoId, Kind::FieldLabel, "名　称", 7, 215, 21, 12},
    {1007, Kind::LineField, "", 30, 215, 68, 12},
    {NoId, Kind::Label, "00,01(20,21):窓の外", 107, 63, 58, 8},
    {1008, Kind::Combo, "", 107, 71, 64, 60},
    {NoId, Kind::Label, "03,19(23,39):扉の外", 107, 151, 57, 8},
    {1011, Kind::Combo, "", 107, 159, 64, 60},
    {NoId, Kind::Label, "04(24)部屋", 7, 172, 54, 8},
    {1012, Kind::Combo, "", 7, 180, 64, 60},
    {NoId, Kind::Label, "05-07(25-27):扉", 247, 80, 54, 8},
    {1016, Kind::Combo, "", 247, 88, 64, 60},
    {NoId, Kind::Label, "08,09(28,29):ベッド", 247, 160, 62, 8},
    {1019, Kind::Combo, "", 247, 168, 64, 60},
    {NoId, Kind::Label, "10,11(30,31):宝箱", 107, 219, 54, 8},
    {1023, Kind::Combo, "", 107, 227, 64, 60},
    {NoId, Kind::Label, "12(32):テーブル", 177, 212, 54, 8},
    {1026, Kind::Combo, "", 177, 220, 64, 60},
    {NoId, Kind::Label, "13(33):郵便受", 247, 241, 54, 8},
    {1028, Kind::Combo, "", 247, 249, 64, 60},
    {NoId, Kind::Label, "15(35):風呂", 177, 272, 54, 8},
    {1030, Kind::Combo, "", 177, 280, 64, 60},
    {1031, Kind::Command, "部品表示(Ctrl+D)", 107, 255, 60, 15},
    {1032, Kind::Command, "部品出力(Ctrl+W)", 107, 275, 60, 15},
    {1033, Kind::Command, "部品合成(Ctrl+M)", 290, 275, 60, 15},
    {1041, Kind::Preview, "", 107, 7, 13, 14},
    {1042, Kind::Preview, "", 142, 7, 13, 14},
    {1043, Kind::Preview, "", 247, 7, 13, 14},
    {1044, Kind::Preview, "", 282, 7, 13, 14},
    {1045, Kind::Preview, "", 317, 7, 13, 14},
    {1046, Kind::Preview, "", 107, 91, 13, 14},
    {1047, Kind::Preview, "", 162, 91, 13, 14},
    {1048, Kind::Preview, "", 244, 109, 13, 14},
    {1049, Kind::Preview, "", 304, 109, 13, 14},
    {1050, Kind::Preview, "", 107, 179, 13, 14},
    {1051, Kind::Preview, "", 142, 179, 13, 14},
    {1052, Kind::Preview, "", 187, 179, 13, 14},
    {1053, Kind::Preview, "", 247, 188, 13, 14},
    {1054, Kind::Preview, "", 187, 240, 13, 14},
    {1055, Kind::Preview, "", 7, 91, 13, 14},
    {1056, Kind::Probe, "", 251, 268, 13, 14},
    {1057, Kind::Check, "選択と同時に部品表示する", 7, 79, 90, 8},
    {1058, Kind::Preview, "", 187, 7, 13, 14},
    {NoId, Kind::Label, "02(22):窓の外（通信中）", 177, 63, 69, 8},
    {1029, Kind::Combo, "", 177, 71, 64, 60},
    {NoId, Kind::Label, "16-18(36-38):手紙", 290, 212, 55, 8},
    {1034, Kind::Combo, "", 290, 220, 64, 60},
    {1059, Kind::Preview, "", 290, 190, 13, 14},
    {1060, Kind::Preview, "", 310, 190, 13, 14},
    {1061, Kind::Preview, "", 331, 190, 13, 14},
}};

const std::array<int, 11> PartComboIds = {1008, 1011, 1012, 1016, 1019, 1023, 1026, 1028, 1030, 1029, 1034};

std::wstring ClassOf(HWND window)
{
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return name.data();
}

bool HasAll(LONG_PTR style, LONG_PTR bits)
{
    return (style & bits) == bits;
}

// Edit and list controls trade WS_BORDER for the sunken client edge.
bool HasBorder(HWND control)
{
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_BORDER) ||
           (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

// Class, style, visibility and enabled state of one item of the template.
void ExpectKind(HWND control, Kind kind)
{
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const std::wstring className = ClassOf(control);
    const bool visible = IsWindowVisible(control) != FALSE;
    const bool enabled = IsWindowEnabled(control) != FALSE;
    switch (kind) {
    case Kind::List:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"ListBox"), 0);
        // The scroll bar style comes and goes with the need for a scroll bar.
        EXPECT_TRUE(HasAll(style, LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP));
        EXPECT_TRUE(HasBorder(control));
        EXPECT_TRUE(visible && enabled);
        break;
    case Kind::Label:
    case Kind::FieldLabel:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Static"), 0);
        EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
        EXPECT_TRUE(HasAll(style, WS_GROUP));
        EXPECT_EQ((style & SS_CENTERIMAGE) != 0, kind == Kind::FieldLabel);
        EXPECT_TRUE(visible);
        break;
    case Kind::LineField:
    case Kind::TextField:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Edit"), 0);
        EXPECT_TRUE(HasAll(style, ES_READONLY));
        EXPECT_TRUE(HasBorder(control));
        EXPECT_EQ((style & ES_MULTILINE) != 0, kind == Kind::TextField);
        EXPECT_EQ((style & WS_VSCROLL) != 0, kind == Kind::TextField);
        EXPECT_EQ((style & ES_AUTOHSCROLL) != 0, kind == Kind::LineField);
        EXPECT_TRUE(visible && enabled);
        break;
    case Kind::Combo:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"ComboBox"), 0);
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
        EXPECT_TRUE(HasAll(style, CBS_SORT | WS_TABSTOP));
        EXPECT_TRUE(visible);
        EXPECT_FALSE(enabled);
        break;
    case Kind::Command:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Button"), 0);
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        EXPECT_TRUE(HasAll(style, WS_TABSTOP));
        EXPECT_TRUE(visible);
        EXPECT_FALSE(enabled);
        break;
    case Kind::Preview:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Button"), 0);
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_FALSE(style & WS_TABSTOP);
        EXPECT_FALSE(visible);
        EXPECT_TRUE(enabled);
        break;
    case Kind::Probe:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Static"), 0);
        EXPECT_EQ(style & SS_TYPEMASK, SS_BITMAP);
        EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        EXPECT_FALSE(visible);
        break;
    case Kind::Check:
        EXPECT_EQ(_wcsicmp(className.c_str(), L"Button"), 0);
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_TRUE(HasAll(style, WS_TABSTOP));
        EXPECT_TRUE(visible && enabled);
        EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        break;
    }
}

void ExpectPlace(HWND dialog, HWND control, const Item &item)
{
    // Position and size are converted from dialog units one by one.
    RECT expected{item.x, item.y, item.width, item.height};
    MapDialogRect(dialog, &expected);
    RECT actual{};
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right - actual.left, expected.right);
    // A combo box's height in the template includes its drop-down list.
    if (item.kind != Kind::Combo) {
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
    }
}

std::vector<std::string> ListEntries(HWND list)
{
    CListBox box;
    box.Attach(list);
    std::vector<std::string> entries;
    for (int index = 0; index < box.GetCount(); ++index)
        entries.push_back(box.GetText(index).Bytes());
    return entries;
}

std::vector<std::string> ComboEntries(HWND dialog, int id)
{
    CComboBox box;
    box.Attach(GetDlgItem(dialog, id));
    std::vector<std::string> entries;
    for (int index = 0; index < box.GetCount(); ++index)
        entries.push_back(box.GetLBText(index).Bytes());
    return entries;
}

using Entries = std::vector<std::string>;

// Presses key (with Ctrl held when ctrl is set) in the room list.
void PressKey(TestEditorDlg &dialog, WPARAM key, bool ctrl)
{
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_LCONTROL] = keys[VK_CONTROL];
    SetKeyboardState(keys);
    const HWND list = dialog.GetDlgItem(IDC_ROOM_LIST).GetSafeHwnd();
    PostMessageW(list, WM_KEYDOWN, key, 1);
    PostMessageW(list, WM_KEYUP, key, 0xC0000001);
    PumpMessages(dialog);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
}
} // namespace

TEST(MainDialog, EveryControlStartsAsTheTemplateSays)
{
    WorkingFolder folder(L"initial");
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(WindowTextBytes(window), "部屋の部品編集");
    const LONG_PTR style = dialog.GetStyle();
    EXPECT_TRUE(HasAll(style, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    std::size_t index = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, MainDialogItems.size());
        const Item &item = MainDialogItems[index];
        SCOPED_TRACE("item " + std::to_string(index + 1));
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(child)), static_cast<WORD>(item.id));
        EXPECT_EQ(WindowTextBytes(child), item.text);
        ExpectKind(child, item.kind);
        ExpectPlace(window, child, item);
    }
    EXPECT_EQ(index, MainDialogItems.size());
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_ROOM_LIST).GetSafeHwnd());
}

TEST(MainDialog, InitialisationSetsTablesStateMenuAndIcon)
{
    WorkingFolder folder(L"tables");
    EditorMode = PartsDisplay;
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(EditorMode, NothingLoaded);
    EXPECT_EQ(dialog.KeyColour, 0u);
    EXPECT_EQ(dialog.AutoDisplay, 0);
    for (int slot = 0; slot < SlotCount; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_EQ(static_cast<bool>(dialog.PreviewControls[slot]), slot != 14);
        if (slot != 14) {
            EXPECT_EQ(dialog.PreviewControls[slot].GetDlgCtrlID(), SlotControlIds[slot]);
        }
        const int comboId = ComboOfSlot(slot);
        EXPECT_EQ(static_cast<bool>(dialog.SlotComboTable[slot]), comboId != NoControl);
        if (comboId != NoControl) {
            EXPECT_EQ(dialog.SlotComboTable[slot].GetDlgCtrlID(), comboId);
        }
    }
    EXPECT_EQ(dialog.RoomList.GetDlgCtrlID(), IDC_ROOM_LIST);
    EXPECT_EQ(dialog.KeyColourProbe.GetDlgCtrlID(), IDC_KEY_COLOUR_PROBE);

    // Wine appends an entry of its own to every system menu.
    const HMENU menu = GetSystemMenu(dialog.GetSafeHwnd(), FALSE);
    int about = -1;
    for (int position = 0; position < GetMenuItemCount(menu); ++position)
        if (GetMenuItemID(menu, position) == IDM_ABOUTBOX)
            about = position;
    ASSERT_GE(about, 1);
    std::array<wchar_t, 64> text{};
    GetMenuStringW(menu, about, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    EXPECT_EQ(CString::FromWide(text.data()).Bytes(), "ﾊﾞｰｼﾞｮﾝ情報(&V)");
    EXPECT_TRUE(GetMenuState(menu, about - 1, MF_BYPOSITION) & MF_SEPARATOR);

    ASSERT_NE(dialog.MainIcon, nullptr);
    EXPECT_EQ(dialog.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(dialog.MainIcon));
    EXPECT_EQ(dialog.SendMessage(WM_GETICON, ICON_SMALL), reinterpret_cast<LRESULT>(dialog.MainIcon));
    EXPECT_EQ(dialog.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dialog.MainIcon));
}

TEST(MainDialog, PackageFolderIsRoomThenHiraganaThenPluginFolder)
{
    {
        WorkingFolder folder(L"both");
        folder.MakeFolder(L"部屋");
        folder.MakeFolder(L"へや");
        folder.WriteFile(L"へや\\a.pac", PackageHead(1, 0));
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(PackageFolder.Bytes(), "部屋\\");
        EXPECT_EQ(dialog.RoomList.GetCount(), 0);
    }
    {
        WorkingFolder folder(L"hiragana");
        folder.MakeFolder(L"へや");
        folder.WriteFile(L"へや\\a.pac", PackageHead(1, 0));
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(PackageFolder.Bytes(), "へや\\");
        EXPECT_EQ(ListEntries(dialog.RoomList.GetSafeHwnd()), Entries{"a.pac"});
    }
    {
        // A plain file named 部屋 counts as well; nothing can be listed in it.
        WorkingFolder folder(L"plain-file");
        folder.WriteFile(L"部屋", PackageHead(1, 1));
        folder.MakeFolder(L"へや");
        folder.WriteFile(L"へや\\a.pac", PackageHead(1, 0));
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(PackageFolder.Bytes(), "部屋\\");
        EXPECT_EQ(dialog.RoomList.GetCount(), 0);
    }
    {
        WorkingFolder folder(L"plugin");
        folder.MakeFolder(L"プラグインフォルダ");
        folder.WriteFile(L"プラグインフォルダ\\p.pac", PackageHead(0, 1));
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(PackageFolder.Bytes(), "プラグインフォルダ\\");
        EXPECT_EQ(ListEntries(dialog.RoomList.GetSafeHwnd()), Entries{"p.pac"});
    }
    {
        WorkingFolder folder(L"none");
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(PackageFolder.Bytes(), "プラグインフォルダ\\");
        EXPECT_EQ(dialog.RoomList.GetCount(), 0);
    }
}

TEST(MainDialog, RoomListHoldsTheRoomPackagesSorted)
{
    WorkingFolder folder(L"rooms");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\b.pac", PackageHead(1, 0));
    folder.WriteFile(L"部屋\\和室.pac", PackageHead(1, 1));
    folder.WriteFile(L"部屋\\C.pac", PackageHead(0, 1));
    folder.WriteFile(L"部屋\\a.pac", PackageHead(1, 2));
    folder.WriteFile(L"部屋\\both0.pac", PackageHead(0, 0));
    folder.WriteFile(L"部屋\\both2.pac", PackageHead(2, 2));
    folder.WriteFile(L"部屋\\short17.pac", PackageHead(1, 0, 17));
    folder.WriteFile(L"部屋\\short16.pac", PackageHead(1, 1, 16));
    folder.WriteFile(L"部屋\\empty.pac", "");
    folder.WriteFile(L"部屋\\room.bak", PackageHead(1, 1));
    folder.MakeFolder(L"部屋\\folder.pac");
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(ListEntries(dialog.RoomList.GetSafeHwnd()),
              (Entries{"a.pac", "b.pac", "C.pac", "short17.pac", "和室.pac"}));
    EXPECT_EQ(dialog.RoomList.GetCurSel(), LB_ERR);
}

// The list fills with its drawing off; it must draw again afterwards, with a
// scroll bar over every entry.
TEST(MainDialog, RoomListScrollsOverEveryEntryAfterFilling)
{
    constexpr int Rooms = 30;
    WorkingFolder folder(L"scroll");
    folder.MakeFolder(L"部屋");
    for (int room = 0; room < Rooms; ++room)
        folder.WriteFile(L"部屋\\room" + std::to_wstring(room) + L".pac", PackageHead(1, 0));
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(dialog.RoomList.GetCount(), Rooms);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(dialog.RoomList.GetSafeHwnd(), SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, Rooms - 1);
    EXPECT_GT(scroll.nPage, 0u);
    EXPECT_LT(scroll.nPage, static_cast<UINT>(Rooms));
}

TEST(MainDialog, PartCombosOfferTheirOwnSlotsFilesAfterTheEmptyEntry)
{
    WorkingFolder folder(L"combos");
    folder.MakeFolder(L"部屋の部品集");
    for (const wchar_t *name :
         {L"05mydoor.bmp", L"06mydoor.bmp", L"25mydoor.bmp", L"00abc.BMP", L"01abc.BMP", L"20abc.BMP",
          L"19view.bmp", L"03view.bmp", L"16zz.bmp", L"16aa.bmp", L"04.bmp"})
        folder.WriteFile(std::wstring(L"部屋の部品集\\") + name, "BM");
    folder.MakeFolder(L"部屋の部品集\\02folder.bmp");
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(ComboEntries(window, 1008), (Entries{"", "abc.BMP"}));
    EXPECT_EQ(ComboEntries(window, 1011), (Entries{"", "view.bmp"}));
    EXPECT_EQ(ComboEntries(window, 1012), (Entries{"", ".bmp"}));
    EXPECT_EQ(ComboEntries(window, 1016), (Entries{"", "mydoor.bmp"}));
    EXPECT_EQ(ComboEntries(window, 1034), (Entries{"", "aa.bmp", "zz.bmp"}));
    for (int id : {1019, 1023, 1026, 1028, 1030, 1029})
        EXPECT_EQ(ComboEntries(window, id), Entries{""}) << id;
    for (int id : PartComboIds) {
        EXPECT_EQ(SendDlgItemMessageW(window, id, CB_GETDROPPEDWIDTH, 0, 0), 127) << id;
        EXPECT_EQ(SendDlgItemMessageW(window, id, CB_GETCURSEL, 0, 0), CB_ERR) << id;
    }
}

TEST(MainDialog, CtrlKeysInTheRoomListArriveAsCommands)
{
    WorkingFolder folder(L"keys");
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const std::array<std::pair<WPARAM, WORD>, 3> keys = {{{'D', 32771}, {'W', 32772}, {'M', 32773}}};
    for (const auto &[key, command] : keys) {
        dialog.commands.clear();
        PressKey(dialog, key, true);
        EXPECT_EQ(dialog.commands, std::vector<WPARAM>{MAKEWPARAM(command, 1)}) << static_cast<char>(key);
        dialog.commands.clear();
        PressKey(dialog, key, false);
        EXPECT_TRUE(dialog.commands.empty()) << static_cast<char>(key);
    }
    EXPECT_FALSE(dialog.IsEnded());

    // The table holds Ctrl+D, Ctrl+M and Ctrl+W in that order, and nothing else.
    const HACCEL loaded = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATOR));
    ASSERT_NE(loaded, nullptr);
    std::array<ACCEL, 4> entries{};
    ASSERT_EQ(CopyAcceleratorTableW(loaded, entries.data(), static_cast<int>(entries.size())), 3);
    const std::array<std::pair<WORD, WORD>, 3> expected = {{{'D', 32771}, {'M', 32773}, {'W', 32772}}};
    for (std::size_t index = 0; index < expected.size(); ++index) {
        SCOPED_TRACE("entry " + std::to_string(index));
        EXPECT_EQ(entries[index].fVirt & ~0x80, FVIRTKEY | FCONTROL | FNOINVERT);
        EXPECT_EQ(entries[index].key, expected[index].first);
        EXPECT_EQ(entries[index].cmd, expected[index].second);
    }
}

TEST(MainDialog, EnterAndEscapeEndTheDialog)
{
    WorkingFolder folder(L"enter");
    for (const auto &[key, result] : {std::pair<WPARAM, int>{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
        TestEditorDlg dialog;
        ASSERT_TRUE(dialog.Create());
        PressKey(dialog, key, false);
        EXPECT_TRUE(dialog.IsEnded());
        EXPECT_EQ(dialog.ModalResult(), result);
    }
}

TEST(MainDialog, AutoDisplayFollowsTheCheckBoxAndFocusStaysInTheRoomList)
{
    WorkingFolder folder(L"auto");
    TestEditorDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const CButton check = [&] {
        CButton button;
        button.Attach(dialog.GetDlgItem(IDC_AUTO_DISPLAY).GetSafeHwnd());
        return button;
    }();
    check.Click();
    PumpMessages(dialog);
    EXPECT_EQ(dialog.AutoDisplay, 1);
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());
    check.Click();
    PumpMessages(dialog);
    EXPECT_EQ(dialog.AutoDisplay, 0);
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());
}

namespace {
struct AboutBoxSeen {
    bool keysSent = false;
    bool found = false;
    HWND owner = nullptr;
    std::string text;
    bool hasIcon = false;
} AboutSeen;

void HoldControl(bool held)
{
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Runs inside the About box's modal loop: presses Ctrl+D in the box, then
// looks at the box and closes it.
void CALLBACK InspectAndCloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND about = FindWindowW(L"#32770", CString("ﾊﾞｰｼﾞｮﾝ情報（部屋の部品編集）").ToWide().c_str());
    if (!about || !IsWindowVisible(about))
        return;
    if (!AboutSeen.keysSent) {
        AboutSeen.keysSent = true;
        HoldControl(true);
        PostMessageW(about, WM_KEYDOWN, 'D', 1);
        return;
    }
    HoldControl(false);
    KillTimer(nullptr, timer);
    AboutSeen.found = true;
    AboutSeen.owner = GetWindow(about, GW_OWNER);
    const HWND icon = GetWindow(about, GW_CHILD);
    AboutSeen.hasIcon = SendMessageW(icon, STM_GETICON, 0, 0) != 0;
    AboutSeen.text = WindowTextBytes(GetWindow(icon, GW_HWNDNEXT));
    PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
}
} // namespace

TEST(MainDialog, SystemMenuOpensTheAboutBoxOwnedByTheDialogWhichTakesTheKeys)
{
    WorkingFolder folder(L"about");
    CWinApp application;
    TestEditorDlg dialog;
    application.m_pMainWnd = &dialog;
    ASSERT_TRUE(dialog.Create());
    AboutSeen = {};
    SetTimer(nullptr, 0, 20, &InspectAndCloseAboutBox);
    dialog.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
    PumpMessages(dialog);
    EXPECT_TRUE(AboutSeen.found);
    EXPECT_EQ(AboutSeen.owner, dialog.GetSafeHwnd());
    EXPECT_TRUE(AboutSeen.hasIcon);
    EXPECT_EQ(AboutSeen.text, "Tavi Version 2.2");
    EXPECT_TRUE(dialog.IsWindowEnabled());
    EXPECT_FALSE(dialog.IsEnded());
    // Ctrl+D in the About box is the box's key, not the editor's command.
    EXPECT_TRUE(AboutSeen.keysSent);
    for (WPARAM command : dialog.commands)
        EXPECT_NE(LOWORD(command), 32771);
    application.m_pMainWnd = nullptr;
}

// What another program would send: the close box's WM_CLOSE and the
// Cancel command to the main dialog, Enter's command to the About box; each
// run ends as soon as the handler returns, with nothing else arriving. The
// About box's owner is told when the box waits for input.
TEST(MainDialog, ModalRunsEndAtOnceOnCommandsSentFromAnotherThread)
{
    WorkingFolder folder(L"sent");
    CWinApp application;
    for (const auto &[message, command] : {std::pair<UINT, WPARAM>{WM_CLOSE, 0}, {WM_COMMAND, IDCANCEL}}) {
        TestEditorDlg dialog;
        application.m_pMainWnd = &dialog;
        SendFromAnotherThread end("部屋の部品編集",
                                  [&](HWND window) { SendMessageW(window, message, command, 0); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(end.EndedAtOnce()) << message;
    }
    TestEditorDlg dialog;
    application.m_pMainWnd = &dialog;
    ASSERT_TRUE(dialog.Create());
    SendFromAnotherThread end("ﾊﾞｰｼﾞｮﾝ情報（部屋の部品編集）",
                              [](HWND about) { SendMessageW(about, WM_COMMAND, IDOK, 0); });
    dialog.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
    EXPECT_TRUE(end.EndedAtOnce());
    EXPECT_TRUE(dialog.IsWindowEnabled());
    // The owner heard that the box was waiting for input.
    EXPECT_GT(dialog.idleReports, 0);
    application.m_pMainWnd = nullptr;
}

namespace {
// One item of a dialog template as the resource holds it.
struct TemplateItem {
    int id;
    std::wstring className;
    DWORD style;
    std::string text;
    int x, y, width, height;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    int width = 0, height = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string font;
    std::vector<TemplateItem> items;
};

// Reads the fixed and variable-length fields of a template in turn.
class TemplateReader {
  public:
    explicit TemplateReader(const BYTE *data) : start_(data), at_(data) {}

    template <typename T> T Take()
    {
        T value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    // A zero-terminated text, or an ordinal given as "#n".
    std::string TakeText()
    {
        std::wstring text;
        for (WORD unit = Take<WORD>(); unit != 0; unit = Take<WORD>()) {
            if (unit == 0xFFFF && text.empty())
                return std::string(1, '#').append(std::to_string(Take<WORD>()));
            text.push_back(static_cast<wchar_t>(unit));
        }
        return CString::FromWide(text.c_str()).Bytes();
    }
    void AlignToDword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }
    void Skip(std::size_t count) { at_ += count; }

  private:
    const BYTE *start_;
    const BYTE *at_;
};

TemplateItem ReadItem(TemplateReader &reader, bool extended)
{
    TemplateItem item{};
    reader.AlignToDword();
    if (extended)
        reader.Take<DWORD>(); // help id
    const DWORD first = reader.Take<DWORD>();
    const DWORD second = reader.Take<DWORD>();
    item.style = extended ? second : first; // the other is the extended style
    item.x = reader.Take<short>();
    item.y = reader.Take<short>();
    item.width = reader.Take<short>();
    item.height = reader.Take<short>();
    item.id = extended ? static_cast<int>(reader.Take<DWORD>()) : reader.Take<short>();
    const std::string className = reader.TakeText();
    item.className = CString(className).ToWide();
    item.text = reader.TakeText();
    reader.Skip(reader.Take<WORD>()); // creation data
    return item;
}

DialogTemplate LoadTemplate(int templateId)
{
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    TemplateReader reader(static_cast<const BYTE *>(LockResource(LoadResource(module, resource))));
    DialogTemplate dialog;
    const DWORD first = reader.Take<DWORD>();
    dialog.extended = first == 0xFFFF0001;
    if (dialog.extended) {
        reader.Take<DWORD>(); // help id
        reader.Take<DWORD>(); // extended style
        dialog.style = reader.Take<DWORD>();
    } else {
        dialog.style = first;
        reader.Take<DWORD>(); // extended style
    }
    const WORD itemCount = reader.Take<WORD>();
    reader.Skip(2 * sizeof(short)); // position
    dialog.width = reader.Take<short>();
    dialog.height = reader.Take<short>();
    reader.TakeText(); // menu
    reader.TakeText(); // class
    dialog.caption = reader.TakeText();
    dialog.pointSize = reader.Take<WORD>();
    if (dialog.extended)
        reader.Skip(sizeof(WORD) + 2 * sizeof(BYTE)); // weight, italic, character set
    dialog.font = reader.TakeText();
    for (WORD index = 0; index < itemCount; ++index)
        dialog.items.push_back(ReadItem(reader, dialog.extended));
    return dialog;
}

struct Frame {
    DWORD style;
    int width, height;
    std::string caption;
};

// The dialog's own style, size and caption, in the editor's font.
void ExpectFrame(const DialogTemplate &dialog, const Frame &want)
{
    EXPECT_EQ(dialog.style & ~DS_SETFONT, want.style);
    EXPECT_EQ(std::vector<int>({dialog.width, dialog.height}), std::vector<int>({want.width, want.height}));
    EXPECT_EQ(dialog.caption, want.caption);
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.font, "ＭＳ Ｐゴシック");
}

void ExpectItems(const DialogTemplate &dialog, const std::vector<TemplateItem> &expected)
{
    ASSERT_EQ(dialog.items.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        SCOPED_TRACE("item " + std::to_string(index + 1));
        const TemplateItem &item = dialog.items[index];
        const TemplateItem &want = expected[index];
        EXPECT_EQ(static_cast<WORD>(item.id), static_cast<WORD>(want.id));
        EXPECT_EQ(_wcsicmp(item.className.c_str(), want.className.c_str()), 0);
        EXPECT_EQ(item.style, want.style | WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(item.text, want.text);
        EXPECT_EQ(std::vector<int>({item.x, item.y, item.width, item.height}),
                  std::vector<int>({want.x, want.y, want.width, want.height}));
    }
}

constexpr DWORD FieldLabel = SS_LEFT | SS_CENTERIMAGE | WS_GROUP;
constexpr DWORD TextEdit = ES_MULTILINE | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
} // namespace

TEST(MainDialog, AboutAndComposeTemplatesHoldTheirItems)
{
    const DialogTemplate about = LoadTemplate(IDD_ABOUTBOX);
    ExpectFrame(about, {DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 153, 55,
                        "ﾊﾞｰｼﾞｮﾝ情報（部屋の部品編集）"});
    ExpectItems(about,
                {
                    {NoId, L"Static", SS_ICON, "#128", 11, 17, 20, 20},
                    {NoId, L"Static", SS_LEFT | SS_NOPREFIX | WS_GROUP, "Tavi Version 2.2", 39, 17, 72, 8},
                });

    const DialogTemplate compose = LoadTemplate(IDD_COMPOSE);
    ExpectFrame(compose, {DS_MODALFRAME | WS_POPUP | WS_CAPTION, 135, 127, "合成データ入力"});
    ExpectItems(compose,
                {
                    {NoId, L"Static", FieldLabel, "FILE名", 7, 7, 21, 12},
                    {1034, L"ComboBox", CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP, "", 30, 7, 94, 64},
                    {NoId, L"Static", FieldLabel, "名　称", 7, 24, 21, 12},
                    {1035, L"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, "", 30, 24, 93, 12},
                    {NoId, L"Static", FieldLabel, "備　考", 7, 39, 21, 12},
                    {1036, L"Edit", TextEdit, "", 30, 39, 95, 28},
                    {NoId, L"Static", FieldLabel, "著作名", 7, 71, 21, 12},
                    {1037, L"Edit", TextEdit, "", 30, 71, 95, 28},
                    {1038, L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, "合成実行", 23, 106, 50, 14},
                    {IDCANCEL, L"Button", BS_PUSHBUTTON | WS_TABSTOP, "ｷｬﾝｾﾙ", 78, 106, 50, 14},
                });
    // The file-name list of the compose dialog starts empty.
    EXPECT_EQ(FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_COMPOSE), MAKEINTRESOURCEW(240)),
              nullptr);
}

TEST(MainDialog, VersionRecordNamesTaviTwoPointTwo)
{
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    ASSERT_NE(resource, nullptr);
    const auto *data = static_cast<const BYTE *>(LockResource(LoadResource(module, resource)));
    const std::wstring record(reinterpret_cast<const wchar_t *>(data),
                              SizeofResource(module, resource) / sizeof(wchar_t));
    // The fixed part follows the key "VS_VERSION_INFO" at a 32-bit boundary.
    const std::size_t key = record.find(L"VS_VERSION_INFO");
    ASSERT_NE(key, std::wstring::npos);
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, data + ((key * sizeof(wchar_t) + sizeof(L"VS_VERSION_INFO") + 3) & ~3u),
                sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(std::vector<DWORD>({fixed.dwFileVersionMS, fixed.dwFileVersionLS, fixed.dwProductVersionMS,
                                  fixed.dwProductVersionLS}),
              std::vector<DWORD>({0x00020002, 0, 0x00020002, 0}));
    EXPECT_NE(record.find(L"041104B0"), std::wstring::npos);
    for (const char *value : {"FileVersion", "2, 2, 0, 0", "ProductVersion", "InternalName", "Tavi",
                              "OriginalFilename", "Tavi.EXE", "ProductName", "Tavi ｱﾌﾟﾘｹｰｼｮﾝ"})
        EXPECT_NE(record.find(CString(value).ToWide() + L'\0'), std::wstring::npos) << value;
}
