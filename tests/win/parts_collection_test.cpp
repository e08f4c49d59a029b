// The parts collection on the main dialog: exporting a displayed room into
// 部屋の部品集 and replacing parts from it through the part combo boxes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "editor_fixture.h"
#include "res/resource.h"
#include "store/part_image_store.h"
#include "core/picture/bmp_builder.h"
#include "ui/editor_state.h"
#include "core/messages.h"
#include "core/slot_map.h"

namespace {
constexpr int Slot14 = 14;
constexpr WORD AcceleratorCode = 1;
const std::wstring Collection = L"部屋の部品集\\";

using Texts = std::vector<std::string>;

std::string ReadWholeFile(const std::wstring &path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::wstring PartFile(int number, const std::string &rest)
{
    CString name;
    name.Format("%02d%s", number, rest.c_str());
    return Collection + name.ToWide();
}

std::vector<std::string> BoxTexts(const MessageBoxRecorder &recorder)
{
    std::vector<std::string> texts;
    for (const MessageBoxRecorder::Box &box : recorder.boxes)
        texts.push_back(box.text.Bytes());
    return texts;
}

// A sample room loaded from "abc.pac" and displayed.
void OpenDisplayedRoom(const WorkingFolder &folder, OpenEditorDlg &dialog)
{
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\abc.pac", SampleRoomBytes(2));
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("abc.pac");
    dialog.Command(IDC_DISPLAY_PARTS);
    ASSERT_EQ(EditorMode, PartsDisplay);
}

std::string Bmp8(int width, int height, std::uint8_t index)
{
    return AsString(BuildBmp8(width, height, {0x000000, 0xFFFFFF, 0x00FF00},
                              std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, index)));
}

// An 8-bit image whose file-size field (and length) is exactly size.
std::string Bmp8OfFileSize(std::uint32_t size)
{
    std::string bytes = Bmp8(320, 240, 1);
    bytes.resize(size, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(2 + i)] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return bytes;
}

SIZE PreviewSize(const OpenEditorDlg &dialog, int slot)
{
    return dialog.Size(SlotControlIds[slot]);
}
} // namespace

