#include "session_fixture.h"

#include <memory>

#include "core/compose_rules.h"
#include "core/import/import_names.h"
#include "core/messages.h"
#include "core/package_saving.h"
#include "core/part_files.h"
#include "core/part_loading.h"
#include "core/picture/bmp_builder.h"
#include "core/picture/image_codec.h"
#include "core/slot_map.h"
#include "store/package_file.h"
#include "tools/samplegen/sample_rooms.h"
#include "web/session/text_forms.h"

namespace {
constexpr int BedSlot = 8;
constexpr int MailboxSlot = 13;
constexpr int MoriIndex = 2;

// A picture whose left half is transparent.
std::vector<std::uint8_t> HalfTransparentPng(int width, int height)
{
    RgbaImage picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(x < width / 2 ? 0x00000000 : 0xFF3366CC);
    return EncodePng(picture);
}

std::size_t FilesIn(const std::filesystem::path &folder)
{
    std::size_t count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

std::string Utf8Literal(const char8_t *text)
{
    return reinterpret_cast<const char *>(text);
}

class NoReports : public PackageReadReporter {
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};
} // namespace

class SessionFilesTest : public SessionTest {
  protected:
    std::filesystem::path Collection() const
    {
        return working_ / std::filesystem::u8path(
                              Utf8(std::string(PartsCollectionFolder, sizeof PartsCollectionFolder - 2)));
    }
    json Drop(const json &slot, const json &files, const json &answer = nullptr)
    {
        return Call(tavi_drop, {{"slot", slot}, {"files", files}, {"answer", answer}});
    }
};

// The export writes the 38 files, zipped for download too, and offers the
// room in every group; a
// choice loads an entry as the combo box does, with the editor's messages
// for a part file that is not 8-bit and one that is missing.
TEST_F(SessionFilesTest, ExportedPartsAreOfferedAndChoicesLoadThemWithTheEditorsMessages)
{
    OpenSamples();
    DisplayRoom("mori.pac");
    const json exported = Call(tavi_export);
    EXPECT_TRUE(MessageTexts(exported).empty());
    EXPECT_EQ(FilesIn(Collection()), 38u);
    // The download holds every file as written (stored), under its name.
    ASSERT_EQ(exported["downloads"].size(), 1u);
    EXPECT_EQ(exported["downloads"][0]["name"], "mori.zip");
    const std::vector<std::uint8_t> zip = ReadFile(exported["downloads"][0]["path"].get<std::string>());
    for (const auto &file : std::filesystem::directory_iterator(Collection())) {
        const std::vector<std::uint8_t> bytes = ReadFile(file.path());
        const std::string name = file.path().filename().string();
        EXPECT_NE(std::search(zip.begin(), zip.end(), bytes.begin(), bytes.end()), zip.end()) << name;
        EXPECT_NE(std::search(zip.begin(), zip.end(), name.begin(), name.end()), zip.end()) << name;
    }
    EXPECT_FALSE(state_["buttons"]["output"]);
    for (const json &group : state_["groups"])
        EXPECT_EQ(group["entries"], json({"", "mori.BMP"}));

    const json sakura = DisplayRoom("sakura.pac");
    const int bed = ComboOfSlot(state_, BedSlot);
    const std::vector<std::uint8_t> sakuraBed = PreviewPixels(state_, BedSlot);
    Call(tavi_choose, {{"comboId", bed}, {"entry", EntryIndex(state_, bed, "mori.BMP")}});
    EXPECT_NE(PreviewPixels(state_, BedSlot), sakuraBed);
    EXPECT_TRUE(state_["buttons"]["compose"]);
    EXPECT_FALSE(state_["buttons"]["output"]);
    Call(tavi_choose, {{"comboId", bed}, {"entry", 0}});
    EXPECT_EQ(PreviewPixels(state_, BedSlot), sakuraBed) << "the empty entry puts the saved part back";

    const std::vector<std::uint8_t> deep =
        BuildBmpFile({4, 4, 24, false, {}, std::vector<std::uint32_t>(16, 0x123456)});
    Call(tavi_open, {{"files", json::array({Incoming("08Deep.bmp", deep)})}});
    const int entry = EntryIndex(state_, bed, "Deep.bmp");
    ASSERT_EQ(entry, 1) << "in the boxes' order, letter case aside";
    const json reply = Call(tavi_choose, {{"comboId", bed}, {"entry", entry}});
    EXPECT_EQ(MessageTexts(reply), (std::vector<std::string>{
                                       Utf8(PartLoadMessage({PartLoadOutcome::BaseMissing, "09Deep.bmp"})),
                                       Utf8(PartLoadMessage({PartLoadOutcome::NotEightBit, "08Deep.bmp"}))}));
}

// A picture with transparency dropped onto the bed becomes its part, cut
// out where it is transparent; a picture too large asks once, and the
// answer's call shows no message again and writes only after a Yes.
TEST_F(SessionFilesTest, DroppedPicturesBecomePartsAndTheShrinkQuestionIsAnsweredBothWays)
{
    OpenSamples();
    EXPECT_EQ(MessageTexts(Drop(BedSlot, json::array({Incoming("bed.png", HalfTransparentPng(40, 30))}))),
              std::vector<std::string>{Utf8(DisplayPartsFirstMessage())});
    DisplayRoom("mori.pac");
    EXPECT_TRUE(
        MessageTexts(Drop(BedSlot, json::array({Incoming("bed.png", HalfTransparentPng(40, 30))}))).empty());
    const int bed = ComboOfSlot(state_, BedSlot);
    const json &group = state_["groups"][GroupIndex(*GroupOfSlot(BedSlot))];
    EXPECT_EQ(group["entries"][group["selected"].get<int>()], Utf8(ImportedEntryText("bed")));
    ASSERT_EQ(state_["previews"][BedSlot]["width"], 40);
    const std::vector<std::uint8_t> pixels = PreviewPixels(state_, BedSlot);
    EXPECT_EQ(pixels[3], 0) << "transparent on the left";
    EXPECT_EQ(pixels[4 * 39 + 3], 255) << "opaque on the right";
    EXPECT_GT(bed, 0);

    const std::size_t files = FilesIn(Collection());
    const json dropped = {
        {{"path", (root_ / "09gone.png").string()}, {"name", "09gone.png"}, {"relative", nullptr}},
        Incoming("13huge.png", HalfTransparentPng(400, 300))};
    const std::vector<std::string> unreadable{Utf8(PictureUnreadableMessage("09gone.png"))};
    for (const bool shrink : {false, true}) {
        const json asked = Drop(nullptr, dropped);
        EXPECT_EQ(MessageTexts(asked), unreadable);
        ASSERT_FALSE(asked["question"].is_null());
        EXPECT_EQ(asked["question"]["id"], "shrink");
        EXPECT_EQ(FilesIn(Collection()), files) << "nothing written before the answer";
        const json answered = Drop(nullptr, dropped, shrink);
        EXPECT_TRUE(MessageTexts(answered).empty());
        EXPECT_TRUE(answered["question"].is_null());
    }
    EXPECT_EQ(FilesIn(Collection()), files + 2) << "the mailbox and its mask, after the Yes";
    EXPECT_LE(state_["previews"][MailboxSlot]["width"], 160);
}

// The composed package is byte for byte what the core's saving writes for
// the same choices and texts (line breaks made CR LF); composing it again
// asks before overwriting, and keeps the old package as .bak on a Yes.
TEST_F(SessionFilesTest, ComposeWritesTheCoresBytesAndAsksBeforeOverwriting)
{
    OpenSamples();
    DisplayRoom("mori.pac");
    Drop(BedSlot, json::array({Incoming("bed.png", HalfTransparentPng(40, 30))}));
    const json opening = Call(tavi_compose_open)["compose"];
    EXPECT_EQ(opening["fileName"], "mori");
    EXPECT_EQ(opening["choices"], json({"mori", "sakura", "umi"}));
    EXPECT_EQ(opening["remarks"], Utf8(SampleRooms()[MoriIndex].remarksText));

    const std::string remarks = Utf8(SampleRooms()[1].nameText) + "\n" + std::string(300, 'x');
    json fields = {{"fileName", "hanami"},
                   {"name", opening["name"]},
                   {"remarks", remarks},
                   {"author", "me" + Utf8Literal(u8"\U0001F600")}};
    EXPECT_EQ(MessageTexts(Call(tavi_compose_execute, {{"fileName", "a/b"}})),
              std::vector<std::string>{Utf8(InvalidFileNameMessage("a/b"))});
    const json composed = Call(tavi_compose_execute, fields);
    ASSERT_TRUE(composed["composeDone"]);
    EXPECT_EQ(state_["fileName"], "hanami.pac");
    EXPECT_EQ(state_["rooms"][state_["selectedRoom"].get<int>()], "hanami.pac");
    ASSERT_EQ(composed["downloads"].size(), 1u);
    EXPECT_EQ(composed["downloads"][0]["name"], "hanami.pac");
    const std::vector<std::uint8_t> written = ReadFile(composed["downloads"][0]["path"].get<std::string>());

    // The same choices made with the core alone.
    auto banks = std::make_unique<ImageBanks>();
    PackageHeaderBlock header;
    const std::vector<std::uint8_t> mori = BuildSampleRoomPackage(MoriIndex);
    MemorySource source(mori);
    ReadPackageHeader(source, header);
    NoReports reports;
    ReadPackageRecords(source, banks->WorkBase, banks->WorkMask, reports);
    banks->CopyWorkingToSaved();
    for (const int slot : SlotGroupTable(BedSlot))
        LoadPartFromCollectionFiles(*banks, slot, ImportedEntryText("bed"),
                                    PartsFolder(PartsCollectionFolder));
    CreateFolder("expected");
    const PackageTexts texts{
        SampleRooms()[MoriIndex].nameText,
        CutToTextCapacity(std::string(SampleRooms()[1].nameText) + "\r\n" + std::string(300, 'x')), "me?"};
    ASSERT_EQ(SavePackage(*banks, header, "expected\\", "hanami", PackageTarget::ExistingPackage, texts),
              PackageSaveOutcome::Saved);
    EXPECT_EQ(written, ReadFile(working_ / "expected" / "hanami.pac"));

    fields["author"] = "other";
    const std::filesystem::path backup =
        std::filesystem::path(composed["downloads"][0]["path"].get<std::string>()).replace_extension(".bak");
    for (const bool overwrite : {false, true}) {
        const json asked = Call(tavi_compose_execute, fields);
        EXPECT_EQ(asked["question"]["id"], "overwrite");
        EXPECT_FALSE(asked["composeDone"]);
        EXPECT_FALSE(std::filesystem::exists(backup));
        fields["answer"] = overwrite;
        EXPECT_EQ(Call(tavi_compose_execute, fields)["composeDone"], overwrite);
        fields.erase("answer");
    }
    EXPECT_EQ(ReadFile(backup), written);
}

// A package with a record too large is read as far as it goes, with the
// editor's message; what it does not reach keeps what the room before left.
// A byte of its name that is no character is shown as Windows shows it.
TEST_F(SessionFilesTest, DamagedPackageGivesTheEditorsMessageAndKeepsTheEarlierParts)
{
    std::vector<std::uint8_t> damaged = BuildSampleRoomPackage(MoriIndex);
    const std::size_t record = HeaderSize;
    for (std::size_t i = 0; i < RecordSizeFieldSize; ++i)
        damaged[record + i] = 0x7F;
    // A name with a byte that is no code page 932 character.
    PackageHeaderBlock header;
    std::copy_n(damaged.begin(), HeaderSize, header.bytes.begin());
    SetHeaderText(header, NameText,
                  "\xFF"
                  "abc");
    std::copy(header.bytes.begin(), header.bytes.end(), damaged.begin());
    OpenSamples();
    Call(tavi_open, {{"files", json::array({Incoming("damaged.pac", damaged)})}});
    DisplayRoom("umi.pac");
    const std::vector<std::uint8_t> umiRoom = PreviewPixels(state_, RoomSlot);
    const json rooms = state_["rooms"];
    const int index = static_cast<int>(std::find(rooms.begin(), rooms.end(), "damaged.pac") - rooms.begin());
    const json reply = Call(tavi_select_room, {{"index", index}});
    EXPECT_EQ(MessageTexts(reply), std::vector<std::string>{Utf8(OversizedRecordMessage(0))});
    EXPECT_EQ(state_["name"], Utf8Literal(u8"\u30FBabc"));
    EXPECT_EQ(PreviewPixels(state_, RoomSlot), umiRoom);
}

// A picked folder's files keep their places in it, and its package folder is
// found as the editor finds it; a later file of the same name replaces the
// earlier one.
TEST_F(SessionFilesTest, PickedFolderBecomesTheWorkingFolderAndLaterFilesReplaceEarlierOnes)
{
    json file = Incoming("mori.pac", BuildSampleRoomPackage(MoriIndex));
    file["relative"] = "pick/" + Utf8Literal(u8"\u3078\u3084") + "/mori.pac";
    Call(tavi_open, {{"files", json::array({file})}});
    EXPECT_EQ(state_["rooms"], json({"mori.pac"}));
    EXPECT_TRUE(std::filesystem::exists(working_ / std::filesystem::u8path(u8"\u3078\u3084/mori.pac")));
    Call(tavi_open, {{"files", json::array({Incoming("mori.pac", BuildSampleRoomPackage(0))})}});
    Call(tavi_select_room, {{"index", 0}});
    EXPECT_EQ(state_["name"], Utf8(SampleRooms()[0].nameText));
}
