#include <gtest/gtest.h>

#include <algorithm>

#include "store/file_system.h"
#include "store_test_support.h"

namespace {
class FileSystemTest : public testing::Test {
  protected:
    ScratchFolder scratch;
};

std::vector<std::string> NamesFound(const std::string &pattern)
{
    std::vector<std::string> names;
    for (const FoundEntry &entry : FindEntries(pattern)) {
        names.push_back(entry.name + (entry.isFolder ? "\\" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

// 表 and ソ end in the byte of '\', which must not split the name.
TEST_F(FileSystemTest, JapaneseNamesAreCreatedFoundRenamedAndDeleted)
{
    ASSERT_TRUE(CreateFolder("部屋"));
    EXPECT_FALSE(CreateFolder("部屋"));
    WriteBytes("部屋\\表示.pac", Bytes{1, 2, 3});
    WriteBytes("部屋\\ソ.bmp", Bytes{4});
    EXPECT_EQ(NamesFound("*"), Names{"部屋\\"});
    EXPECT_EQ(NamesFound("部屋\\*.pac"), Names{"表示.pac"});
    EXPECT_EQ(NamesFound("部屋\\*"), (Names{"ソ.bmp", "表示.pac"}));
    EXPECT_EQ(NamesFound("部屋\\表?.pac"), Names{"表示.pac"});
    EXPECT_EQ(NamesFound("部屋\\?.pac"), Names{});

    EXPECT_FALSE(RenameFile("部屋\\ソ.bmp", "部屋\\表示.pac", false));
    EXPECT_TRUE(RenameFile("部屋\\表示.pac", "部屋\\へや.pac", false));
    EXPECT_TRUE(RenameFile("部屋\\ソ.bmp", "部屋\\へや.pac", true));
    EXPECT_EQ(NamesFound("部屋\\*"), Names{"へや.pac"});
    EXPECT_EQ(ReadBytes("部屋\\へや.pac"), Bytes{4});

    EXPECT_FALSE(FileHandle::CreateNew("部屋\\へや.pac").IsOpen());
    EXPECT_TRUE(DeleteFileAt("部屋\\へや.pac"));
    EXPECT_FALSE(DeleteFileAt("部屋\\へや.pac"));
    EXPECT_TRUE(FileHandle::CreateNew("部屋\\へや.pac").IsOpen());
}

TEST_F(FileSystemTest, NamesMatchWithoutRegardToLetterCase)
{
    ASSERT_TRUE(CreateFolder("Rooms"));
    WriteBytes("Rooms\\abc.pac", Bytes{7});
    EXPECT_EQ(NamesFound("ROOMS\\ABC.PAC"), Names{"abc.pac"});
    EXPECT_EQ(NamesFound("rooms\\*.PAC"), Names{"abc.pac"});
    EXPECT_EQ(NamesFound("*.*"), Names{"Rooms\\"});
    EXPECT_EQ(ReadBytes("ROOMS\\ABC.PAC"), Bytes{7});
    EXPECT_FALSE(FileHandle::CreateNew("rooms\\ABC.pac").IsOpen());
    EXPECT_FALSE(CreateFolder("ROOMS"));

    WriteBytes("ROOMS\\ABC.PAC", Bytes{8, 9});
    EXPECT_EQ(NamesFound("Rooms\\*"), Names{"abc.pac"});
    EXPECT_EQ(ReadBytes("rooms\\abc.pac"), (Bytes{8, 9}));
    EXPECT_TRUE(DeleteFileAt("rooms\\Abc.Pac"));
    EXPECT_EQ(NamesFound("Rooms\\*"), Names{});
}

TEST_F(FileSystemTest, ReadsDeliverWhatTheFileHoldsAndSkipsMoveOn)
{
    Bytes bytes(100000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 3);
    }
    WriteBytes("data.bin", bytes);

    FileHandle file = FileHandle::OpenForSharedRead("data.bin");
    ASSERT_TRUE(file.IsOpen());
    Bytes got(10, 0xEE);
    EXPECT_EQ(file.Read(got.data(), 2), 2u);
    EXPECT_TRUE(file.Skip(99990));
    EXPECT_EQ(file.Read(got.data(), got.size()), 8u);
    EXPECT_EQ(got[0], bytes[99992]);
    EXPECT_EQ(got[8], 0xEE);
    EXPECT_EQ(file.Read(got.data(), got.size()), 0u);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(file.Read(got.data(), got.size()), 0u);

    FileHandle moved = FileHandle::OpenForSharedRead("data.bin");
    file = std::move(moved);
    EXPECT_FALSE(moved.IsOpen());
    EXPECT_EQ(file.Read(got.data(), 1), 1u);
}

TEST_F(FileSystemTest, NamesThatAreNotCodePage932Fail)
{
    const std::string cutName = "bad\x81";
    EXPECT_FALSE(FileHandle::CreateAlways(cutName).IsOpen());
    EXPECT_FALSE(CreateFolder(cutName));
    EXPECT_TRUE(FindEntries(cutName + "*").empty());
    EXPECT_FALSE(FileHandle::OpenForSharedRead("").IsOpen());
}
} // namespace
