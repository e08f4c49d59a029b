#include "session_fixture.h"

#include <fstream>

#include "tools/samplegen/sample_rooms.h"
#include "web/session/text_forms.h"

SessionTest::SessionTest() : root_(std::filesystem::current_path()), working_(root_ / "tavi")
{
    const json reply = Call(
        tavi_start, {{"workingFolder", working_.string()}, {"downloadFolder", (root_ / "out").string()}});
    EXPECT_TRUE(reply["state"]["ready"]);
}

json SessionTest::Call(const char *(*function)(const char *), const json &argument)
{
    const json reply = json::parse(function(argument.dump().c_str()));
    EXPECT_FALSE(reply.contains("error")) << reply["error"];
    state_ = reply["state"];
    return reply;
}

json SessionTest::Incoming(const std::string &name, const std::vector<std::uint8_t> &bytes)
{
    const std::filesystem::path folder = root_ / "incoming" / std::to_string(++incoming_);
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / std::filesystem::u8path(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return {{"path", path.string()}, {"name", name}, {"relative", nullptr}};
}

json SessionTest::OpenSamples()
{
    json files = json::array();
    for (std::size_t i = 0; i < SampleRooms().size(); ++i)
        files.push_back(Incoming(SampleRooms()[i].fileName, BuildSampleRoomPackage(static_cast<int>(i))));
    return Call(tavi_open, {{"files", files}});
}

json SessionTest::DisplayRoom(const std::string &fileName)
{
    const json rooms = state_["rooms"];
    const auto found = std::find(rooms.begin(), rooms.end(), fileName);
    EXPECT_NE(found, rooms.end()) << fileName;
    Call(tavi_select_room, {{"index", found - rooms.begin()}});
    return Call(tavi_display_parts);
}

int SessionTest::ComboOfSlot(const json &state, int slot)
{
    for (const json &group : state["groups"])
        for (const json &s : group["slots"])
            if (s == slot)
                return group["comboId"];
    return -1;
}

int SessionTest::EntryIndex(const json &state, int comboId, const std::string &utf8Entry)
{
    for (const json &group : state["groups"]) {
        if (group["comboId"] != comboId)
            continue;
        const json &entries = group["entries"];
        const auto found = std::find(entries.begin(), entries.end(), utf8Entry);
        return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
    }
    return -1;
}

std::vector<std::uint8_t> SessionTest::PreviewPixels(const json &state, int slot)
{
    const json &preview = state["previews"][slot];
    const std::uint8_t *pixels = tavi_preview_pixels(slot);
    const std::size_t size =
        std::size_t{4} * preview["width"].get<std::size_t>() * preview["height"].get<std::size_t>();
    return pixels ? std::vector<std::uint8_t>(pixels, pixels + size) : std::vector<std::uint8_t>();
}

std::vector<std::uint8_t> SessionTest::ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SessionTest::Utf8(const std::string &cp932)
{
    return Utf8FromCp932Lenient(cp932);
}

std::vector<std::string> SessionTest::MessageTexts(const json &reply)
{
    std::vector<std::string> texts;
    for (const json &message : reply["messages"])
        texts.push_back(message["text"]);
    return texts;
}
