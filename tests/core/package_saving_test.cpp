#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "part_file_support.h"
#include "store/file_system.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "core/compose_choices.h"
#include "core/package_saving.h"

namespace {

const std::string PackageFolder = "部屋\\";
const PackageTexts NewTexts{"新しい部屋", "備考\r\n二行目", "作者"};

class PackageSaving : public ::testing::Test {
  protected:
    void SetUp() override
    {
        CreateFolder(PackageFolder);
        for (std::size_t i = 0; i < SlotCount; ++i) {
            Put(TestBanks.WorkBase[i], ImageBytes(static_cast<std::uint32_t>(900 + i), 8, 1));
            Put(TestBanks.WorkMask[i], ImageBytes(static_cast<std::uint32_t>(500 + i), 8, 2));
        }
        TestHeader.bytes.fill(0x5A);
        SetHeaderText(TestHeader, NameText, "old name");
        headerBefore_ = TestHeader;
    }

    static void Put(PartSlot &slot, const std::vector<std::uint8_t> &image)
    {
        std::memcpy(slot.bytes.data(), image.data(), image.size());
    }

    // The package the working banks make under the header as it is now.
    static std::vector<std::uint8_t> PackageBytes()
    {
        std::vector<std::uint8_t> bytes(TestHeader.bytes.begin(), TestHeader.bytes.end());
        for (const PartBank *bank : {&TestBanks.WorkBase, &TestBanks.WorkMask})
            for (const PartSlot &slot : *bank) {
                const std::uint32_t size = FileSize(slot);
                for (int i = 0; i < 4; ++i)
                    bytes.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
                bytes.insert(bytes.end(), slot.bytes.begin(), slot.bytes.begin() + size);
            }
        return bytes;
    }

    static std::vector<std::string> FolderContents()
    {
        std::vector<std::string> names;
        for (const FoundEntry &entry : FindEntries(PackageFolder + "*"))
            names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::uint8_t> BankBytes(const PartBank &bank)
    {
        const auto *first = bank.front().bytes.data();
        return {first, first + sizeof(PartBank)};
    }

    static bool SavedBanksAreWorkingBanks()
    {
        return BankBytes(TestBanks.SavedBase) == BankBytes(TestBanks.WorkBase) &&
               BankBytes(TestBanks.SavedMask) == BankBytes(TestBanks.WorkMask);
    }

    ScratchFolder scratch_;
    PackageHeaderBlock headerBefore_;
    const std::vector<std::uint8_t> oldPackage_ = {1, 2, 3, 4};
    const std::vector<std::uint8_t> olderBackup_ = {9, 8, 7};
};

} // namespace

TEST_F(PackageSaving, PathsAreThePlainConcatenations)
{
    EXPECT_EQ(PackageFileName("abc"), "abc.pac");
    EXPECT_EQ(PackagePath(PackageFolder, "abc.pac"), PackageFolder + "abc.pac.pac");
    EXPECT_EQ(BackupPath(PackageFolder, "abc"), PackageFolder + "abc.bak");
}

TEST_F(PackageSaving, ANewNameFillsThePlaceholder)
{
    ASSERT_TRUE(CreateEmptyPackageFile(PackagePath(PackageFolder, "new")));
    EXPECT_FALSE(CreateEmptyPackageFile(PackagePath(PackageFolder, "new")));

    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "new", PackageTarget::EmptyPlaceholder, NewTexts),
        PackageSaveOutcome::Saved);

    EXPECT_EQ(GetHeaderText(TestHeader, NameText), NewTexts.name);
    EXPECT_EQ(GetHeaderText(TestHeader, RemarksText), NewTexts.remarks);
    EXPECT_EQ(GetHeaderText(TestHeader, AuthorText), NewTexts.author);
    EXPECT_EQ(ReadWholeFile(PackagePath(PackageFolder, "new")), PackageBytes());
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"new.pac"});
    EXPECT_TRUE(SavedBanksAreWorkingBanks());
}

TEST_F(PackageSaving, OverwritingKeepsTheOldPackageAsTheOnlyBackup)
{
    WriteWholeFile(PackagePath(PackageFolder, "abc"), oldPackage_);
    WriteWholeFile(BackupPath(PackageFolder, "abc"), olderBackup_);
    WriteWholeFile(PackageFolder + "abc.tavi-tmp", {5});
    ASSERT_FALSE(CreateEmptyPackageFile(PackagePath(PackageFolder, "abc")));

    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "abc", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::Saved);

    EXPECT_EQ(ReadWholeFile(PackagePath(PackageFolder, "abc")), PackageBytes());
    EXPECT_EQ(ReadWholeFile(BackupPath(PackageFolder, "abc")), oldPackage_);
    EXPECT_EQ(ReadWholeFile(PackageFolder + "abc.tavi-tmp"), std::vector<std::uint8_t>{5});
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac", "abc.tavi-tmp"}));
    EXPECT_TRUE(SavedBanksAreWorkingBanks());
}

