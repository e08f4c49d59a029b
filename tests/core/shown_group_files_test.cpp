#include <cstring>

#include <gtest/gtest.h>

#include "core/import/shown_group_files.h"
#include "core/part_files.h"
#include "core/part_loading.h"
#include "core/picture/bmp_builder.h"
#include "part_file_support.h"
#include "store/file_system.h"

namespace {

const std::string Folder = PartsCollectionFolder;
const PartGroup &Bed = *GroupOfSlot(8);
const std::vector<std::string> BedFiles = {"08", "28", "09", "29"};

std::vector<std::uint8_t> Picture(std::uint8_t colour)
{
    return BuildBmp8(6, 4, {0x000000, 0xFFFFFF, 0x30A050}, std::vector<std::uint8_t>(24, colour));
}

void Show(PartSlot &slot, const std::vector<std::uint8_t> &image)
{
    std::memcpy(slot.bytes.data(), image.data(), image.size());
}

// The bed's two slots and their masks, the last one in the colour given.
void ShowBed(std::uint8_t colour)
{
    Show(TestBanks.WorkBase[8], Picture(2));
    Show(TestBanks.WorkBase[9], Picture(1));
    Show(TestBanks.WorkMask[8], Picture(0));
    Show(TestBanks.WorkMask[9], Picture(colour));
}

// Whether the bed's files under the entry hold exactly the shown bed.
bool HoldShownBed(const std::string &entry)
{
    for (const std::string &number : BedFiles) {
        const int slot = std::stoi(number) % MaskNumberOffset;
        const PartBank &bank = number[0] >= '2' ? TestBanks.WorkMask : TestBanks.WorkBase;
        const PartSlot &shown = bank[static_cast<std::size_t>(slot)];
        const std::vector<std::uint8_t> image(shown.bytes.begin(), shown.bytes.begin() + FileSize(shown));
        if (ReadWholeFile(Folder + number + entry) != image)
            return false;
    }
    return true;
}

} // namespace

TEST(ShownGroupFiles, GoUnderTheRoomsNameAndAreUsedAgainWhileTheyHoldTheShownParts)
{
    ScratchFolder scratch;
    ShowBed(2);

    const ShownGroupEntry first = EntryOfShownGroup(TestBanks, Bed, "", "mori.", Folder);
    EXPECT_EQ(first.entryText, "mori.BMP");
    EXPECT_FALSE(first.notWritten);
    EXPECT_TRUE(HoldShownBed("mori.BMP"));
    EXPECT_EQ(FindEntries(Folder + "*").size(), 4u);

    EXPECT_TRUE(EntryHoldsShownGroup(TestBanks, Bed, "mori.BMP", Folder));
    EXPECT_FALSE(EntryHoldsShownGroup(TestBanks, Bed, "", Folder));
    EXPECT_EQ(EntryOfShownGroup(TestBanks, Bed, "", "mori.", Folder).entryText, "mori.BMP");
    EXPECT_EQ(EntryOfShownGroup(TestBanks, Bed, "MORI.BMP", "other.", Folder).entryText, "MORI.BMP");
    EXPECT_EQ(FindEntries(Folder + "*").size(), 4u);
}

TEST(ShownGroupFiles, TakeANumberWhereFilesOfTheNameHoldAnythingElseAndOverwriteNothing)
{
    ScratchFolder scratch;
    ShowBed(2);
    ASSERT_TRUE(CreateFolder(Folder));
    WriteWholeFile(Folder + "29mori.BMP", {1, 2, 3});

    EXPECT_EQ(EntryOfShownGroup(TestBanks, Bed, "", "mori.", Folder).entryText, "mori-2.BMP");
    EXPECT_TRUE(HoldShownBed("mori-2.BMP"));
    EXPECT_EQ(ReadWholeFile(Folder + "29mori.BMP"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(ReadWholeFile(Folder + "08mori.BMP"));

    // The chosen entry's files no longer hold what the bed shows.
    ShowBed(1);
    EXPECT_FALSE(EntryHoldsShownGroup(TestBanks, Bed, "mori-2.BMP", Folder));
    EXPECT_EQ(EntryOfShownGroup(TestBanks, Bed, "mori-2.BMP", "mori.", Folder).entryText, "mori-3.BMP");
    EXPECT_TRUE(HoldShownBed("mori-3.BMP"));
    ShowBed(2);
    EXPECT_TRUE(HoldShownBed("mori-2.BMP"));
    EXPECT_EQ(FindEntries(Folder + "*").size(), 9u);

    // A file where the folder should be: nothing can be written.
    WriteWholeFile("blocked", {1});
    const ShownGroupEntry blocked = EntryOfShownGroup(TestBanks, Bed, "", "mori.", "blocked\\");
    EXPECT_EQ(blocked.notWritten, "08mori.BMP");
    EXPECT_EQ(blocked.entryText, "");
}

TEST(ShownGroupFiles, OfAnotherLayoutHoldWhatTheyLoadTo)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CreateFolder(Folder));
    BmpImage topDown{6, 4, 8, true, {0x000000, 0xFFFFFF, 0x30A050}, {}};
    topDown.pixels.assign(24, 2);
    for (const std::string &number : BedFiles)
        WriteWholeFile(Folder + number + "mine.bmp", BuildBmpFile(topDown));
    for (const int slot : Bed.ExportOrder())
        LoadPartFromCollectionFiles(TestBanks, slot, "mine.bmp", PartsFolder(Folder));
    const PartSlot &shown = TestBanks.WorkBase[8];
    ASSERT_NE(std::vector<std::uint8_t>(shown.bytes.begin(), shown.bytes.begin() + FileSize(shown)),
              BuildBmpFile(topDown))
        << "the rows are stored bottom-up in the slot";

    EXPECT_EQ(EntryOfShownGroup(TestBanks, Bed, "mine.bmp", "mori.", Folder).entryText, "mine.bmp");
    EXPECT_EQ(FindEntries(Folder + "*").size(), 4u);
}
