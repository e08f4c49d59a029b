// Pictures dropped onto the main dialog as the shell drops them: a DROPFILES
// block in global memory sent as WM_DROPFILES, onto a preview or elsewhere.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include <shlobj.h>

#include "core/messages.h"
#include "core/picture/image_codec.h"
#include "core/slot_map.h"
#include "dialog_driver.h"
#include "editor_fixture.h"
#include "res/resource.h"
#include "tavipac.h"
#include "ui/editor_state.h"

namespace {

using Texts = std::vector<std::string>;

// A full-colour picture of many colours; transparent outside an ellipse.
std::string Picture(int width, int height, bool transparent)
{
    RgbaImage picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width / 2.0), dy = (y - height / 2.0) / (height / 2.0);
            const bool kept = !transparent || dx * dx + dy * dy <= 1;
            picture.pixels.push_back(
                (kept ? 0xFF000000u : 0u) | static_cast<std::uint32_t>(x * 5 % 256) << 16 |
                static_cast<std::uint32_t>(y * 7 % 256) << 8 | static_cast<std::uint32_t>(x * y % 256));
        }
    return AsString(EncodePng(picture));
}

std::wstring FullPath(const std::wstring &name)
{
    return (std::filesystem::current_path() / name).wstring();
}

// The block the shell puts into a WM_DROPFILES: the header, then the wide
// names each ended by a zero, and one more zero. The receiver frees it.
HGLOBAL ShellDrop(const std::vector<std::wstring> &names, POINT point)
{
    std::wstring list;
    for (const std::wstring &name : names)
        list += FullPath(name) + L'\0';
    list += L'\0';
    const std::size_t size = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, size);
    auto *block = static_cast<DROPFILES *>(GlobalLock(memory));
    block->pFiles = sizeof(DROPFILES);
    block->pt = point;
    block->fNC = FALSE;
    block->fWide = TRUE;
    std::memcpy(reinterpret_cast<char *>(block) + sizeof(DROPFILES), list.data(),
                list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

// The centre of a slot's preview, in the dialog's client coordinates.
POINT PreviewPoint(const OpenEditorDlg &dialog, int slot)
{
    RECT rect{};
    GetWindowRect(dialog.Item(SlotControlIds[slot]), &rect);
    MapWindowPoints(nullptr, dialog.GetSafeHwnd(), reinterpret_cast<POINT *>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A point of the dialog far from every preview.
constexpr POINT Elsewhere = {2, 2};

void Drop(OpenEditorDlg &dialog, const std::vector<std::wstring> &names, POINT point)
{
    dialog.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(ShellDrop(names, point)));
    dialog.Pump();
}

std::string ReadFile(const std::wstring &path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring Collected(const std::wstring &name)
{
    return L"部屋の部品集\\" + name;
}

std::vector<std::string> BoxTexts(const MessageBoxRecorder &recorder)
{
    std::vector<std::string> texts;
    for (const MessageBoxRecorder::Box &box : recorder.boxes)
        texts.push_back(box.text.Bytes());
    return texts;
}

int Selected(const OpenEditorDlg &dialog, int comboId)
{
    return static_cast<int>(SendMessageW(dialog.Item(comboId), CB_GETCURSEL, 0, 0));
}

std::string SelectedEntry(const OpenEditorDlg &dialog, int comboId)
{
    return dialog.ComboEntries(comboId)[static_cast<std::size_t>(Selected(dialog, comboId))];
}

// "abc.pac" (a sample room) in 部屋, loaded; displayed unless told not to.
void OpenRoom(const WorkingFolder &folder, OpenEditorDlg &dialog, bool display = true)
{
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\abc.pac", SampleRoomBytes(1));
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("abc.pac");
    if (display)
        dialog.Command(IDC_DISPLAY_PARTS);
}

// What tavipac import writes for the same pictures, in a folder of its own.
std::string TavipacImportFile(const std::vector<std::string> &arguments, const std::wstring &name)
{
    std::filesystem::create_directory(L"tavipac");
    std::vector<std::string> all = {"import", reinterpret_cast<const char *>(u8"部屋/abc.pac")};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.insert(all.end(), {"--workdir", "tavipac"});
    std::ostringstream out, err;
    EXPECT_EQ(RunTavipac(all, out, err), 0) << err.str();
    return ReadFile(L"tavipac\\" + Collected(name));
}

} // namespace

TEST(PictureDrop, OntoAPreviewAndByNameTheGroupsBecomeTheDroppedPictures)
{
    WorkingFolder folder(L"drop");
    folder.WriteFile(L"bed.png", Picture(120, 80, true));
    folder.WriteFile(L"05door.png", Picture(40, 90, false));
    folder.WriteFile(L"25door.png", Picture(40, 90, true));
    folder.WriteFile(L"notes.txt", "hello");
    OpenEditorDlg dialog;
    OpenRoom(folder, dialog);
    const std::string mask9 = WorkMaskImage(9);

    MessageBoxRecorder boxes;
    Drop(dialog, {L"bed.png"}, PreviewPoint(dialog, 8));
    EXPECT_TRUE(boxes.boxes.empty()) << BoxTexts(boxes)[0];
    EXPECT_EQ(SelectedEntry(dialog, IDC_COMBO_BED), "bed.BMP");
    EXPECT_EQ(WorkBaseImage(8), ReadFile(Collected(L"08bed.BMP")));
    EXPECT_EQ(WorkMaskImage(8), ReadFile(Collected(L"28bed.BMP")));
    EXPECT_EQ(ReadFile(Collected(L"08bed.BMP")), TavipacImportFile({"bed.png", "--slot", "8"}, L"08bed.BMP"));
    EXPECT_EQ(ReadFile(Collected(L"28bed.BMP")), TavipacImportFile({"bed.png", "--slot", "8"}, L"28bed.BMP"));
    EXPECT_TRUE(WorkSlotIsSaved(9)) << "the group's other slot as it was shown";
    EXPECT_EQ(ReadFile(Collected(L"29bed.BMP")), mask9);
    EXPECT_EQ(dialog.Size(SlotControlIds[8]).cx, 120);
    EXPECT_EQ(dialog.Size(SlotControlIds[8]).cy, 80);
    EXPECT_FALSE(dialog.Enabled(IDC_OUTPUT_PARTS));
    EXPECT_TRUE(dialog.Enabled(IDC_COMPOSE_PARTS));

    // Named like an export, elsewhere on the dialog; a file that is no
    // picture is named at the end. The same stem again gets a number.
    Drop(dialog, {L"notes.txt", L"05door.png", L"25door.png", L"bed.png"}, Elsewhere);
    EXPECT_EQ(BoxTexts(boxes), (Texts{UnmatchedFilesMessage({"notes.txt", "bed.png"})}));
    EXPECT_EQ(SelectedEntry(dialog, IDC_COMBO_DOOR), "door.BMP");
    EXPECT_EQ(WorkBaseImage(5), ReadFile(Collected(L"05door.BMP")));
    EXPECT_EQ(WorkMaskImage(5), ReadFile(Collected(L"25door.BMP")));
    EXPECT_EQ(ReadFile(Collected(L"25door.BMP")),
              TavipacImportFile({"05door.png", "25door.png"}, L"25door.BMP"));
    EXPECT_EQ(dialog.Size(SlotControlIds[5]).cy, 90);

    boxes.boxes.clear();
    Drop(dialog, {L"bed.png"}, PreviewPoint(dialog, 8));
    EXPECT_EQ(SelectedEntry(dialog, IDC_COMBO_BED), "bed-2.BMP");
    Texts beds = dialog.ComboEntries(IDC_COMBO_BED);
    std::sort(beds.begin(), beds.end());
    EXPECT_EQ(beds, (Texts{"", "bed-2.BMP", "bed.BMP"})) << "each once";
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(PictureDrop, RefusedOutsidePartsDisplayAndNothingChangesOnFailure)
{
    WorkingFolder folder(L"drop-refused");
    std::string broken = Picture(50, 50, false);
    broken.resize(broken.size() / 2);
    folder.WriteFile(L"12table.png", broken);
    folder.WriteFile(L"04big.png", Picture(640, 480, false));
    OpenEditorDlg dialog;
    OpenRoom(folder, dialog, false);

    MessageBoxRecorder boxes(IDNO);
    Drop(dialog, {L"12table.png"}, Elsewhere);
    EXPECT_EQ(BoxTexts(boxes), Texts{DisplayPartsFirstMessage()});
    dialog.Command(IDC_DISPLAY_PARTS);
    const Texts tableEntries = dialog.ComboEntries(IDC_COMBO_TABLE);

    // A name that code page 932 cannot hold cannot name a part file; the
    // message shows it as near as the code page comes.
    boxes.boxes.clear();
    folder.WriteFile(L"caf\u00e9.png", Picture(10, 10, false));
    Drop(dialog, {L"caf\u00e9.png"}, PreviewPoint(dialog, 12));
    EXPECT_EQ(BoxTexts(boxes), Texts{InvalidFileNameMessage("cafe.png")});

    boxes.boxes.clear();
    Drop(dialog, {L"12table.png", L"04big.png"}, Elsewhere);
    EXPECT_EQ(BoxTexts(boxes), (Texts{ShrinkQuestion(), PictureBrokenMessage("12table.png")}));
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_FALSE(std::filesystem::exists(L"部屋の部品集")) << "answered No: nothing written";
    EXPECT_TRUE(WorkSlotIsSaved(12));
    EXPECT_TRUE(WorkSlotIsSaved(4));
    EXPECT_EQ(dialog.ComboEntries(IDC_COMBO_TABLE), tableEntries);
    EXPECT_TRUE(dialog.Enabled(IDC_OUTPUT_PARTS));

    MessageBoxRecorder yes(IDYES);
    Drop(dialog, {L"04big.png"}, PreviewPoint(dialog, RoomSlot));
    EXPECT_EQ(BoxTexts(yes), Texts{ShrinkQuestion()});
    EXPECT_EQ(SelectedEntry(dialog, IDC_COMBO_ROOM), "big.BMP");
    EXPECT_EQ(WorkBaseImage(RoomSlot), ReadFile(Collected(L"04big.BMP")));
    EXPECT_EQ(ReadFile(Collected(L"04big.BMP")), TavipacImportFile({"04big.png", "--fit"}, L"04big.BMP"));
    EXPECT_EQ(dialog.Size(SlotControlIds[RoomSlot]).cx, 160) << "320 x 240, shown halved";
}
