#include "editor_session.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "framework/cstring.h"
#include "framework/wnd.h"

namespace {
// A dialog ended by a click sent from here is gone well within this.
constexpr DWORD SentClickBound = 3000;
// Time for a dialog just shown to finish painting.
constexpr DWORD Settle = 300;

constexpr int ComposeFileName = 1034;
constexpr int ComposeName = 1035;
constexpr int ComposeRemarks = 1036;
constexpr int ComposeAuthor = 1037;
constexpr int ExecuteCompose = 1038;

constexpr std::size_t HeaderBytes = 1056;
constexpr int RecordCount = 40;
constexpr std::size_t FirstTextField = 32;
constexpr std::size_t TextFieldSize = 256;
} // namespace

Package Package::Parse(const std::string &bytes)
{
    Package package{bytes.substr(0, HeaderBytes), {}};
    std::size_t position = HeaderBytes;
    for (int record = 0; record < RecordCount; ++record) {
        std::uint32_t size = 0;
        for (int i = 3; i >= 0; --i)
            size = size << 8 | static_cast<std::uint8_t>(bytes.at(position + i));
        package.records.push_back(bytes.substr(position + 4, size));
        position += 4 + size;
    }
    return package;
}

void Package::SetTexts(const Texts &texts)
{
    std::size_t field = FirstTextField;
    for (const std::string *text : {&texts.name, &texts.remarks, &texts.author}) {
        header[field] = static_cast<char>(text->size());
        header.replace(field + 1, text->size(), *text);
        field += TextFieldSize;
    }
}

std::string Package::Bytes() const
{
    std::string bytes = header;
    for (const std::string &record : records) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>(record.size() >> shift & 0xFF));
        bytes += record;
    }
    return bytes;
}

std::string AsString(const std::vector<std::uint8_t> &bytes)
{
    return {bytes.begin(), bytes.end()};
}

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

HWND Item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

void Notify(HWND dialog, int id, int code)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(dialog, id)));
}

void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(dialog, id)));
}

void Type(HWND dialog, int id, const std::string &text)
{
    const std::wstring wide = CString(text).ToWide();
    SendMessageW(Item(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string TextOf(HWND dialog, int id)
{
    return CWnd(Item(dialog, id)).GetWindowText().Bytes();
}

bool SentClickEndsAtOnce(HWND dialog, int id)
{
    Sleep(Settle);
    SendMessageW(Item(dialog, id), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog); }, SentClickBound);
}

void ComposeAs(HWND editor, DWORD process, const std::string &fileName, const Texts &texts,
               bool expectQuestion)
{
    PostClick(editor, ComposeButton);
    const HWND compose = WaitForDialog(ComposeTitle, process, Timeout);
    ASSERT_NE(compose, nullptr);
    Type(compose, ComposeFileName, fileName);
    Type(compose, ComposeName, texts.name);
    Type(compose, ComposeRemarks, texts.remarks);
    Type(compose, ComposeAuthor, texts.author);
    if (!expectQuestion) {
        ASSERT_TRUE(SentClickEndsAtOnce(compose, ExecuteCompose));
    } else {
        PostClick(compose, ExecuteCompose);
        const HWND question = WaitForDialog(MessageBoxTitle, process, Timeout);
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(GetWindow(question, GW_OWNER), compose);
        EXPECT_EQ(TextOf(question, MessageText), "同名のFILEが既に存在します\n上書きしますか？");
        PostClick(question, IDYES);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(compose); }, Timeout));
    // The main dialog enables its compose button last, after the room list
    // and the fields.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Item(editor, ComposeButton)) != FALSE; }, Timeout));
}

HWND DisplayedMoriRoom(const EditorProcess &editor)
{
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), Timeout);
    if (!dialog)
        return nullptr;
    SendMessageW(Item(dialog, RoomList), LB_SETCURSEL, 0, 0);
    Notify(dialog, RoomList, LBN_SELCHANGE);
    Notify(dialog, DisplayButton, BN_CLICKED);
    return IsWindowEnabled(Item(dialog, ComposeButton)) ? dialog : nullptr;
}
