// The real Tavi.exe following its folders while it runs: packages and part
// files that appear or go while it is open (a chosen entry stays while it
// is chosen), the editor's own export and composing, and a
// chosen part saved again and again as painting programs save it (in place
// while holding the file open, or written apart and renamed over it): each
// save gives one reload, seen in the preview, in the one message that the
// group's missing mask gives at every load, and in the package composed at
// the end.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/picture/bmp_builder.h"
#include "editor_process.h"
#include "editor_session.h"
#include "framework/cstring.h"
#include "tests/win/dialog_driver.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
constexpr int OutputButton = 1032;
constexpr int TableCombo = 1026;
// The folders are looked at once they have been still for half a second; a
// second reload would come within this.
constexpr DWORD QuietBound = 1500;
constexpr int PartWidth = 64;
constexpr int PartHeight = 48;

using Entries = std::vector<std::string>;

// A part of one colour (0xRRGGBB), or an all-black mask (the part shows
// whole).
std::string SolidPart(std::uint32_t colour)
{
    return AsString(
        BuildBmp8(PartWidth, PartHeight, {colour},
                  std::vector<std::uint8_t>(static_cast<std::size_t>(PartWidth) * PartHeight, 0)));
}

// The colour in the middle of a preview on the screen, as 0xRRGGBB (the
// other process's window holds its pixels where only the screen shows
// them).
std::uint32_t PreviewColour(HWND dialog, int id)
{
    RECT area{};
    GetWindowRect(Item(dialog, id), &area);
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return static_cast<std::uint32_t>(GetRValue(pixel)) << 16 | GetGValue(pixel) << 8 | GetBValue(pixel);
}

// The preview is drawn after the load's message has been answered.
bool PreviewShows(HWND dialog, int id, std::uint32_t colour)
{
    return WaitUntil([&] { return PreviewColour(dialog, id) == colour; }, Timeout);
}

// Saved in place in two writes, the file held open for writing in between
// for longer than the editor waits for the folder to be still.
void SaveInTwoWrites(const std::filesystem::path &path, const std::string &bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const DWORD half = static_cast<DWORD>(bytes.size() / 2);
    DWORD written = 0;
    WriteFile(file, bytes.data(), half, &written, nullptr);
    FlushFileBuffers(file);
    Sleep(QuietBound);
    WriteFile(file, bytes.data() + half, static_cast<DWORD>(bytes.size()) - half, &written, nullptr);
    CloseHandle(file);
}

// Written under another name, the file removed and the new one renamed
// into its place: the folder sees the file go and come back.
void SaveByRenaming(const WorkingFolder &folder, const std::filesystem::path &path, const std::string &bytes)
{
    std::filesystem::path temporary = path;
    temporary += L".tmp";
    folder.WriteFile(temporary.wstring(), bytes);
    std::filesystem::remove(path);
    Sleep(100);
    std::filesystem::rename(temporary, path);
}

// The message box of a load, answered; empty when none came.
std::string AnswerBox(const EditorProcess &editor, DWORD bound)
{
    const HWND box = WaitForDialog(MessageBoxTitle, editor.Id(), bound);
    if (!box)
        return {};
    const std::string text = TextOf(box, MessageText);
    PostClick(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, Timeout);
    return text;
}
} // namespace

