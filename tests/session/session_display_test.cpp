#include "session_fixture.h"

#include <memory>

#include "core/picture/image_codec.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"
#include "store/package_file.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
class NoReports : public PackageReadReporter {
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

// The preview pictures the core gives for a package's slots.
std::vector<std::vector<std::uint8_t>> CorePreviews(const std::vector<std::uint8_t> &package)
{
    auto banks = std::make_unique<ImageBanks>();
    PackageHeaderBlock header;
    MemorySource source(package);
    ReadPackageHeader(source, header);
    NoReports reports;
    ReadPackageRecords(source, banks->WorkBase, banks->WorkMask, reports);
    std::vector<std::vector<std::uint8_t>> previews;
    for (int slot = 0; slot < SlotCount; ++slot) {
        RgbImage picture;
        RenderPreviewWithAlpha(banks->WorkBase[slot], banks->WorkMask[slot], picture);
        previews.push_back(RgbaBytes(picture.pixels));
    }
    return previews;
}

std::vector<std::string> ButtonsOf(const json &state)
{
    std::vector<std::string> on;
    for (const char *button : {"display", "output", "compose"})
        if (state["buttons"][button])
            on.push_back(button);
    return on;
}
} // namespace

// The room list in the boxes' order (letter case aside), the fields, the
// enabled buttons and combo boxes of each mode, and every preview pixel for
// pixel the core's picture, cut-out pixels transparent.
TEST_F(SessionTest, RoomsSelectedAndDisplayedShowTheEditorsFieldsButtonsAndPreviews)
{
    EXPECT_TRUE(state_["rooms"].empty());
    EXPECT_TRUE(ButtonsOf(state_).empty());
    EXPECT_EQ(state_["groups"][0]["selected"], -1);
    EXPECT_FALSE(state_["groups"][0]["enabled"]);
    OpenSamples();
    const std::vector<std::uint8_t> mori = BuildSampleRoomPackage(2);
    Call(tavi_open, {{"files", {Incoming("Zeta.pac", mori), Incoming("alpha.pac", mori)}}});
    EXPECT_EQ(state_["rooms"], json({"alpha.pac", "mori.pac", "sakura.pac", "umi.pac", "Zeta.pac"}));

    Call(tavi_select_room, {{"index", 1}});
    EXPECT_EQ(state_["mode"], 1);
    EXPECT_EQ(state_["fileName"], "mori.pac");
    EXPECT_EQ(state_["name"], Utf8(SampleRooms()[2].nameText));
    EXPECT_EQ(state_["remarks"], Utf8(SampleRooms()[2].remarksText));
    EXPECT_EQ(ButtonsOf(state_), std::vector<std::string>{"display"});
    const std::vector<std::vector<std::uint8_t>> expected = CorePreviews(mori);
    EXPECT_TRUE(state_["previews"][RoomSlot]["visible"]);
    EXPECT_FALSE(state_["previews"][8]["visible"]);
    EXPECT_EQ(PreviewPixels(state_, RoomSlot), expected[RoomSlot]);

    Call(tavi_display_parts);
    EXPECT_EQ(state_["mode"], 2);
    EXPECT_EQ(ButtonsOf(state_), (std::vector<std::string>{"display", "output", "compose"}));
    bool cutOut = false;
    for (int slot = 0; slot < SlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(state_["previews"][slot]["visible"], slot != 14);
        if (slot == 14)
            continue;
        const std::vector<std::uint8_t> pixels = PreviewPixels(state_, slot);
        EXPECT_EQ(pixels, expected[static_cast<std::size_t>(slot)]);
        for (std::size_t alpha = 3; alpha < pixels.size(); alpha += 4)
            cutOut = cutOut || pixels[alpha] == 0;
    }
    EXPECT_TRUE(cutOut);
    for (const json &group : state_["groups"]) {
        EXPECT_TRUE(group["enabled"]);
        EXPECT_EQ(group["selected"], 0);
        EXPECT_EQ(group["entries"], json({""}));
    }

    // Another room hides the parts; with the check box it shows them.
    const json version = state_["previews"][8]["version"];
    Call(tavi_select_room, {{"index", 2}});
    EXPECT_EQ(state_["mode"], 1);
    EXPECT_FALSE(state_["previews"][8]["visible"]);
    EXPECT_FALSE(state_["groups"][0]["enabled"]);
    Call(tavi_set_auto_display, {{"on", true}});
    Call(tavi_select_room, {{"index", 3}});
    EXPECT_EQ(state_["mode"], 2);
    EXPECT_TRUE(state_["previews"][8]["visible"]);
    EXPECT_NE(state_["previews"][8]["version"], version);
    EXPECT_EQ(PreviewPixels(state_, 8), CorePreviews(BuildSampleRoomPackage(1))[8]);
}
