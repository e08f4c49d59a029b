// Whole editing sessions in the real Tavi.exe, driven from outside: a
// sample room selected and its parts displayed, the bed swapped for parts
// from the collection (or for a picture dropped onto its preview), the room
// composed under a new name and then again over itself, and the packages
// checked byte for byte; then composing cancelled.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <shlobj.h>

#include "editor_process.h"
#include "editor_session.h"
#include "framework/cstring.h"
#include "framework/wnd.h"
#include "tests/win/dialog_driver.h"
#include "core/picture/bmp_builder.h"
#include "core/picture/image_codec.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
constexpr int MaskRecords = 20;
constexpr int BedSlots[] = {8, 9};

// A drop as the shell makes it, in the editor's own memory: the memory of a
// drop is not carried from one process to another, so the block is written
// straight into the editor, at an address that its global-memory functions
// take for fixed memory. (The editor's DragFinish then frees memory that its
// heap does not know, which it refuses harmlessly.)
bool DropInto(HWND dialog, DWORD process, const std::wstring &path, POINT point)
{
    std::vector<std::uint8_t> block(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t), 0);
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.pt = point;
    header.fWide = TRUE;
    std::memcpy(block.data(), &header, sizeof(header));
    std::memcpy(block.data() + sizeof(header), path.data(), path.size() * sizeof(wchar_t));
    const HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    if (!target)
        return false;
    void *remote = VirtualAllocEx(target, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written = remote && WriteProcessMemory(target, remote, block.data(), block.size(), nullptr);
    CloseHandle(target);
    if (!written)
        return false;
    SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    return true;
}

// The centre of a preview control, in the dialog's client coordinates.
POINT CentreOf(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(Item(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string ComboText(HWND dialog, int id)
{
    const HWND combo = Item(dialog, id);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return CString::FromWide(text).Bytes();
}
} // namespace

TEST(TaviExe, ComposesARoomWithASwappedBedUnderANewNameAndOverItself)
{
    WorkingFolder folder(L"e2e-compose");
    folder.MakeFolder(L"部屋");
    const std::string mori = AsString(BuildSampleRoomPackage(MoriRoom));
    folder.WriteFile(L"部屋\\mori.pac", mori);
    folder.WriteFile(L"部屋\\sakura.pac", AsString(BuildSampleRoomPackage(0)));
    folder.MakeFolder(L"部屋の部品集");
    const std::vector<std::uint32_t> palette = {0x000000, 0xFFFFFF, 0x8040C0};
    std::vector<std::uint8_t> pixels(24 * 12, 2);
    const std::string bed = AsString(BuildBmp8(24, 12, palette, pixels));
    pixels.assign(pixels.size(), 0);
    const std::string bedMask = AsString(BuildBmp8(24, 12, palette, pixels));
    folder.WriteFile(L"部屋の部品集\\08mybed.bmp", bed);
    folder.WriteFile(L"部屋の部品集\\09mybed.bmp", bed);
    folder.WriteFile(L"部屋の部品集\\28mybed.bmp", bedMask);
    folder.WriteFile(L"部屋の部品集\\29mybed.bmp", bedMask);

    EditorProcess editor(TaviExePath(), std::filesystem::current_path().wstring());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), Timeout);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(RoomListEntries(dialog), (std::vector<std::string>{"mori.pac", "sakura.pac"}));
    SendMessageW(Item(dialog, RoomList), LB_SETCURSEL, 0, 0);
    Notify(dialog, RoomList, LBN_SELCHANGE);
    EXPECT_EQ(TextOf(dialog, FileNameField), "mori.pac");
    Notify(dialog, DisplayButton, BN_CLICKED);
    ASSERT_TRUE(IsWindowEnabled(Item(dialog, ComposeButton)));
    SendMessageW(Item(dialog, BedCombo), CB_SETCURSEL, 1, 0);
    Notify(dialog, BedCombo, CBN_SELCHANGE);

    const Texts first{"ベッドの部屋", "ベッドを替えました\r\n二行目", "e2e"};
    ComposeAs(dialog, editor.Id(), "withbed", first, false);
    EXPECT_EQ(RoomListEntries(dialog), (std::vector<std::string>{"mori.pac", "sakura.pac", "withbed.pac"}));
    EXPECT_EQ(SendMessageW(Item(dialog, RoomList), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(TextOf(dialog, FileNameField), "withbed.pac");
    EXPECT_EQ(TextOf(dialog, NameField), first.name);

    Package expected = Package::Parse(mori);
    for (int slot : BedSlots) {
        expected.records[slot] = bed;
        expected.records[slot + MaskRecords] = bedMask;
    }
    expected.SetTexts(first);
    const std::string firstPackage = expected.Bytes();
    EXPECT_TRUE(ReadBytes(L"部屋\\withbed.pac") == firstPackage);

    const Texts second{"上書き", "", "作者"};
    ComposeAs(dialog, editor.Id(), "withbed", second, true);
    expected.SetTexts(second);
    EXPECT_TRUE(ReadBytes(L"部屋\\withbed.pac") == expected.Bytes());
    EXPECT_TRUE(ReadBytes(L"部屋\\withbed.bak") == firstPackage);
    EXPECT_EQ(RoomListEntries(dialog).size(), 3u);
    EXPECT_EQ(TextOf(dialog, NameField), second.name);

    PostClick(dialog, ComposeButton);
    const HWND compose = WaitForDialog(ComposeTitle, editor.Id(), Timeout);
    ASSERT_NE(compose, nullptr);
    EXPECT_TRUE(SentClickEndsAtOnce(compose, IDCANCEL));
    EXPECT_TRUE(ReadBytes(L"部屋\\withbed.pac") == expected.Bytes());

    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}

TEST(TaviExe, APictureDroppedOntoTheBedBecomesTheBedOfTheComposedRoom)
{
    WorkingFolder folder(L"e2e-drop");
    folder.MakeFolder(L"部屋");
    const std::string mori = AsString(BuildSampleRoomPackage(MoriRoom));
    folder.WriteFile(L"部屋\\mori.pac", mori);
    RgbaImage picture{90, 60, {}};
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 90; ++x)
            picture.pixels.push_back((x + y < 100 ? 0xFF000000u : 0u) |
                                     static_cast<std::uint32_t>(x * 2) << 16 |
                                     static_cast<std::uint32_t>(y * 4) << 8 | 0x40);
    folder.WriteFile(L"mybed.png", AsString(EncodePng(picture)));

    EditorProcess editor(TaviExePath(), std::filesystem::current_path().wstring());
    const HWND dialog = DisplayedMoriRoom(editor);
    ASSERT_NE(dialog, nullptr);
    const std::wstring path = (std::filesystem::current_path() / L"mybed.png").wstring();
    ASSERT_TRUE(DropInto(dialog, editor.Id(), path, CentreOf(dialog, BedPreview)));
    EXPECT_EQ(ComboText(dialog, BedCombo), "mybed.BMP");
    const std::string bed = ReadBytes(L"部屋の部品集\\08mybed.BMP");
    const std::string bedMask = ReadBytes(L"部屋の部品集\\28mybed.BMP");
    ASSERT_FALSE(bed.empty());

    ComposeAs(dialog, editor.Id(), "dropped", {"落とした", "", "e2e"}, false);
    const Package composed = Package::Parse(ReadBytes(L"部屋\\dropped.pac"));
    EXPECT_TRUE(composed.records[8] == bed);
    EXPECT_TRUE(composed.records[28] == bedMask);
    EXPECT_TRUE(composed.records[9] == Package::Parse(mori).records[9]);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}
