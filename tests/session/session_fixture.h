// One browser session in a scratch folder, driven through the tavi_*
// functions as the page drives them, with the sample rooms at hand.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "web/bindings/tavi_calls.h"

using nlohmann::json;

class SessionTest : public testing::Test {
  protected:
    SessionTest();

    // One call: the argument as JSON, the reply parsed; its state is kept.
    json Call(const char *(*function)(const char *), const json &argument = json::object());
    // A file written where the page writes the files it is given; its
    // entry of a "files" list.
    json Incoming(const std::string &name, const std::vector<std::uint8_t> &bytes);
    // The three sample rooms opened; the reply.
    json OpenSamples();
    // The sample room selected by its file name and its parts displayed.
    json DisplayRoom(const std::string &fileName);
    static int ComboOfSlot(const json &state, int slot);
    static int EntryIndex(const json &state, int comboId, const std::string &utf8Entry);
    // The pixels tavi_preview_pixels gives for the slot's preview.
    static std::vector<std::uint8_t> PreviewPixels(const json &state, int slot);
    static std::vector<std::uint8_t> ReadFile(const std::filesystem::path &path);
    // Code page 932 texts as the replies give them.
    static std::string Utf8(const std::string &cp932);
    static std::vector<std::string> MessageTexts(const json &reply);

    ScratchFolder scratch_;
    json state_;
    std::filesystem::path root_;
    std::filesystem::path working_;
    int incoming_ = 0;
};
