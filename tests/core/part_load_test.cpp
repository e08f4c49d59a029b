#include <cstring>

#include <gtest/gtest.h>

#include "part_file_support.h"
#include "store/file_system.h"
#include "store/part_image_store.h"
#include "core/messages.h"
#include "core/part_files.h"
#include "core/part_loading.h"
#include "core/slot_map.h"

namespace {

const PartsFolder Collection(PartsCollectionFolder);

const std::string Folder = PartsCollectionFolder;

// Saved and working banks hold distinct images with a recognisable tail;
// working differs from saved so that a restore shows.
class PartLoad : public ::testing::Test {
  protected:
    void SetUp() override
    {
        for (std::size_t i = 0; i < SlotCount; ++i) {
            Put(TestBanks.SavedBase[i], ImageBytes(3000, 8, 1), 0x11);
            Put(TestBanks.SavedMask[i], ImageBytes(3000, 8, 2), 0x22);
            Put(TestBanks.WorkBase[i], ImageBytes(2500, 8, 3), 0x33);
            Put(TestBanks.WorkMask[i], ImageBytes(2500, 8, 4), 0x44);
        }
        CreateFolder(Folder);
    }

    static void Put(PartSlot &slot, const std::vector<std::uint8_t> &image, std::uint8_t tail)
    {
        slot.bytes.fill(tail);
        std::memcpy(slot.bytes.data(), image.data(), image.size());
    }

    static bool StartsWith(const PartSlot &slot, const std::vector<std::uint8_t> &image)
    {
        return std::memcmp(slot.bytes.data(), image.data(), image.size()) == 0;
    }

    static bool Same(const PartSlot &a, const PartSlot &b) { return a.bytes == b.bytes; }

    ScratchFolder scratch_;
};

} // namespace

TEST_F(PartLoad, AGroupLoadsInTableOrderPastAMissingBase)
{
    const auto image = [](int number) {
        return ImageBytes(1200 + number, 8, static_cast<std::uint8_t>(number));
    };
    for (int number : {7, 5, 27, 26, 25})
        WriteWholeFile(Folder + CollectionFileName(number, "door.bmp"), image(number));
    const PartSlot oldSix = TestBanks.WorkBase[6];
    const PartSlot oldSixMask = TestBanks.WorkMask[6];

    std::vector<PartLoadResult> results;
    for (int slot : SlotGroupTable(5))
        results.push_back(LoadPartFromCollectionFiles(TestBanks, slot, "door.bmp", Collection));

    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].outcome, PartLoadOutcome::Loaded);
    EXPECT_EQ(results[1].outcome, PartLoadOutcome::BaseMissing);
    EXPECT_EQ(results[1].fileName, "06door.bmp");
    EXPECT_FALSE(NeedsRedraw(results[1].outcome));
    EXPECT_EQ(PartLoadMessage(results[1]), BaseMissingMessage("06door.bmp"));
    EXPECT_EQ(results[2].outcome, PartLoadOutcome::Loaded);
    EXPECT_TRUE(NeedsRedraw(results[2].outcome));
    EXPECT_EQ(PartLoadMessage(results[2]), "");

    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[7], image(7)));
    EXPECT_TRUE(StartsWith(TestBanks.WorkMask[7], image(27)));
    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[5], image(5)));
    EXPECT_TRUE(StartsWith(TestBanks.WorkMask[5], image(25)));
    EXPECT_EQ(TestBanks.WorkBase[5].bytes[2600], 0x33) << "the old tail stays";
    EXPECT_TRUE(Same(TestBanks.WorkBase[6], oldSix));
    EXPECT_TRUE(Same(TestBanks.WorkMask[6], oldSixMask));
}

TEST_F(PartLoad, AMissingMaskKeepsTheOldMaskUnderTheNewBase)
{
    const auto base = ImageBytes(1000, 8, 9);
    WriteWholeFile(Folder + "12table.bmp", base);
    const PartSlot oldMask = TestBanks.WorkMask[12];

    const PartLoadResult result = LoadPartFromCollectionFiles(TestBanks, 12, "table.bmp", Collection);

    EXPECT_EQ(result.outcome, PartLoadOutcome::MaskMissing);
    EXPECT_EQ(result.fileName, "32table.bmp");
    EXPECT_TRUE(NeedsRedraw(result.outcome));
    EXPECT_EQ(PartLoadMessage(result), MaskMissingMessage("32table.bmp"));
    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[12], base));
    EXPECT_TRUE(Same(TestBanks.WorkMask[12], oldMask));
}

