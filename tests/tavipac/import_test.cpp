// import and convert --fit: pictures made parts of a package's room, the
// files the editor's drop writes (the same code writes both).
#include "core/picture/bmp_builder.h"
#include "core/picture/image_codec.h"
#include "core/picture/picture_shrinking.h"
#include "core/part_files.h"
#include "tavipac_test_support.h"

namespace {

using TavipacImport = TavipacFolder;

const std::string Umi = Utf8(u8"部屋/umi.pac");

// A full-colour picture, cut out outside an ellipse when transparent.
std::vector<std::uint8_t> Picture(int width, int height, bool transparent)
{
    RgbaImage picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width / 2.0);
            const double dy = (y - height / 2.0) / (height / 2.0);
            const bool inside = !transparent || dx * dx + dy * dy <= 1;
            picture.pixels.push_back(
                (inside ? 0xFF000000u : 0u) | static_cast<std::uint32_t>(x * 2 % 256) << 16 |
                static_cast<std::uint32_t>(y * 3 % 256) << 8 | static_cast<std::uint32_t>(x * y % 256));
        }
    }
    return EncodePng(picture);
}

std::string Collected(int number, const std::string &entry)
{
    return PartsCollectionFolder + CollectionFileName(number, entry);
}

// What convert makes of the picture.
std::vector<std::uint8_t> Converted(const std::string &picture, std::vector<std::string> options = {})
{
    std::vector<std::string> arguments = {"convert", picture, "-o", "converted.bmp", "--force"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    EXPECT_EQ(Tavipac(arguments).exitCode, 0);
    return FileBytes("converted.bmp");
}

} // namespace

TEST_F(TavipacImport, WritesTheGroupsOfThePicturesByTheirNamesAndNeverReplacesAFile)
{
    WriteBytes("08bed.png", Picture(120, 80, true));
    WriteBytes("05door.png", Picture(40, 90, false));
    WriteBytes("25door.png", Picture(40, 90, true));
    WriteBytes("06door.png", Picture(30, 60, false));
    const std::vector<std::uint8_t> package = SamplePackage("umi.pac");

    TavipacRun run = Tavipac({"import", Umi, "08bed.png", "05door.png", "25door.png", "06door.png"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("choose door.BMP for slot 5\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("choose bed.BMP for slot 8\n"), std::string::npos) << run.out;
    // The picture as convert makes it; its mask from its transparency, or
    // from the mask picture; the other slots as the package holds them.
    EXPECT_EQ(FileBytes(Collected(8, "bed.BMP")), Converted("08bed.png"));
    EXPECT_EQ(FileBytes(Collected(28, "bed.BMP")), Converted("08bed.png", {"--mask"}));
    EXPECT_EQ(FileBytes(Collected(9, "bed.BMP")), RecordBytes(package, 9));
    EXPECT_EQ(FileBytes(Collected(29, "bed.BMP")), RecordBytes(package, 29));
    EXPECT_EQ(FileBytes(Collected(5, "door.BMP")), Converted("05door.png"));
    EXPECT_EQ(FileBytes(Collected(25, "door.BMP")), Converted("25door.png", {"--mask"}));
    EXPECT_EQ(FileBytes(Collected(6, "door.BMP")), Converted("06door.png"));
    EXPECT_EQ(FileBytes(Collected(26, "door.BMP")), RecordBytes(package, 26))
        << "an opaque picture keeps the mask";
    EXPECT_EQ(FileBytes(Collected(7, "door.BMP")), RecordBytes(package, 7));

    // A stem already taken gets a number; what was there stays.
    WriteBytes(Collected(9, "bed-2.BMP"), {'x'});
    run = Tavipac({"import", Umi, "08bed.png"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("choose bed-3.BMP for slot 8\n"), std::string::npos) << run.out;
    EXPECT_EQ(FileBytes(Collected(9, "bed-2.BMP")), std::vector<std::uint8_t>{'x'});
    EXPECT_FALSE(FileExists(Collected(8, "bed-2.BMP")));
    EXPECT_EQ(FileBytes(Collected(8, "bed-3.BMP")), Converted("08bed.png"));
}

TEST_F(TavipacImport, LeavesOutWhatCannotBeImportedAndShrinksOnRequest)
{
    WriteBytes("notes.txt", {'h', 'i'});
    WriteBytes("14nothing.png", Picture(10, 10, false));
    std::vector<std::uint8_t> broken = Picture(50, 50, false);
    broken.resize(broken.size() / 2);
    WriteBytes("12table.png", broken);
    WriteBytes("04big.png", Picture(640, 480, false));
    TavipacRun run = Tavipac({"import", Umi, "notes.txt", "14nothing.png", "12table.png", "04big.png"});
    EXPECT_EQ(run.exitCode, 2);
    for (const char *named :
         {"notes.txt: no slot", "14nothing.png: no slot", "12table.png: cannot read the image",
          "04big.png is too large for a slot (use --fit"})
        EXPECT_NE(run.err.find(named), std::string::npos) << named << "\n" << run.err;
    EXPECT_FALSE(FileExists(PartsCollectionFolder)) << "nothing written";

    run = Tavipac({"import", Umi, "04big.png", "--fit"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::uint8_t> room = FileBytes(Collected(4, "big.BMP"));
    EXPECT_EQ(GetU32(room, 18), 320u);
    EXPECT_EQ(GetU32(room, 22), 240u);
    EXPECT_EQ(room, Converted("04big.png", {"--fit"}));
    EXPECT_EQ(FileBytes(Collected(24, "big.BMP")), RecordBytes(SamplePackage("umi.pac"), 24));

    // Onto a slot, whatever the name says; the slot's mask by its number.
    WriteBytes("32anything.png", Picture(20, 20, false));
    run = Tavipac({"import", Umi, "notes.txt", "32anything.png", "--slot", "12"});
    EXPECT_EQ(run.exitCode, 2) << "notes.txt is no picture";
    EXPECT_EQ(FileBytes(Collected(32, "anything.BMP")), Converted("32anything.png", {"--mask"}));
    EXPECT_EQ(FileBytes(Collected(12, "anything.BMP")), RecordBytes(SamplePackage("umi.pac"), 12));
    EXPECT_EQ(Tavipac({"import", Umi, "32anything.png", "--slot", "14"}).exitCode, 2);

    // The largest size that fits keeps the proportions, the longer side
    // deciding, the shorter never below one pixel.
    EXPECT_EQ(FittingSize({640, 480}).width, 320);
    EXPECT_EQ(FittingSize({1, 100000}).height, 19200);
    EXPECT_EQ(FittingSize({100000, 3}).height, 1);
}
