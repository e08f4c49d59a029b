#include <cstring>

#include <gtest/gtest.h>

#include "part_file_support.h"
#include "store/file_system.h"
#include "store/part_image_store.h"
#include "core/messages.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "core/slot_map.h"

namespace {

const std::string Folder = PartsCollectionFolder;

void PutImage(PartSlot &slot, const std::vector<std::uint8_t> &image)
{
    std::memcpy(slot.bytes.data(), image.data(), image.size());
}

// Every slot gets an image of its own size and bytes, with a stale tail
// after the image's end that must never reach a file.
void FillWorkingBanks()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        TestBanks.WorkBase[index].bytes.fill(0xEE);
        TestBanks.WorkMask[index].bytes.fill(0xEE);
        PutImage(TestBanks.WorkBase[index], ImageBytes(2000 + 10 * slot, 8, static_cast<std::uint8_t>(slot)));
        PutImage(TestBanks.WorkMask[index],
                 ImageBytes(1500 + slot, 8, static_cast<std::uint8_t>(100 + slot)));
    }
}

std::vector<std::uint8_t> SlotImage(const PartSlot &slot)
{
    return {slot.bytes.begin(), slot.bytes.begin() + FileSize(slot)};
}

} // namespace

TEST(PartFileNames, FollowThePackageNameAndTheSlotNumbers)
{
    EXPECT_EQ(PartStem("abc.pac"), "abc.");
    EXPECT_EQ(PartStem("abc"), "");
    EXPECT_EQ(PartStem("ab"), "");
    EXPECT_EQ(PartStem(""), "");
    EXPECT_EQ(ExportFileName(0, "abc."), "00abc.BMP");
    EXPECT_EQ(ExportFileName(39, "abc."), "39abc.BMP");
    EXPECT_EQ(ExportedEntryText("abc."), "abc.BMP");
    EXPECT_EQ(CollectionFileName(5, "mydoor.bmp"), "05mydoor.bmp");
    EXPECT_EQ(CollectionFileName(25, ""), "25");

    const std::string longStem(300, 'x');
    EXPECT_EQ(ExportFileName(7, longStem), "07" + longStem + "BMP");
}

TEST(PartExport, WritesThirtyEightFilesWithTheSlotsBytes)
{
    ScratchFolder scratch;
    FillWorkingBanks();
    ASSERT_TRUE(CreateFolder(Folder));
    WriteWholeFile(Folder + "00abc.BMP", std::vector<std::uint8_t>(90000, 0x55));

    std::vector<int> combos;
    const std::vector<std::string> failed = ExportRoomParts(TestBanks, "abc.", PartsCollectionFolder,
                                                            [&](int comboId) { combos.push_back(comboId); });

    EXPECT_TRUE(failed.empty());
    std::vector<int> expectedCombos;
    for (const PartGroup &group : PartGroups)
        expectedCombos.push_back(group.comboId);
    EXPECT_EQ(combos, expectedCombos);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        const auto base = ReadWholeFile(Folder + ExportFileName(slot, "abc."));
        const auto mask = ReadWholeFile(Folder + ExportFileName(MaskNumber(slot), "abc."));
        if (slot == 14) {
            EXPECT_FALSE(base);
            EXPECT_FALSE(mask);
            continue;
        }
        ASSERT_TRUE(base && mask) << slot;
        EXPECT_EQ(*base, SlotImage(TestBanks.WorkBase[index])) << slot;
        EXPECT_EQ(*mask, SlotImage(TestBanks.WorkMask[index])) << slot;
    }
    EXPECT_EQ(FindEntries(Folder + "*").size(), 38u);
}

TEST(PartExport, AnOversizedSlotIsNotWrittenAndIsReported)
{
    ScratchFolder scratch;
    FillWorkingBanks();
    PutImage(TestBanks.WorkMask[6], ImageBytesClaiming(77881, 100, 6));
    ASSERT_TRUE(CreateFolder(Folder));
    WriteWholeFile(Folder + "26abc.BMP", {9, 9, 9});

    const std::vector<std::string> failed = ExportRoomParts(TestBanks, "abc.", PartsCollectionFolder);

    EXPECT_EQ(failed, std::vector<std::string>{"26abc.BMP"});
    EXPECT_EQ(ReadWholeFile(Folder + "26abc.BMP"), (std::vector<std::uint8_t>{9, 9, 9}));
    EXPECT_TRUE(ReadWholeFile(Folder + "06abc.BMP"));
}

TEST(PartExport, AFileInPlaceOfTheFolderFailsEveryFile)
{
    ScratchFolder scratch;
    FillWorkingBanks();
    WriteWholeFile("部屋の部品集", {1});

    int steps = 0;
    const std::vector<std::string> failed =
        ExportRoomParts(TestBanks, "abc.", PartsCollectionFolder, [&](int) { ++steps; });

    EXPECT_EQ(steps, 11);
    ASSERT_EQ(failed.size(), 38u);
    EXPECT_EQ(failed.front(), "00abc.BMP");
    EXPECT_EQ(failed[1], "20abc.BMP");
    EXPECT_EQ(failed.back(), "38abc.BMP");
    const std::string message = ExportFailedMessage(failed);
    EXPECT_EQ(message.rfind("部品データが書き込めませんでした\n00abc.BMP\n20abc.BMP\n", 0), 0u);
    EXPECT_NE(message.find("\n他28件"), std::string::npos);
    EXPECT_EQ(message.find("38abc.BMP"), std::string::npos);
}
