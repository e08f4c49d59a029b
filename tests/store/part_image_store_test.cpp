#include <gtest/gtest.h>

#include <limits>

#include "store/byte_reader.h"
#include "store/part_image_store.h"
#include "store_test_support.h"

namespace {
class PartImageStoreTest : public testing::Test {
  protected:
    void SetUp() override { ResetStore(); }
};

TEST(ByteReaderTest, FieldsReadLittleEndianAndNeverPastTheEnd)
{
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0xFF};
    EXPECT_EQ(ReadU16LE(bytes, 0), 0x0201);
    EXPECT_EQ(ReadU32LE(bytes, 1), 0xFF040302u);
    EXPECT_EQ(ReadI32LE(bytes, 1), static_cast<std::int32_t>(0xFF040302u));
    EXPECT_EQ(ReadU16LE(bytes, 4), 0);
    EXPECT_EQ(ReadU32LE(bytes, 2), 0u);
    EXPECT_EQ(ReadU32LE(bytes, std::numeric_limits<std::size_t>::max() - 1), 0u);
}

TEST(PartSlotTest, AccessorsReadLittleEndianFieldsOfTheImage)
{
    PartSlot slot;
    PutImage(slot, MakeImage(77878, 8, 1));
    slot.bytes[18] = 0x40;
    slot.bytes[19] = 0x01;
    slot.bytes[20] = 0;
    slot.bytes[21] = 0;
    slot.bytes[22] = 0xFF;
    slot.bytes[23] = 0xFF;
    slot.bytes[24] = 0xFF;
    slot.bytes[25] = 0xFF;
    EXPECT_EQ(FileSize(slot), 77878u);
    EXPECT_EQ(Width(slot), 320);
    EXPECT_EQ(Height(slot), -1);
    EXPECT_EQ(BitCount(slot), 8);
    EXPECT_EQ(BitmapInfo(slot), slot.bytes.data() + 14);
}

TEST(PartSlotTest, PixelBitsFollowAColourTableOfTwoToTheBitCountEntries)
{
    PartSlot slot;
    PutImage(slot, MakeImage(2000, 8, 2));
    slot.bytes[10] = 0x36; // a data-offset field of 54 is never consulted
    slot.bytes[11] = 0;
    EXPECT_EQ(PixelBitsOffset(slot), 1078u);
    const std::pair<std::uint16_t, std::optional<std::size_t>> cases[] = {
        {0, 58},
        {1, 62},
        {4, 118},
        {14, 54 + 65536},
        {15, std::nullopt},
        {16, std::nullopt},
        {24, std::nullopt},
        {32, std::nullopt},
        {64, std::nullopt},
        {65535, std::nullopt},
    };
    for (const auto &[bitCount, offset] : cases) {
        slot.bytes[28] = static_cast<std::uint8_t>(bitCount);
        slot.bytes[29] = static_cast<std::uint8_t>(bitCount >> 8);
        EXPECT_EQ(PixelBitsOffset(slot), offset) << "bit count " << bitCount;
    }
}

TEST_F(PartImageStoreTest, BankCopiesMoveWholeSlotsWithTheirStaleTails)
{
    PutImage(TestBanks.WorkBase[0], MakeImage(77880, 8, 3));
    PutImage(TestBanks.WorkBase[0], MakeImage(1200, 8, 4));
    PutImage(TestBanks.WorkMask[19], MakeImage(77000, 1, 5));
    const Bytes base = SlotBytes(TestBanks.WorkBase[0]);
    const Bytes mask = SlotBytes(TestBanks.WorkMask[19]);

    TestBanks.CopyWorkingToSaved();
    EXPECT_EQ(SlotBytes(TestBanks.SavedBase[0]), base);
    EXPECT_EQ(SlotBytes(TestBanks.SavedMask[19]), mask);

    TestBanks.WorkBase[0].bytes.fill(0xEE);
    TestBanks.WorkMask[19].bytes.fill(0xEE);
    TestBanks.CopySavedToWorking();
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[0]), base);
    EXPECT_EQ(SlotBytes(TestBanks.WorkMask[19]), mask);
}

TEST_F(PartImageStoreTest, RestoringASlotTouchesOnlyThatSlotAndOnlyAnExistingOne)
{
    PutImage(TestBanks.SavedBase[5], MakeImage(77880, 8, 6));
    PutImage(TestBanks.SavedMask[5], MakeImage(77880, 1, 7));
    for (int slot : {4, 5, 6}) {
        TestBanks.WorkBase[slot].bytes.fill(0xAA);
        TestBanks.WorkMask[slot].bytes.fill(0xBB);
    }

    TestBanks.RestoreBaseSlot(5);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[5]), SlotBytes(TestBanks.SavedBase[5]));
    EXPECT_EQ(TestBanks.WorkMask[5].bytes[0], 0xBB);

    TestBanks.WorkBase[5].bytes.fill(0xAA);
    TestBanks.RestoreSlot(5);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[5]), SlotBytes(TestBanks.SavedBase[5]));
    EXPECT_EQ(SlotBytes(TestBanks.WorkMask[5]), SlotBytes(TestBanks.SavedMask[5]));
    for (int slot : {-1, 20, 99, -2147483647 - 1}) {
        TestBanks.RestoreSlot(slot);
        TestBanks.RestoreBaseSlot(slot);
    }
    for (int slot : {4, 6}) {
        EXPECT_EQ(TestBanks.WorkBase[slot].bytes[100], 0xAA);
        EXPECT_EQ(TestBanks.WorkMask[slot].bytes[100], 0xBB);
    }
}

} // namespace
