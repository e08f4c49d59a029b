// What the end-to-end sessions with the real Tavi.exe share: the titles and
// control ids they drive, packages taken apart, files read whole, and the
// steps of a session (a sample room displayed, a package composed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "editor_process.h"

inline constexpr char MainDialogTitle[] = "部屋の部品編集";
inline constexpr char ComposeTitle[] = "合成データ入力";
inline constexpr char MessageBoxTitle[] = "Tavi";
inline constexpr DWORD Timeout = 15000;

inline constexpr int RoomList = 1000;
inline constexpr int FileNameField = 1004;
inline constexpr int NameField = 1007;
inline constexpr int DisplayButton = 1031;
inline constexpr int ComposeButton = 1033;
inline constexpr int BedCombo = 1019;
inline constexpr int BedPreview = 1048;
inline constexpr int MessageText = 0xFFFF;

// The sample room mori.pac.
inline constexpr int MoriRoom = 2;

struct Texts {
    std::string name;
    std::string remarks;
    std::string author;
};

// A package taken apart: its header and its forty records' images.
struct Package {
    std::string header;
    std::vector<std::string> records;

    static Package Parse(const std::string &bytes);
    void SetTexts(const Texts &texts);
    std::string Bytes() const;
};

std::string AsString(const std::vector<std::uint8_t> &bytes);
std::string ReadBytes(const std::filesystem::path &path);

// Another process's controls: the wide-character messages carry texts
// across.
HWND Item(HWND dialog, int id);
void Notify(HWND dialog, int id, int code);
// Posted: the handler may open a modal window and not return for a while.
void PostClick(HWND dialog, int id);
void Type(HWND dialog, int id, const std::string &text);
std::string TextOf(HWND dialog, int id);

// A click sent as an accessibility tool or a test robot sends it, with
// nothing else arriving: the dialog is gone as soon as the click's handler
// has returned.
bool SentClickEndsAtOnce(HWND dialog, int id);
// Opens the compose dialog, types the file name and the texts and executes
// the composition: with a click sent when no question can come, otherwise
// posted, answering the overwrite question with Yes.
void ComposeAs(HWND editor, DWORD process, const std::string &fileName, const Texts &texts,
               bool expectQuestion);
// The room of the sample mori.pac selected and its parts displayed; null
// when the editor did not show or did not get there.
HWND DisplayedMoriRoom(const EditorProcess &editor);
