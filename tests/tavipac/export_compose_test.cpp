// export and compose against the editor's own export and package writer.
#include <algorithm>

#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "tavipac_test_support.h"
#include "core/picture/bmp_builder.h"
#include "core/part_files.h"
#include "core/part_loading.h"
#include "core/slot_map.h"

namespace {

const PartsFolder Collection(PartsCollectionFolder);

// The editor's banks and header, as the test's own.
ImageBanks TestBanks;
PackageHeaderBlock TestHeader;

const std::string Umi = Utf8(u8"部屋/umi.pac");
const std::string NewPackage = Utf8(u8"部屋/new.pac");
const std::string NewPackagePath = "部屋\\new.pac";

class NoReports : public PackageReadReporter {
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

// What the editor holds after selecting and displaying a package.
void LoadAsTheEditorDoes(const std::string &path)
{
    FileHandle file = FileHandle::OpenForSharedRead(path);
    NoReports reports;
    ReadPackageHeader(file, TestHeader);
    ReadPackageRecords(file, TestBanks.WorkBase, TestBanks.WorkMask, reports);
    TestBanks.CopyWorkingToSaved();
}

void PutFileIntoSlot(PartSlot &slot, const std::vector<std::uint8_t> &file)
{
    std::copy(file.begin(), file.end(), slot.bytes.begin());
}

std::vector<std::uint8_t> SmallBmp(int width, int height, std::uint32_t colour)
{
    const std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height, 1);
    return BuildBmp8(width, height, {0x000000, colour}, indices);
}

using TavipacExportCompose = TavipacFolder;

TEST_F(TavipacExportCompose, ExportWritesThe38PartFilesOfTheEditor)
{
    const TavipacRun run = Tavipac({"export", Umi});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::uint8_t> package = SamplePackage("umi.pac");
    int files = 0;
    for (int slot = 0; slot < SlotCount; ++slot) {
        for (const int number : {slot, MaskNumber(slot)}) {
            const std::string path = PartsCollectionFolder + ExportFileName(number, "umi.");
            if (slot == 14) {
                EXPECT_FALSE(FileExists(path)) << number;
                continue;
            }
            EXPECT_EQ(FileBytes(path), RecordBytes(package, number)) << number;
            EXPECT_NE(run.out.find(Shown(u8"部屋の部品集/") + ExportFileName(number, "umi.")),
                      std::string::npos)
                << number;
            ++files;
        }
    }
    EXPECT_EQ(files, 38);
    EXPECT_TRUE(FileExists("部屋の部品集\\00umi.BMP")) << "the package name's dot stays, then BMP";

    ASSERT_TRUE(CreateFolder("other"));
    ASSERT_EQ(Tavipac({"export", Umi, "--workdir", "other"}).exitCode, 0);
    EXPECT_EQ(FileBytes("other\\部屋の部品集\\39umi.BMP"), RecordBytes(package, 39));
}

TEST_F(TavipacExportCompose, ComposeWritesWhatTheEditorsWriterWrites)
{
    ASSERT_EQ(Tavipac({"export", Utf8(u8"部屋/mori.pac")}).exitCode, 0);
    WriteBytes("table.bmp", SmallBmp(30, 20, 0x3366CC));
    WriteBytes("tablemask.bmp", SmallBmp(30, 20, 0xFFFFFF));
    const std::string longName(300, 'n');
    const TavipacRun run = Tavipac({"compose", Umi, "-o", NewPackage, "--part", "5=mori.BMP", "--part",
                                    "16=mori.BMP", "--base", "12=table.bmp", "--mask", "12=tablemask.bmp",
                                    "--name", longName, "--remarks", Utf8(u8"一行目\n二行目")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "wrote " + Shown(u8"部屋/new.pac") + "\n");

    LoadAsTheEditorDoes("部屋\\umi.pac");
    for (const int key : {5, 16}) {
        for (const int slot : SlotGroupTable(key)) {
            ASSERT_EQ(LoadPartFromCollectionFiles(TestBanks, slot, "mori.BMP", Collection).outcome,
                      PartLoadOutcome::Loaded);
        }
    }
    PutFileIntoSlot(TestBanks.WorkBase[12], FileBytes("table.bmp"));
    PutFileIntoSlot(TestBanks.WorkMask[12], FileBytes("tablemask.bmp"));
    SetHeaderText(TestHeader, NameText, std::string(255, 'n'));
    SetHeaderText(TestHeader, RemarksText, "一行目\r\n二行目");
    ASSERT_EQ(WritePackage("expected.pac", TestHeader, TestBanks.WorkBase, TestBanks.WorkMask),
              WriteResult::Written);
    EXPECT_EQ(FileBytes(NewPackagePath), FileBytes("expected.pac"));

    const std::vector<std::uint8_t> composed = FileBytes(NewPackagePath);
    EXPECT_EQ(RecordBytes(composed, 6), RecordBytes(SamplePackage("mori.pac"), 6));
    EXPECT_EQ(RecordBytes(composed, 0), RecordBytes(SamplePackage("umi.pac"), 0));
}

TEST_F(TavipacExportCompose, ComposeTakesPartFilesInOtherLayoutsInTheSlotLayout)
{
    BmpImage table{30, 20, 8, true, {0x000000, 0x3366CC, 0xFFFFFF}, {}};
    for (std::uint32_t i = 0; i < 600; ++i)
        table.pixels.push_back(i / 30 % 3);
    WriteBytes("table.bmp", BuildBmpFile(table));
    ASSERT_EQ(Tavipac({"compose", Umi, "-o", NewPackage, "--base", "12=table.bmp", "--mask", "12=table.bmp"})
                  .exitCode,
              0);
    table.topDown = false;
    EXPECT_EQ(RecordBytes(FileBytes(NewPackagePath), 12), BuildBmpFile(table));
    EXPECT_EQ(RecordBytes(FileBytes(NewPackagePath), 32), BuildBmpFile(table));

    // Run-length encoded, 400 x 300: a small file, too large for a slot.
    std::vector<std::uint8_t> large = BuildBmpFile({400, 300, 8, false, {}, {}});
    large.resize(1078);
    large.insert(large.end(), {0, 1});
    PutU32(large, 2, static_cast<std::uint32_t>(large.size()));
    PutU32(large, 30, 1);
    WriteBytes("large.bmp", large);
    const TavipacRun run = Tavipac({"compose", Umi, "-o", NewPackage, "--force", "--mask", "12=large.bmp"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("large.bmp is not a BMP file that fits a slot (77880 bytes)"), std::string::npos)
        << run.err;
}

TEST_F(TavipacExportCompose, ComposeCutsTextsAsTheComposeDialog)
{
    const std::string name = std::string(254, 'a') + Utf8(u8"あ");
    ASSERT_EQ(Tavipac({"compose", Umi, "-o", NewPackage, "--name", name, "--author", ""}).exitCode, 0);
    const std::vector<std::uint8_t> header = FileBytes(NewPackagePath);
    EXPECT_EQ(header[32], 254) << "a two-byte character that would open at byte 254 is left out";
    EXPECT_EQ(header[544], 0);
    const std::vector<std::uint8_t> umi = SamplePackage("umi.pac");
    EXPECT_TRUE(std::equal(umi.begin() + 288, umi.begin() + 544, header.begin() + 288)) << "remarks kept";
}

TEST_F(TavipacExportCompose, ComposeNeverReplacesAFileWithoutForce)
{
    ASSERT_EQ(Tavipac({"compose", Umi, "-o", NewPackage}).exitCode, 0);
    const std::vector<std::uint8_t> first = FileBytes(NewPackagePath);

    TavipacRun run = Tavipac({"compose", Umi, "-o", NewPackage, "--name", "second"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("exists already; use --force"), std::string::npos) << run.err;
    EXPECT_EQ(FileBytes(NewPackagePath), first);
    EXPECT_FALSE(FileExists("部屋\\new.bak"));

    run = Tavipac({"compose", Umi, "-o", NewPackage, "--name", "second", "--force"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(FileBytes("部屋\\new.bak"), first);
    EXPECT_EQ(FileBytes(NewPackagePath)[32], 6);
    EXPECT_TRUE(FindEntries("部屋\\*.tavi-*").empty()) << "no temporary file is left";
}

TEST_F(TavipacExportCompose, ComposeRefusesWhatItCannotWrite)
{
    const std::string emoji = Utf8(u8"部屋/emoji.pac");
    TavipacRun run = Tavipac({"compose", Umi, "-o", emoji, "--author", Utf8(u8"作者😀")});
    EXPECT_EQ(run.exitCode, 2);
    const std::string refusal =
        Utf8(u8"the character '😀' (U+1F600) in the author text cannot be written in code page 932");
    EXPECT_NE(run.err.find(refusal), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists("部屋\\emoji.pac"));

    run = Tavipac({"compose", Umi, "-o", emoji, "--part", "5=nothing.BMP"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("07nothing.BMP was not found"), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists("部屋\\emoji.pac"));

    EXPECT_EQ(Tavipac({"compose", Umi, "-o", "out.bin"}).exitCode, 2);
    EXPECT_EQ(Tavipac({"compose", Umi, "-o", NewPackage, "--part", "6=mori.BMP"}).exitCode, 2);
    EXPECT_EQ(Tavipac({"compose", Umi, "-o", NewPackage, "--name", "two\nlines"}).exitCode, 2);
    WriteBytes("deep.bmp", BuildBmpFile({4, 4, 24, false, {}, std::vector<std::uint32_t>(16, 0xFFFFFF)}));
    run = Tavipac({"compose", Umi, "-o", NewPackage, "--base", "3=deep.bmp"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("is not an 8-bit (256-colour) image"), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists(NewPackagePath));
}

} // namespace