TEST_F(PackageSaving, OverwritingWithoutAnOlderBackupOrAnOldPackage)
{
    WriteWholeFile(PackagePath(PackageFolder, "abc"), oldPackage_);
    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "abc", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::Saved);
    EXPECT_EQ(ReadWholeFile(BackupPath(PackageFolder, "abc")), oldPackage_);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac"}));

    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "gone", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::Saved);
    EXPECT_EQ(ReadWholeFile(PackagePath(PackageFolder, "gone")), PackageBytes());
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac", "gone.pac"}));
}

TEST_F(PackageSaving, AFailedWriteChangesNoFileAndNoHeaderByte)
{
    WriteWholeFile(PackagePath(PackageFolder, "abc"), oldPackage_);
    WriteWholeFile(BackupPath(PackageFolder, "abc"), olderBackup_);
    std::memcpy(TestBanks.WorkMask[9].bytes.data(), ImageBytesClaiming(77881, 100, 3).data(), 100);
    const std::vector<std::uint8_t> savedBefore = BankBytes(TestBanks.SavedBase);

    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "abc", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::WriteFailed);
    EXPECT_EQ(ReadWholeFile(PackagePath(PackageFolder, "abc")), oldPackage_);
    EXPECT_EQ(ReadWholeFile(BackupPath(PackageFolder, "abc")), olderBackup_);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac"}));

    ASSERT_TRUE(CreateEmptyPackageFile(PackagePath(PackageFolder, "new")));
    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "new", PackageTarget::EmptyPlaceholder, NewTexts),
        PackageSaveOutcome::WriteFailed);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac"}));

    EXPECT_EQ(TestHeader.bytes, headerBefore_.bytes);
    EXPECT_EQ(BankBytes(TestBanks.SavedBase), savedBefore);
}

TEST_F(PackageSaving, AFolderInTheWayIsNeverMoved)
{
    ASSERT_TRUE(CreateFolder(PackagePath(PackageFolder, "dir")));
    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "dir", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::CannotReplace);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"dir.pac"});
    EXPECT_TRUE(FindEntries(PackagePath(PackageFolder, "dir")).at(0).isFolder);

    WriteWholeFile(PackagePath(PackageFolder, "abc"), oldPackage_);
    ASSERT_TRUE(CreateFolder(BackupPath(PackageFolder, "abc")));
    WriteWholeFile(BackupPath(PackageFolder, "abc") + "\\keep.txt", olderBackup_);

    EXPECT_EQ(
        SavePackage(TestBanks, TestHeader, PackageFolder, "abc", PackageTarget::ExistingPackage, NewTexts),
        PackageSaveOutcome::CannotReplace);

    EXPECT_EQ(ReadWholeFile(PackagePath(PackageFolder, "abc")), oldPackage_);
    EXPECT_EQ(ReadWholeFile(BackupPath(PackageFolder, "abc") + "\\keep.txt"), olderBackup_);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"abc.bak", "abc.pac", "dir.pac"}));
    EXPECT_EQ(TestHeader.bytes, headerBefore_.bytes);
}

TEST_F(PackageSaving, AMissingPackageFolderIsReportedAndLeftMissing)
{
    const std::string missing = "へや\\";
    EXPECT_FALSE(CreateEmptyPackageFile(PackagePath(missing, "abc")));

    EXPECT_EQ(SavePackage(TestBanks, TestHeader, missing, "abc", PackageTarget::ExistingPackage, NewTexts),
              PackageSaveOutcome::CannotCreate);

    EXPECT_EQ(TestHeader.bytes, headerBefore_.bytes);
    EXPECT_TRUE(FindEntries("へや").empty());
    EXPECT_FALSE(SavedBanksAreWorkingBanks());
}

TEST_F(PackageSaving, TheComposeDialogOffersThePackagesThatPassTheComposeTest)
{
    std::vector<std::uint8_t> composable(40, 0);
    composable[16] = 1;
    std::vector<std::uint8_t> listedOnly(40, 0);
    listedOnly[19] = 1;
    WriteWholeFile(PackageFolder + "a.pac", composable);
    WriteWholeFile(PackageFolder + "B.PAC", composable);
    WriteWholeFile(PackageFolder + "c.pac", listedOnly);
    WriteWholeFile(PackageFolder + "d.bak", composable);
    WriteWholeFile(PackageFolder + "e.pac", {0, 1});
    CreateFolder(PackageFolder + "f.pac");

    std::vector<std::string> choices = ComposeNameChoices(PackageFolder);
    std::sort(choices.begin(), choices.end());
    EXPECT_EQ(choices, (std::vector<std::string>{"B", "a"}));
    EXPECT_TRUE(ComposeNameChoices("へや\\").empty());

    EXPECT_EQ(InitialComposeName("abc.pac"), "abc");
    EXPECT_EQ(InitialComposeName(".pac"), "");
    EXPECT_EQ(InitialComposeName("pac"), "");
}