TEST(PartsExport, WritesTheThirtyEightSlotFilesAndOffersTheRoomOnce)
{
    WorkingFolder folder(L"export");
    folder.MakeFolder(L"部屋の部品集");
    folder.WriteFile(PartFile(0, "abc.BMP"), std::string(90000, 'x'));
    folder.WriteFile(PartFile(5, "zzz.bmp"), "BM");
    folder.WriteFile(PartFile(16, "ABC.BMP"), "BM");
    OpenEditorDlg dialog;
    OpenDisplayedRoom(folder, dialog);
    MessageBoxRecorder boxes;
    dialog.Command(IDC_OUTPUT_PARTS);
    EXPECT_TRUE(boxes.boxes.empty());

    for (int slot = 0; slot < SlotCount; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const bool exported = slot != Slot14;
        EXPECT_EQ(std::filesystem::exists(PartFile(slot, "abc.BMP")), exported);
        EXPECT_EQ(std::filesystem::exists(PartFile(MaskNumber(slot), "abc.BMP")), exported);
        if (exported) {
            EXPECT_EQ(ReadWholeFile(PartFile(slot, "abc.BMP")), WorkBaseImage(slot));
            EXPECT_EQ(ReadWholeFile(PartFile(MaskNumber(slot), "abc.BMP")), WorkMaskImage(slot));
        }
    }
    for (const PartGroup &combo : PartGroups) {
        const std::vector<std::string> entries = dialog.ComboEntries(combo.comboId);
        if (combo.comboId == IDC_COMBO_DOOR)
            EXPECT_EQ(entries, (Texts{"", "abc.BMP", "zzz.bmp"}));
        else if (combo.comboId == IDC_COMBO_LETTER)
            EXPECT_EQ(entries, (Texts{"", "ABC.BMP"}));
        else
            EXPECT_EQ(entries, (Texts{"", "abc.BMP"})) << combo.comboId;
        EXPECT_EQ(SendMessageW(dialog.Item(combo.comboId), CB_GETCURSEL, 0, 0), 0) << combo.comboId;
    }
    EXPECT_FALSE(dialog.Enabled(IDC_OUTPUT_PARTS));
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());

    // Ctrl+W does nothing until the parts are displayed again; a second
    // export adds no second entry.
    ASSERT_TRUE(DeleteFileW(PartFile(4, "abc.BMP").c_str()));
    dialog.Command(ID_OUTPUT_PARTS, AcceleratorCode);
    EXPECT_FALSE(std::filesystem::exists(PartFile(4, "abc.BMP")));
    dialog.Command(IDC_DISPLAY_PARTS);
    dialog.Command(ID_OUTPUT_PARTS, AcceleratorCode);
    EXPECT_EQ(ReadWholeFile(PartFile(4, "abc.BMP")), WorkBaseImage(4));
    EXPECT_EQ(dialog.ComboEntries(IDC_COMBO_ROOM), (Texts{"", "abc.BMP"}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(PartsExport, FilesThatCannotBeWrittenAreReportedOnceAtTheEnd)
{
    WorkingFolder folder(L"export-blocked");
    folder.WriteFile(L"部屋の部品集", "not a folder");
    OpenEditorDlg dialog;
    OpenDisplayedRoom(folder, dialog);
    MessageBoxRecorder boxes;
    dialog.Command(IDC_OUTPUT_PARTS);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const std::string text = boxes.boxes[0].text.Bytes();
    EXPECT_EQ(text.rfind("部品データが書き込めませんでした\n00abc.BMP\n20abc.BMP\n01abc.BMP\n21abc.BMP\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("他28件"), std::string::npos) << text;
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_FALSE(dialog.Enabled(IDC_OUTPUT_PARTS));
    EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());
}

TEST(PartReplacement, AGroupLoadsInItsOrderAndTheEmptyEntryRestoresIt)
{
    WorkingFolder folder(L"replace-doors");
    folder.MakeFolder(L"部屋の部品集");
    // 07 has no base file, 06 no mask file, 05 both.
    folder.WriteFile(PartFile(6, "t.bmp"), Bmp8(40, 30, 1));
    folder.WriteFile(PartFile(5, "t.bmp"), Bmp8(50, 20, 2));
    folder.WriteFile(PartFile(25, "t.bmp"), Bmp8(10, 10, 0));
    folder.WriteFile(PartFile(27, "t.bmp"), Bmp8(10, 10, 0));
    OpenEditorDlg dialog;
    OpenDisplayedRoom(folder, dialog);
    const SIZE door5 = PreviewSize(dialog, 5);
    const SIZE door7 = PreviewSize(dialog, 7);
    const std::string mask6 = WorkMaskImage(6);

    MessageBoxRecorder boxes;
    dialog.ChooseEntry(IDC_COMBO_DOOR, "t.bmp");
    EXPECT_EQ(BoxTexts(boxes), (Texts{BaseMissingMessage("07t.bmp"), MaskMissingMessage("26t.bmp")}));
    EXPECT_TRUE(WorkSlotIsSaved(7));
    EXPECT_EQ(PreviewSize(dialog, 7).cx, door7.cx);
    EXPECT_EQ(WorkBaseImage(6), Bmp8(40, 30, 1));
    EXPECT_EQ(WorkMaskImage(6), mask6);
    EXPECT_EQ(PreviewSize(dialog, 6).cx, 40);
    EXPECT_EQ(WorkBaseImage(5), Bmp8(50, 20, 2));
    EXPECT_EQ(WorkMaskImage(5), Bmp8(10, 10, 0));
    EXPECT_EQ(PreviewSize(dialog, 5).cx, 50);
    EXPECT_EQ(PreviewSize(dialog, 5).cy, 20);
    EXPECT_FALSE(dialog.Enabled(IDC_OUTPUT_PARTS));
    EXPECT_TRUE(dialog.Enabled(IDC_COMPOSE_PARTS));
    EXPECT_EQ(SendMessageW(dialog.Item(IDC_COMBO_DOOR), CB_GETCURSEL, 0, 0), 1);

    boxes.boxes.clear();
    dialog.ChooseEntry(IDC_COMBO_DOOR, "");
    EXPECT_TRUE(boxes.boxes.empty());
    for (const int door : {5, 6, 7})
        EXPECT_TRUE(WorkSlotIsSaved(door)) << door;
    EXPECT_EQ(PreviewSize(dialog, 5).cx, door5.cx);
    EXPECT_FALSE(dialog.Enabled(IDC_OUTPUT_PARTS));
    dialog.Command(ID_OUTPUT_PARTS, AcceleratorCode);
    EXPECT_FALSE(std::filesystem::exists(PartFile(5, "abc.BMP")));
}

TEST(PartReplacement, BasesThatAreTooLargeOrNotEightBitAreRefused)
{
    WorkingFolder folder(L"replace-refused");
    folder.MakeFolder(L"部屋の部品集");
    folder.WriteFile(PartFile(12, "deep.bmp"), AsString(BuildBmpFile({30, 20, 24, false, {}, {}})));
    folder.WriteFile(PartFile(32, "deep.bmp"), Bmp8(30, 20, 0));
    folder.WriteFile(PartFile(13, "max.bmp"), Bmp8OfFileSize(SlotSize));
    folder.WriteFile(PartFile(33, "max.bmp"), Bmp8(320, 240, 0));
    folder.WriteFile(PartFile(13, "over.bmp"), Bmp8OfFileSize(SlotSize + 1));
    folder.WriteFile(PartFile(33, "over.bmp"), Bmp8(320, 240, 0));
    OpenEditorDlg dialog;
    OpenDisplayedRoom(folder, dialog);
    const SIZE table = PreviewSize(dialog, 12);
    const SIZE mailbox = PreviewSize(dialog, 13);

    MessageBoxRecorder boxes;
    dialog.ChooseEntry(IDC_COMBO_TABLE, "deep.bmp");
    EXPECT_EQ(BoxTexts(boxes), Texts{PartNotEightBitMessage("12deep.bmp")});
    EXPECT_TRUE(WorkSlotIsSaved(12));
    EXPECT_EQ(PreviewSize(dialog, 12).cx, table.cx);

    boxes.boxes.clear();
    dialog.ChooseEntry(IDC_COMBO_MAILBOX, "over.bmp");
    EXPECT_EQ(BoxTexts(boxes), Texts{TooLargeMessage()});
    EXPECT_TRUE(WorkSlotIsSaved(13));
    EXPECT_EQ(PreviewSize(dialog, 13).cx, mailbox.cx);

    boxes.boxes.clear();
    dialog.ChooseEntry(IDC_COMBO_MAILBOX, "max.bmp");
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(WorkBaseImage(13), Bmp8OfFileSize(SlotSize));
    EXPECT_EQ(PreviewSize(dialog, 13).cx, 160);
    EXPECT_EQ(PreviewSize(dialog, 13).cy, 120);
}
