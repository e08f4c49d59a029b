#include <gtest/gtest.h>

#include <filesystem>

#include "store/file_system.h"
#include "store/package_file.h"
#include "store/part_image_store.h"
#include "store_test_support.h"

namespace {
constexpr int RecordCount = 2 * SlotCount;

class PackageFileTest : public testing::Test {
  protected:
    void ReadPackage(const std::string &name)
    {
        BufferedFileSource file = OpenPackageFile(name);
        ASSERT_TRUE(file.IsOpen()) << name;
        ReadPackageHeader(file, TestHeader);
        ReadPackageRecords(file, TestBanks.WorkBase, TestBanks.WorkMask, reporter);
    }

    ScratchFolder scratch;
    RecordingReporter reporter;
};

PartSlot &SlotOfRecord(int record)
{
    return record < SlotCount ? TestBanks.WorkBase[record] : TestBanks.WorkMask[record - SlotCount];
}

// Forty different images: full-sized ones, small ones, base images of 8 bits
// and masks of 1 bit.
std::vector<Bytes> MakeImages(std::uint8_t seed)
{
    std::vector<Bytes> images;
    for (int record = 0; record < RecordCount; ++record) {
        const std::uint32_t size =
            record % 7 == 0 ? SlotSize : static_cast<std::uint32_t>(1078 + record * 1733);
        const std::uint16_t bitCount = record < SlotCount ? 8 : 1;
        images.push_back(MakeImage(size, bitCount, static_cast<std::uint8_t>(seed + record)));
    }
    return images;
}

Bytes PackageOf(const Bytes &header, const std::vector<Bytes> &images)
{
    Bytes package = header;
    for (const Bytes &image : images) {
        AppendRecord(package, image);
    }
    return package;
}

TEST_F(PackageFileTest, APackageWrittenAfterReadingIsTheSameFileByteForByte)
{
    const std::vector<Bytes> images = MakeImages(10);
    const Bytes package = PackageOf(MakeHeader(1), images);
    WriteBytes("room.pac", package);

    ReadPackage("room.pac");
    EXPECT_TRUE(reporter.notEightBit.empty());
    EXPECT_TRUE(reporter.oversized.empty());
    EXPECT_EQ(Bytes(TestHeader.bytes.begin(), TestHeader.bytes.end()), MakeHeader(1));
    for (int record = 0; record < RecordCount; ++record) {
        EXPECT_EQ(SlotBytes(SlotOfRecord(record), images[record].size()), images[record])
            << "record " << record;
    }

    ASSERT_EQ(WritePackage("copy.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::Written);
    EXPECT_EQ(ReadBytes("copy.pac"), package);
}

TEST_F(PackageFileTest, TheSizeFieldDecidesTheReadAndTheImageFieldTheWrite)
{
    std::vector<Bytes> images = MakeImages(20);
    Bytes stretched = MakeImage(2000, 8, 99);
    stretched[2] = 1500 & 0xFF; // the image says it is 1500 bytes long
    stretched[3] = 1500 >> 8;
    images[2] = stretched;
    WriteBytes("room.pac", PackageOf(MakeHeader(2), images));

    ReadPackage("room.pac");
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[2], 2000), stretched);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[3], images[3].size()), images[3]);

    images[2].resize(1500);
    ASSERT_EQ(WritePackage("copy.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::Written);
    EXPECT_EQ(ReadBytes("copy.pac"), PackageOf(MakeHeader(2), images));
}

TEST_F(PackageFileTest, EmptyRecordsLeaveSlotsAsTheyWereAndZeroSlotsWriteEmptyRecords)
{
    ASSERT_EQ(WritePackage("zero.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::Written);
    Bytes allEmpty(HeaderSize);
    for (int record = 0; record < RecordCount; ++record) {
        AppendU32(allEmpty, 0);
    }
    EXPECT_EQ(ReadBytes("zero.pac"), allEmpty);

    const std::vector<Bytes> first = MakeImages(30);
    WriteBytes("first.pac", PackageOf(MakeHeader(3), first));
    ReadPackage("first.pac");
    std::vector<Bytes> second = MakeImages(40);
    second[4].clear();
    second[29].clear();
    WriteBytes("second.pac", PackageOf(MakeHeader(4), second));
    ReadPackage("second.pac");

    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[4], first[4].size()), first[4]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkMask[9], first[29].size()), first[29]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[5], second[5].size()), second[5]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkMask[10], second[30].size()), second[30]);
}

TEST_F(PackageFileTest, AFileEndingAfterTheHeaderReportsEveryBaseSlotOfAFreshStore)
{
    const Bytes header = MakeHeader(5);
    WriteBytes("header.pac", header);
    ReadPackage("header.pac");

    const std::vector<int> everySlot = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    EXPECT_EQ(reporter.notEightBit, everySlot);
    EXPECT_TRUE(reporter.oversized.empty());
    EXPECT_EQ(GetHeaderText(TestHeader, NameText),
              std::string(header.begin() + 33, header.begin() + 33 + header[32]));
    for (int record = 0; record < RecordCount; ++record) {
        EXPECT_EQ(FileSize(SlotOfRecord(record)), 0u);
    }
}

