// info, check and list on the sample rooms and on damaged packages.
#include "tavipac_test_support.h"

namespace {

const std::string Umi = Utf8(u8"部屋/umi.pac");
const std::string Bad = Utf8(u8"部屋/bad.pac");

class TavipacPackages : public TavipacFolder {
  protected:
    // Writes umi.pac changed by change as bad.pac.
    template <class Change> void WriteBadPackage(Change change)
    {
        std::vector<std::uint8_t> package = SamplePackage("umi.pac");
        change(package);
        WriteBytes(RoomFolder + "bad.pac", package);
    }
};

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(TavipacPackages, InfoShowsFlagsTextsAndEveryRecord)
{
    const TavipacRun run = Tavipac({"info", Umi});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "flag byte 16: 1\nflag byte 19: 0\nroom list: yes\ncompose list: yes\n"));
    EXPECT_TRUE(Contains(run.out, Utf8(u8"name: うみべの部屋\n")));
    EXPECT_TRUE(Contains(run.out, Utf8(u8"remarks: 海の見える青い部屋です。\\r\\n夜は星がきれいです。\n")));
    EXPECT_TRUE(Contains(run.out, "\n04   04   base     77878      77878     320     240     8\n"));
    EXPECT_TRUE(Contains(run.out, "\n39   19   mask     77878      77878     320     240     8\n"));
    EXPECT_FALSE(Contains(run.out, "problem:"));

    const TavipacRun json = Tavipac({"info", "--json", Umi});
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_TRUE(
        Contains(json.out, "\"flagByte16\":1,\"flagByte19\":0,\"roomList\":true,\"composeList\":true"));
    EXPECT_TRUE(
        Contains(json.out, Utf8(u8"\"remarks\":\"海の見える青い部屋です。\\r\\n夜は星がきれいです。\"")));
    EXPECT_TRUE(Contains(json.out,
                         "{\"number\":39,\"slot\":19,\"kind\":\"mask\",\"present\":true,\"recordSize\":77878,"
                         "\"fileSize\":77878,\"width\":320,\"height\":240,\"bitCount\":8,\"problems\":[]}]"));
}

TEST_F(TavipacPackages, CheckNamesEachRecordProblemAndExitsWithOne)
{
    WriteBadPackage([](std::vector<std::uint8_t> &package) {
        PutU32(package, RecordOffset(package, 5) + 4 + 2, 7000); // the image's file-size field
        PutU16(package, RecordOffset(package, 3) + 4 + 28, 24);  // bit count
        PutU32(package, RecordOffset(package, 10) + 4 + 22, 41); // one row more than the record holds
        package[16] = 0;
        package[19] = 1;
    });
    const TavipacRun run = Tavipac({"check", Bad, Umi});
    EXPECT_EQ(run.exitCode, 1);
    const std::string shown = Shown(u8"部屋/bad.pac: ");
    EXPECT_TRUE(
        Contains(run.out, shown + "No.05 base: record size 7222 differs from the image's file size 7000\n"));
    EXPECT_TRUE(Contains(run.out, shown + "No.03 base: not 8-bit (24 bits per pixel)\n"));
    EXPECT_TRUE(
        Contains(run.out, shown + "No.10 base: pixel rows do not fit: the image needs 3046 bytes, the record "
                                  "holds 2998\n"));
    EXPECT_TRUE(Contains(run.out, Shown(u8"部屋/umi.pac: ok\n")));
    EXPECT_FALSE(Contains(run.out, "not a room")) << "flag byte 19 alone makes a room for the room list";

    const TavipacRun info = Tavipac({"info", Bad});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_TRUE(Contains(info.out, "flag byte 16: 0\nflag byte 19: 1\nroom list: yes\ncompose list: no\n"));
}

TEST_F(TavipacPackages, CheckFindsOversizedCutAndOverlongFiles)
{
    WriteBadPackage([](std::vector<std::uint8_t> &package) {
        const std::size_t offset = RecordOffset(package, 20);
        PutU32(package, offset, 80000);
        package.insert(package.begin() + static_cast<std::ptrdiff_t>(offset + 4 + 77878), 80000 - 77878, 0);
        package.push_back(0);
        package.push_back(0);
    });
    TavipacRun run = Tavipac({"check", Bad});
    EXPECT_EQ(run.exitCode, 1);
    const std::string shown = Shown(u8"部屋/bad.pac: ");
    EXPECT_TRUE(
        Contains(run.out, shown + "No.20 mask (slot 00): record of 80000 bytes is larger than a slot (77880 "
                                  "bytes); the editor skips it\n"));
    EXPECT_TRUE(Contains(run.out, shown + "2 bytes after the last record\n"));

    WriteBadPackage(
        [](std::vector<std::uint8_t> &package) { package.resize(RecordOffset(package, 12) + 100); });
    run = Tavipac({"check", Bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        Contains(run.out, shown + "No.12 base: cut short: the file ends after 96 of its 5558 bytes\n"));

    WriteBadPackage([](std::vector<std::uint8_t> &package) { package.resize(RecordOffset(package, 30)); });
    run = Tavipac({"check", Bad});
    EXPECT_TRUE(Contains(run.out, shown + "the file ends before record No.30\n"));

    WriteBadPackage([](std::vector<std::uint8_t> &package) { package.resize(100); });
    run = Tavipac({"check", Bad});
    EXPECT_TRUE(Contains(run.out, shown + "the header is cut short: 100 of 1056 bytes\n"));

    run = Tavipac({"check", "missing.pac"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "tavipac check: cannot open missing.pac\n");
}

TEST_F(TavipacPackages, ListUsesTheEditorsPackageFolderAndShowsBothTests)
{
    WriteBadPackage([](std::vector<std::uint8_t> &package) {
        package[16] = 0;
        package[19] = 1;
    });
    WriteBytes(RoomFolder + "plain.pac", {1, 2, 3});
    const TavipacRun run = Tavipac({"list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, Utf8(u8"yes   no       bad.pac  うみべの部屋\n")));
    EXPECT_TRUE(Contains(run.out, Utf8(u8"no    no       plain.pac  \n")));
    EXPECT_TRUE(Contains(run.out, Utf8(u8"yes   yes      umi.pac  うみべの部屋\n")));
    EXPECT_LT(run.out.find("bad.pac"), run.out.find("mori.pac"));

    EXPECT_EQ(Tavipac({"list", "elsewhere"}).out, "folder: " + Shown(u8"elsewhere/") + "\nno .pac files\n");
}

} // namespace
