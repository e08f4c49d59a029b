// A release zip as a user meets it once unpacked: its own Tavi.exe, started
// in its folder, opens on the sample rooms of its 部屋 folder. Run by
// tests/release/zip_test.sh for each zip, with TAVI_RELEASE_FOLDER naming the
// unpacked folder.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor_process.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
constexpr char MainDialogTitle[] = "部屋の部品編集";
constexpr DWORD StartTimeout = 15000;
constexpr DWORD ExitTimeout = 10000;
} // namespace

TEST(ReleaseFolder, TaviExeListsTheSampleRooms)
{
    const char *folder = std::getenv("TAVI_RELEASE_FOLDER");
    ASSERT_NE(folder, nullptr) << "TAVI_RELEASE_FOLDER names no unpacked release";
    std::vector<std::string> samples;
    for (const SampleRoom &room : SampleRooms())
        samples.push_back(room.fileName);
    std::sort(samples.begin(), samples.end());

    EditorProcess editor(WindowsPath(std::string(folder) + "/Tavi.exe"), WindowsPath(folder));
    ASSERT_TRUE(editor.IsRunning());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(RoomListEntries(dialog), samples);
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(ExitTimeout));
}
