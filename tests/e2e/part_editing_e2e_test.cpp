// A part opened in the painting program from the real Tavi.exe: a double-
// click on the bed's preview writes the room's own bed into the collection
// and hands its base file to the program registered for the shell's edit
// action of BMP files (a recorder of its command line here); without such a
// program the editor says so. Under scripts/tavi.sh that program is a Linux
// one, given the file's Linux path.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor_session.h"
#include "tests/win/dialog_driver.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
constexpr int RoomPreview = 1055;
constexpr wchar_t TestFileClass[] = L"Tavi.e2e.bitmap";

// The shell's file class of ".bmp" made one with the given edit command (or
// with no action at all) for the object's lifetime; the class that was
// there before comes back at the end.
class BmpFileClass {
  public:
    explicit BmpFileClass(const std::wstring &editCommand)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".bmp", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            previous_ = DefaultValue(key);
            RegCloseKey(key);
        }
        SetDefault(L".bmp", TestFileClass);
        if (!editCommand.empty())
            SetDefault(std::wstring(TestFileClass) + L"\\shell\\edit\\command", editCommand);
    }
    BmpFileClass(const BmpFileClass &) = delete;
    BmpFileClass &operator=(const BmpFileClass &) = delete;
    ~BmpFileClass()
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, TestFileClass);
        if (previous_)
            SetDefault(L".bmp", *previous_);
        else
            RegDeleteKeyW(HKEY_CLASSES_ROOT, L".bmp");
    }

  private:
    static std::wstring DefaultValue(HKEY key)
    {
        DWORD size = 0;
        RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size);
        std::wstring value(size / sizeof(wchar_t), L'\0');
        RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE *>(value.data()), &size);
        return value.c_str();
    }
    static void SetDefault(const std::wstring &subKey, const std::wstring &value)
    {
        RegSetValueW(HKEY_CLASSES_ROOT, subKey.c_str(), REG_SZ, value.c_str(), 0);
    }

    std::optional<std::wstring> previous_;
};

// The recorder's lines, once it has written any.
std::vector<std::wstring> RecordedLines(const std::filesystem::path &record)
{
    const std::string bytes = ReadBytes(record);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char *>(text.data()), text.size() * sizeof(wchar_t));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// A double-click as the mouse makes it, on a control of another process.
void PostDoubleClick(HWND control)
{
    const LPARAM point = MAKELPARAM(2, 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(control, WM_LBUTTONUP, 0, point);
    PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(control, WM_LBUTTONUP, 0, point);
}

// Wine's own conversion of a Windows path into the Linux one.
std::string LinuxPath(const std::filesystem::path &path)
{
    using Conversion = char *(CDECL *)(LPCWSTR);
    const auto convert = reinterpret_cast<Conversion>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char *converted = convert ? convert(path.c_str()) : nullptr;
    if (!converted)
        return {};
    std::string linuxPath(converted);
    HeapFree(GetProcessHeap(), 0, converted);
    return linuxPath;
}

bool ChosenIs(HWND combo, const std::wstring &entry)
{
    const LRESULT index =
        SendMessageW(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(entry.c_str()));
    return index != CB_ERR && SendMessageW(combo, CB_GETCURSEL, 0, 0) == index;
}
} // namespace

TEST(TaviExe, ADoubleClickedPreviewOpensThePartInTheRegisteredPaintingProgram)
{
    WorkingFolder folder(L"e2e-edit");
    folder.MakeFolder(L"部屋");
    const std::string mori = AsString(BuildSampleRoomPackage(MoriRoom));
    folder.WriteFile(L"部屋\\mori.pac", mori);
    const std::filesystem::path here = std::filesystem::current_path();
    const std::wstring record = (here / L"record.txt").wstring();
    std::optional<BmpFileClass> recorder(std::in_place, L"\"" + WindowsPath(TAVI_EDIT_RECORDER) + L"\" \"" +
                                                            record + L"\" \"%1\"");

    EditorProcess editor(TaviExePath(), here.wstring());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), Timeout);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(Item(dialog, RoomList), LB_SETCURSEL, 0, 0);
    Notify(dialog, RoomList, LBN_SELCHANGE);
    Notify(dialog, RoomPreview, BN_DOUBLECLICKED);
    EXPECT_FALSE(std::filesystem::exists(L"部屋の部品集")) << "before the parts are displayed";
    Notify(dialog, DisplayButton, BN_CLICKED);

    PostDoubleClick(Item(dialog, BedPreview));
    ASSERT_TRUE(WaitUntil([&] { return !RecordedLines(record).empty(); }, Timeout));
    const std::wstring bedFile = (here / L"部屋の部品集" / L"08mori.BMP").wstring();
    EXPECT_NE(RecordedLines(record).front().find(L"\"" + bedFile + L"\""), std::wstring::npos);
    for (const wchar_t *name : {L"08mori.BMP", L"09mori.BMP", L"28mori.BMP", L"29mori.BMP"}) {
        const std::string part = ReadBytes(here / L"部屋の部品集" / name);
        EXPECT_TRUE(part.rfind("BM", 0) == 0 && mori.find(part) != std::string::npos);
    }
    EXPECT_TRUE(ChosenIs(Item(dialog, BedCombo), L"mori.BMP"));

    // The files hold the bed shown: opened as they are, with no program.
    recorder.emplace(L"");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(BedPreview, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(Item(dialog, BedPreview)));
    const HWND message = WaitForDialog(MessageBoxTitle, editor.Id(), Timeout);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(TextOf(message, MessageText), "FILE[08mori.BMP]を編集するプログラムが\n登録されていません");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(L"部屋の部品集"), {}), 4);
    EXPECT_EQ(RecordedLines(record).size(), 1u);

    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}

// The edit action that scripts/tavi.sh registers, with a recorder of its
// arguments as the Linux program; run by linux_paint_test.sh, which
// registers it.
TEST(TaviExe, ADoubleClickedPreviewOpensThePartInTheLinuxPaintingProgram)
{
    if (!std::getenv("TAVI_LINUX_PAINT_TEST"))
        GTEST_SKIP() << "run by tests/e2e/linux_paint_test.sh";
    WorkingFolder folder(L"e2e-linux-paint");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\mori.pac", AsString(BuildSampleRoomPackage(MoriRoom)));
    const std::filesystem::path here = std::filesystem::current_path();

    EditorProcess editor(TaviExePath(), here.wstring());
    const HWND dialog = DisplayedMoriRoom(editor);
    ASSERT_NE(dialog, nullptr);
    PostDoubleClick(Item(dialog, BedPreview));
    ASSERT_TRUE(WaitUntil([&] { return ReadBytes(here / L"painted.txt").ends_with('\n'); }, Timeout));
    EXPECT_EQ(ReadBytes(here / L"painted.txt"), LinuxPath(here / L"部屋の部品集" / L"08mori.BMP") + "\n");

    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(Timeout));
}