TEST(TaviExe, ListsFollowTheirFoldersAndTheEditorsOwnWriting)
{
    WorkingFolder folder(L"e2e-follow-lists");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\mori.pac", AsString(BuildSampleRoomPackage(MoriRoom)));
    EditorProcess editor(TaviExePath(), std::filesystem::current_path().wstring());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), Timeout);
    ASSERT_NE(dialog, nullptr);

    folder.WriteFile(L"部屋\\sakura.pac", AsString(BuildSampleRoomPackage(0)));
    folder.WriteFile(L"部屋\\other.pac", PackageHead(0, 0));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return RoomListEntries(dialog) == Entries{"mori.pac", "sakura.pac"};
        },
        Timeout));
    // The collection does not exist yet.
    folder.MakeFolder(L"部屋の部品集");
    folder.WriteFile(L"部屋の部品集\\12mine.bmp", SolidPart(0xFF0000));
    folder.WriteFile(L"部屋の部品集\\32mine.bmp", SolidPart(0x000000));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ComboEntries(dialog, TableCombo) == Entries{"", "mine.bmp"};
        },
        Timeout));

    // The editor's own writing: no entry twice, no message.
    ASSERT_EQ(DisplayedMoriRoom(editor), dialog);
    PostClick(dialog, OutputButton);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Item(dialog, OutputButton)); }, Timeout));
    ComposeAs(dialog, editor.Id(), "new", {"new", "", "e2e"}, false);
    EXPECT_EQ(AnswerBox(editor, QuietBound), "");
    EXPECT_EQ(ComboEntries(dialog, TableCombo), (Entries{"", "mine.bmp", "mori.BMP"}));
    EXPECT_EQ(ComboEntries(dialog, BedCombo), (Entries{"", "mori.BMP"}));
    EXPECT_EQ(RoomListEntries(dialog), (Entries{"mori.pac", "new.pac", "sakura.pac"}));

    // The chosen entry stays while it is chosen, though its files have gone
    // (which its load again says).
    SendMessageW(Item(dialog, TableCombo), CB_SETCURSEL, 1, 0);
    Notify(dialog, TableCombo, CBN_SELCHANGE);
    for (const wchar_t *gone :
         {L"部屋\\sakura.pac", L"部屋の部品集\\12mine.bmp", L"部屋の部品集\\32mine.bmp"})
        std::filesystem::remove(gone);
    EXPECT_EQ(AnswerBox(editor, Timeout).rfind("基本データ[12mine.bmp]", 0), 0u);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return RoomListEntries(dialog) == Entries{"mori.pac", "new.pac"};
        },
        Timeout));
    EXPECT_EQ(ComboEntries(dialog, TableCombo), (Entries{"", "mine.bmp", "mori.BMP"}));
    SendMessageW(Item(dialog, TableCombo), CB_SETCURSEL, 0, 0);
    Notify(dialog, TableCombo, CBN_SELCHANGE);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ComboEntries(dialog, TableCombo) == Entries{"", "mori.BMP"};
        },
        Timeout));
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}

TEST(TaviExe, AChosenPartIsLoadedAgainOnceAtEachSaveOfItsFile)
{
    WorkingFolder folder(L"e2e-follow-part");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\mori.pac", AsString(BuildSampleRoomPackage(MoriRoom)));
    folder.MakeFolder(L"部屋の部品集");
    const std::filesystem::path bed = std::filesystem::current_path() / L"部屋の部品集" / L"08mine.bmp";
    const std::string mask = SolidPart(0x000000);
    folder.WriteFile(bed.wstring(), SolidPart(0xFF0000));
    folder.WriteFile(L"部屋の部品集\\28mine.bmp", mask);
    // Slot 9's mask is missing: each load of the group says so once.
    folder.WriteFile(L"部屋の部品集\\09mine.bmp", SolidPart(0x00FF00));
    const std::string maskMissing = "マスクデータ[29mine.bmp]";

    EditorProcess editor(TaviExePath(), std::filesystem::current_path().wstring());
    const HWND dialog = DisplayedMoriRoom(editor);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(Item(dialog, BedCombo), CB_SETCURSEL, 1, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(BedCombo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(dialog, BedCombo)));
    EXPECT_EQ(AnswerBox(editor, Timeout).rfind(maskMissing, 0), 0u);
    EXPECT_TRUE(PreviewShows(dialog, BedPreview, 0xFF0000));

    const std::uint32_t colours[] = {0x0000FF, 0x00FFFF, 0xFFFF00};
    std::string last;
    for (std::size_t save = 0; save < std::size(colours); ++save) {
        SCOPED_TRACE(save);
        last = SolidPart(colours[save]);
        if (save == 1)
            SaveByRenaming(folder, bed, last);
        else
            SaveInTwoWrites(bed, last);
        EXPECT_EQ(AnswerBox(editor, Timeout).rfind(maskMissing, 0), 0u);
        EXPECT_EQ(AnswerBox(editor, QuietBound), "") << "one reload per save";
        EXPECT_TRUE(PreviewShows(dialog, BedPreview, colours[save]));
    }
    EXPECT_EQ(ComboEntries(dialog, BedCombo), (Entries{"", "mine.bmp"}));

    ComposeAs(dialog, editor.Id(), "saved", {"保存", "", "e2e"}, false);
    const Package composed = Package::Parse(ReadBytes(L"部屋\\saved.pac"));
    EXPECT_TRUE(composed.records[8] == last);
    EXPECT_TRUE(composed.records[28] == mask);
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}
