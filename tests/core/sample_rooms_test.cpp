#include "tools/samplegen/sample_rooms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "store/room_tests.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"

namespace {
// The banks and the header the sample rooms are read into.
ImageBanks TestBanks;
PackageHeaderBlock TestHeader;

constexpr char PackageName[] = "sample_rooms_test.pac";
constexpr std::uint32_t LargestImageFileSize = 77878; // 320 x 240 at 8 bits
constexpr std::uint32_t Key = 0x00FF00FF;

class CountingReporter : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override { ++reports; }
    void ReportOversizedRecord(int) override { ++reports; }
    int reports = 0;
};

void WritePackageFile(const std::vector<std::uint8_t> &bytes)
{
    std::ofstream out(PackageName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool IsFullScene(int slot)
{
    return slot <= 4 || slot == 19;
}

std::size_t KeyPixels(int slot)
{
    const RgbImage picture = RenderPreviewPicture(TestBanks.WorkBase[slot], TestBanks.WorkMask[slot], Key);
    return static_cast<std::size_t>(std::count(picture.pixels.begin(), picture.pixels.end(), 0x00FF00FFu));
}

void ExpectSlotsArePartImages()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const PartSlot &base = TestBanks.WorkBase[slot];
        const PartSlot &mask = TestBanks.WorkMask[slot];
        for (const PartSlot *image : {&base, &mask}) {
            EXPECT_EQ(BitCount(*image), 8);
            EXPECT_LE(FileSize(*image), SlotSize);
            EXPECT_EQ(FileSize(*image), 1078u + static_cast<std::uint32_t>((Width(*image) + 3) / 4 * 4) *
                                                    static_cast<std::uint32_t>(Height(*image)));
        }
        EXPECT_EQ(Width(mask), Width(base));
        EXPECT_EQ(Height(mask), Height(base));
        if (IsFullScene(slot)) {
            EXPECT_EQ(FileSize(base), LargestImageFileSize);
        } else {
            EXPECT_LE(Width(base), PreviewMaxWidth);
            EXPECT_LE(Height(base), PreviewMaxHeight);
            EXPECT_GT(KeyPixels(slot), 0u) << "furniture is cut out around its shape";
        }
    }
}

TEST(SampleRooms, EachReadsBackAsARoomWithEightBitPartsAndItsTexts)
{
    const std::span<const SampleRoom> rooms = SampleRooms();
    ASSERT_GE(rooms.size(), 2u);
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        SCOPED_TRACE(rooms[i].fileName);
        WritePackageFile(BuildSampleRoomPackage(static_cast<int>(i)));
        EXPECT_EQ(RoomListProbe(PackageName), true);
        EXPECT_TRUE(ComposeListProbe(PackageName));

        CountingReporter reporter;
        FileHandle file = FileHandle::OpenForSharedRead(PackageName);
        ASSERT_TRUE(file.IsOpen());
        ReadPackageHeader(file, TestHeader);
        ReadPackageRecords(file, TestBanks.WorkBase, TestBanks.WorkMask, reporter);
        std::uint8_t beyond = 0;
        EXPECT_EQ(file.Read(&beyond, 1), 0u) << "nothing follows the last record";
        file.Close();

        EXPECT_EQ(reporter.reports, 0);
        EXPECT_EQ(TestHeader.bytes[RoomFlagOffset], 1);
        EXPECT_EQ(GetHeaderText(TestHeader, NameText), rooms[i].nameText);
        EXPECT_EQ(GetHeaderText(TestHeader, RemarksText), rooms[i].remarksText);
        EXPECT_EQ(GetHeaderText(TestHeader, AuthorText), rooms[i].authorText);
        EXPECT_NE(GetHeaderText(TestHeader, RemarksText).find("\r\n"), std::string::npos);
        ExpectSlotsArePartImages();
        EXPECT_EQ(KeyPixels(0), 0u) << "the window view is opaque";
        EXPECT_GT(KeyPixels(RoomSlot), 0u) << "the room's window glass is cut out";
    }
    std::remove(PackageName);
}

TEST(SampleRooms, TextsAreCodePage932AndIndicesOutsideTheListGiveNothing)
{
    EXPECT_EQ(std::string(SampleRooms()[0].nameText), "\x82\xb3\x82\xad\x82\xe7\x82\xcc\x95\x94\x89\xae");
    EXPECT_TRUE(BuildSampleRoomPackage(-1).empty());
    EXPECT_TRUE(BuildSampleRoomPackage(static_cast<int>(SampleRooms().size())).empty());
}

} // namespace
