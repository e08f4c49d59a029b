// The lists that follow the folders: the collection's entries by group, the
// copy of a box's entries and what a new listing changes in it, the room
// packages tested once per version of a file, and the group files compared
// after a change.
#include <algorithm>
#include <cctype>

#include <gtest/gtest.h>

#include "core/collection_listing.h"
#include "core/entry_mirror.h"
#include "core/group_files.h"
#include "core/part_files.h"
#include "core/room_listing.h"
#include "part_file_support.h"
#include "store/file_system.h"

namespace {
using Names = std::vector<std::string>;
const std::string Folder = PartsCollectionFolder;
const std::string Rooms = "部屋\\";

Names Sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Letter case aside, as the boxes compare on Windows.
std::string FoldedKey(const std::string &text)
{
    std::string key = text;
    for (char &c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void WritePackage(const std::string &name, std::uint8_t flag)
{
    std::vector<std::uint8_t> head(20, 0);
    head[16] = flag;
    WriteWholeFile(Rooms + name, head);
}
} // namespace

TEST(CollectionListing, OffersTheKeySlotsFilesAndNamesEveryFileOfTheGroup)
{
    ScratchFolder scratch;
    EXPECT_TRUE(ListCollection(Folder)[0].named.empty()) << "no folder yet";
    ASSERT_TRUE(CreateFolder(Folder));
    for (const char *name : {"03ABC.BMP", "03mine.bmp", "19abc.BMP", "23abc.BMP", "39only.bmp", "05door.txt",
                             "14none.bmp", "34none.bmp", "x5door.bmp"})
        WriteWholeFile(Folder + name, {1, 2, 3});
    ASSERT_TRUE(CreateFolder(Folder + "03folder.bmp"));

    const CollectionListing listing = ListCollection(Folder);
    const GroupListing &doorView = listing[2];
    EXPECT_EQ(Sorted(doorView.offered), (Names{"ABC.BMP", "mine.bmp"}));
    EXPECT_EQ(Sorted(doorView.named), (Names{"ABC.BMP", "abc.BMP", "abc.BMP", "mine.bmp", "only.bmp"}));
    for (std::size_t group = 0; group < listing.size(); ++group)
        EXPECT_EQ(listing[group].named.empty(), group != 2) << group;
}

TEST(EntryMirror, AddsWhatIsNewOnceAndRemovesWhatNothingKeeps)
{
    EntryKeys keys(FoldedKey);
    EntryMirror mirror(keys);
    EntryMirror::Changes changes = mirror.Follow({"a.bmp", "B.bmp", "A.BMP"}, {}, {});
    EXPECT_EQ(changes.added, (Names{"a.bmp", "B.bmp"}));
    EXPECT_TRUE(changes.removed.empty());

    // b.bmp is still named (one of its files remains).
    changes = mirror.Follow({"a.bmp", "c.bmp"}, {"b.BMP"}, {});
    EXPECT_EQ(changes.added, Names{"c.bmp"});
    EXPECT_TRUE(changes.removed.empty());
    EXPECT_FALSE(changes.keptForChoice);
    changes = mirror.Follow({"A.bmp"}, {}, "C.bmp");
    EXPECT_TRUE(changes.added.empty()) << "an entry in another letter case is the same";
    EXPECT_EQ(changes.removed, Names{"B.bmp"});
    EXPECT_TRUE(changes.keptForChoice) << "c.bmp stays while it is chosen";
    changes = mirror.Follow({}, {}, {});
    EXPECT_EQ(Sorted(changes.removed), (Names{"a.bmp", "c.bmp"}));
    EXPECT_EQ(mirror.Size(), 0u);
}

TEST(RoomListing, TestsEachVersionOfAFileOnce)
{
    ScratchFolder scratch;
    RoomListing listing;
    EXPECT_TRUE(listing.Update(Rooms).empty()) << "no folder yet";
    ASSERT_TRUE(CreateFolder(Rooms));
    WritePackage("a.pac", 1);
    WritePackage("other.pac", 0);
    ASSERT_TRUE(CreateFolder(Rooms + "dir.pac"));
    EXPECT_EQ(listing.Update(Rooms), Names{"a.pac"});

    // A file rewritten with another size is tested again.
    WriteWholeFile(Rooms + "other.pac", std::vector<std::uint8_t>(17, 1));
    WritePackage("b.pac", 1);
    EXPECT_EQ(Sorted(listing.Update(Rooms)), (Names{"a.pac", "b.pac", "other.pac"}));
    ASSERT_TRUE(DeleteFileAt(Rooms + "a.pac"));
    EXPECT_EQ(Sorted(listing.Update(Rooms)), (Names{"b.pac", "other.pac"}));
}

TEST(GroupFiles, ChangeWhenAFileOfTheGroupChangesAppearsOrGoes)
{
    ScratchFolder scratch;
    ASSERT_TRUE(CreateFolder(Folder));
    for (const char *name : {"08bed.bmp", "09bed.bmp", "28bed.bmp"})
        WriteWholeFile(Folder + name, ImageBytes(200, 8, 1));
    const std::optional<GroupFiles> loaded = GroupFiles::Read(Folder, 8, "bed.bmp");
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->Whole());
    EXPECT_NE(loaded->Open("09bed.bmp"), nullptr) << "loaded from what was read";
    EXPECT_EQ(loaded->Open("29bed.bmp"), nullptr);
    EXPECT_EQ(GroupFiles::Read(Folder, 8, "bed.bmp"), loaded);

    WriteWholeFile(Folder + "09bed.bmp", ImageBytes(200, 8, 2));
    EXPECT_NE(GroupFiles::Read(Folder, 8, "bed.bmp"), loaded);
    WriteWholeFile(Folder + "09bed.bmp", ImageBytes(200, 8, 1));
    EXPECT_EQ(GroupFiles::Read(Folder, 8, "bed.bmp"), loaded);
    WriteWholeFile(Folder + "29bed.bmp", ImageBytes(200, 8, 1));
    EXPECT_NE(GroupFiles::Read(Folder, 8, "bed.bmp"), loaded);
}