TEST_F(PartLoad, RefusedBasesComeBackFromTheSavedBank)
{
    WriteWholeFile(Folder + "04deep.bmp", ImageBytes(5000, 24, 5));
    WriteWholeFile(Folder + "24deep.bmp", ImageBytes(5000, 8, 5));
    WriteWholeFile(Folder + "04big.bmp", ImageBytes(77881, 8, 6));
    WriteWholeFile(Folder + "04tiny.bmp", ImageBytesClaiming(13, 13, 7));
    const PartSlot oldMask = TestBanks.WorkMask[4];

    for (const char *text : {"deep.bmp", "big.bmp", "tiny.bmp"}) {
        const PartLoadResult result = LoadPartFromCollectionFiles(TestBanks, 4, text, Collection);
        EXPECT_FALSE(NeedsRedraw(result.outcome)) << text;
        EXPECT_TRUE(Same(TestBanks.WorkBase[4], TestBanks.SavedBase[4])) << text;
        EXPECT_TRUE(Same(TestBanks.WorkMask[4], oldMask)) << text;
        Put(TestBanks.WorkBase[4], ImageBytes(2500, 8, 3), 0x33);
    }
    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 4, "deep.bmp", Collection).outcome,
              PartLoadOutcome::NotEightBit);
    EXPECT_EQ(PartLoadMessage(LoadPartFromCollectionFiles(TestBanks, 4, "deep.bmp", Collection)),
              "04deep.bmp\nこのデータは、２５６色(8ﾋﾞｯﾄ)でないので扱えません");
    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 4, "big.bmp", Collection).outcome,
              PartLoadOutcome::TooLarge);
    EXPECT_EQ(PartLoadMessage(LoadPartFromCollectionFiles(TestBanks, 4, "big.bmp", Collection)),
              "このデータは、大きいので扱えません");
    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 4, "tiny.bmp", Collection).outcome,
              PartLoadOutcome::TooLarge);
}

TEST_F(PartLoad, AWholeSlotSizedPartIsAccepted)
{
    const auto base = ImageBytes(77880, 8, 8);
    const auto mask = ImageBytes(77880, 8, 9);
    WriteWholeFile(Folder + "02full.bmp", base);
    WriteWholeFile(Folder + "22full.bmp", mask);

    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 2, "full.bmp", Collection).outcome,
              PartLoadOutcome::Loaded);
    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[2], base));
    EXPECT_TRUE(StartsWith(TestBanks.WorkMask[2], mask));
}

TEST_F(PartLoad, AnOversizedMaskIsRefusedAndTheMaskSlotStaysAsItWas)
{
    const auto base = ImageBytes(1000, 8, 10);
    WriteWholeFile(Folder + "13box.bmp", base);
    WriteWholeFile(Folder + "33box.bmp", ImageBytes(77881, 8, 11));
    WriteWholeFile(Folder + "13tiny.bmp", base);
    WriteWholeFile(Folder + "33tiny.bmp", ImageBytesClaiming(5, 5, 12));
    const PartSlot oldMask = TestBanks.WorkMask[13];

    const PartLoadResult result = LoadPartFromCollectionFiles(TestBanks, 13, "box.bmp", Collection);

    EXPECT_EQ(result.outcome, PartLoadOutcome::MaskTooLarge);
    EXPECT_EQ(result.fileName, "33box.bmp");
    EXPECT_TRUE(NeedsRedraw(result.outcome));
    EXPECT_EQ(PartLoadMessage(result), TooLargeMessage());
    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[13], base));
    EXPECT_TRUE(Same(TestBanks.WorkMask[13], oldMask));

    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 13, "tiny.bmp", Collection).outcome,
              PartLoadOutcome::MaskTooLarge);
    EXPECT_TRUE(Same(TestBanks.WorkMask[13], oldMask));
}

TEST_F(PartLoad, AShortFileLeavesTheRestOfTheSlotAsItWas)
{
    const auto base = ImageBytesClaiming(4000, 2000, 13);
    WriteWholeFile(Folder + "15short.bmp", base);
    WriteWholeFile(Folder + "35short.bmp", ImageBytes(1000, 8, 14));

    EXPECT_EQ(LoadPartFromCollectionFiles(TestBanks, 15, "short.bmp", Collection).outcome,
              PartLoadOutcome::Loaded);
    EXPECT_TRUE(StartsWith(TestBanks.WorkBase[15], base));
    EXPECT_EQ(TestBanks.WorkBase[15].bytes[2600], 0x33);
}

TEST_F(PartLoad, TheEmptyEntryRestoresTheSlotFromTheSavedBanks)
{
    const PartLoadResult result = LoadPartFromCollectionFiles(TestBanks, 16, "", Collection);

    EXPECT_EQ(result.outcome, PartLoadOutcome::Restored);
    EXPECT_TRUE(NeedsRedraw(result.outcome));
    EXPECT_EQ(PartLoadMessage(result), "");
    EXPECT_TRUE(Same(TestBanks.WorkBase[16], TestBanks.SavedBase[16]));
    EXPECT_TRUE(Same(TestBanks.WorkMask[16], TestBanks.SavedMask[16]));
    EXPECT_FALSE(Same(TestBanks.WorkBase[17], TestBanks.SavedBase[17]));
}
