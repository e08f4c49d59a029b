#include <gtest/gtest.h>

#include "store/file_system.h"
#include "store/room_tests.h"
#include "store_test_support.h"

namespace {
class RoomTestsTest : public testing::Test {
  protected:
    ScratchFolder scratch;
};

Bytes Head(std::size_t size, std::uint8_t byte16, std::uint8_t byte19)
{
    Bytes head(size, 0);
    if (size > 16) {
        head[16] = byte16;
    }
    if (size > 19) {
        head[19] = byte19;
    }
    return head;
}

struct ProbeCase {
    const char *what;
    Bytes head;
    bool roomList;
    bool composeList;
};

TEST_F(RoomTestsTest, FlagBytesDecideEachTest)
{
    const ProbeCase cases[] = {
        {"16=0 19=1", Head(20, 0, 1), true, false},     {"16=1 19=0", Head(20, 1, 0), true, true},
        {"16=1 19=1", Head(1056, 1, 1), true, true},    {"16=1 19=2", Head(20, 1, 2), true, true},
        {"both 0", Head(20, 0, 0), false, false},       {"both 2", Head(20, 2, 2), false, false},
        {"17 bytes, 16=1", Head(17, 1, 0), true, true}, {"16 bytes", Bytes(16, 1), false, false},
        {"19 bytes of 1", Bytes(19, 1), true, true},    {"empty", Bytes{}, false, false},
    };
    for (const ProbeCase &probe : cases) {
        WriteBytes("room.pac", probe.head);
        EXPECT_EQ(RoomListProbe("room.pac"), probe.roomList) << probe.what;
        EXPECT_EQ(ComposeListProbe("room.pac"), probe.composeList) << probe.what;
    }
}

TEST_F(RoomTestsTest, FoldersAndMissingFilesAreNoRooms)
{
    ASSERT_TRUE(CreateFolder("x.pac"));
    EXPECT_EQ(RoomListProbe("x.pac"), std::nullopt);
    EXPECT_FALSE(ComposeListProbe("x.pac"));
    EXPECT_EQ(RoomListProbe("gone.pac"), std::nullopt);
    EXPECT_FALSE(ComposeListProbe("gone.pac"));
}
} // namespace