TEST_F(PackageFileTest, AShortFileLeavesWhatItDoesNotReach)
{
    const std::vector<Bytes> first = MakeImages(50);
    WriteBytes("first.pac", PackageOf(MakeHeader(6), first));
    ReadPackage("first.pac");

    WriteBytes("short-header.pac", Bytes(500, 0x11));
    ReadPackage("short-header.pac");
    EXPECT_EQ(TestHeader.bytes[499], 0x11);
    EXPECT_EQ(TestHeader.bytes[500], MakeHeader(6)[500]);

    std::vector<Bytes> second = MakeImages(60);
    Bytes cut = PackageOf(MakeHeader(7), std::vector<Bytes>(second.begin(), second.begin() + 6));
    cut.resize(cut.size() - 1000);
    WriteBytes("cut.pac", cut);
    ReadPackage("cut.pac");

    const std::size_t delivered = second[5].size() - 1000;
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[4], second[4].size()), second[4]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[5], delivered), Bytes(second[5].begin(), second[5].end() - 1000));
    EXPECT_EQ(TestBanks.WorkBase[5].bytes[delivered], first[5][delivered]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkBase[6], first[6].size()), first[6]);
    EXPECT_EQ(SlotBytes(TestBanks.WorkMask[0], first[20].size()), first[20]);
}

TEST_F(PackageFileTest, OversizedRecordsArePassedOverAndTheRestIsReadInPlace)
{
    const std::vector<Bytes> first = MakeImages(70);
    WriteBytes("first.pac", PackageOf(MakeHeader(8), first));
    ReadPackage("first.pac");
    TestBanks.WorkBase[10].bytes[28] = 24;

    std::vector<Bytes> second = MakeImages(80);
    second[3] = MakeImage(80000, 8, 1);
    second[7] = MakeImage(3000, 24, 2);
    second[10] = MakeImage(SlotSize + 1, 8, 3);
    second[25] = MakeImage(SlotSize + 1, 1, 4);
    Bytes package = PackageOf(MakeHeader(9), std::vector<Bytes>(second.begin(), second.end() - 1));
    AppendU32(package, 0xFFFFFFFF); // the last record claims 4 GB the file does not hold
    WriteBytes("second.pac", package);
    reporter = {};
    ReadPackage("second.pac");

    EXPECT_EQ(reporter.oversized, (std::vector<int>{3, 10, 25, 39}));
    EXPECT_EQ(reporter.notEightBit, (std::vector<int>{7, 10}));
    for (int record : {3, 25, 39}) {
        EXPECT_EQ(SlotBytes(SlotOfRecord(record), first[record].size()), first[record])
            << "record " << record;
    }
    for (int record : {2, 4, 7, 11, 24, 26, 38}) {
        EXPECT_EQ(SlotBytes(SlotOfRecord(record), second[record].size()), second[record])
            << "record " << record;
    }
}

TEST_F(PackageFileTest, RecordsBeyondAHugeRecordAreStillReadInPlace)
{
    for (const std::uint32_t hugeSize : {3000000u, 3500000u}) {
        std::vector<Bytes> images = MakeImages(static_cast<std::uint8_t>(hugeSize));
        images[0] = Bytes(hugeSize, 0x5A);
        WriteBytes("huge.pac", PackageOf(MakeHeader(10), images));
        reporter = {};
        ReadPackage("huge.pac");

        EXPECT_EQ(reporter.oversized, std::vector<int>{0});
        EXPECT_EQ(TestBanks.WorkBase[0].bytes[0], 0);
        for (int record = 1; record < RecordCount; ++record) {
            EXPECT_EQ(SlotBytes(SlotOfRecord(record), images[record].size()), images[record])
                << "record " << record;
        }
    }
}

TEST_F(PackageFileTest, WritingRefusesASlotLargerThanASlotWithoutTouchingTheFile)
{
    WriteBytes("kept.pac", Bytes{1, 2, 3});
    PutImage(TestBanks.WorkMask[7], MakeImage(100, 1, 5));
    TestBanks.WorkMask[7].bytes[2] = (SlotSize + 1) & 0xFF;
    TestBanks.WorkMask[7].bytes[3] = ((SlotSize + 1) >> 8) & 0xFF;
    TestBanks.WorkMask[7].bytes[4] = (SlotSize + 1) >> 16;

    EXPECT_EQ(WritePackage("new.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::SlotTooLarge);
    EXPECT_FALSE(FileExists("new.pac"));
    EXPECT_EQ(WritePackage("kept.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::SlotTooLarge);
    EXPECT_EQ(ReadBytes("kept.pac"), (Bytes{1, 2, 3}));

    TestBanks.WorkMask[7].bytes[2] = SlotSize & 0xFF;
    TestBanks.WorkMask[7].bytes[3] = (SlotSize >> 8) & 0xFF;
    TestBanks.WorkMask[7].bytes[4] = SlotSize >> 16;
    EXPECT_EQ(WritePackage("new.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::Written);
    EXPECT_EQ(ReadBytes("new.pac").size(), HeaderSize + 4 * RecordCount + SlotSize);
}

// The full device refuses every write. Windows programs reach it under Wine
// through the drive that maps the POSIX root.
std::string FullDevice()
{
#ifdef _WIN32
    return "Z:\\dev\\full";
#else
    std::filesystem::create_symlink("/dev/full", "full.pac");
    return "full.pac";
#endif
}

TEST_F(PackageFileTest, CreateAndWriteFailuresAreReported)
{
    EXPECT_EQ(WritePackage("missing\\room.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::CannotCreate);

    const std::string full = FullDevice();
    if (!FileHandle::OpenForSharedRead(full).IsOpen()) {
        GTEST_SKIP() << "no full device here";
    }
    PutImage(TestBanks.WorkBase[0], MakeImage(SlotSize, 8, 6));
    EXPECT_EQ(WritePackage(full, TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::WriteFailed);
}
} // namespace
