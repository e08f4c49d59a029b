// The compose command and dialog on the main dialog with sample rooms: the
// package written, the question before overwriting, the room list and
// fields afterwards, and the cases that must change nothing.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "editor_fixture.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "core/picture/bmp_builder.h"
#include "ui/editor_state.h"
#include "core/messages.h"

namespace {
constexpr char ComposeTitle[] = "合成データ入力";
constexpr ULONGLONG ComposeTimeout = 5000;
const std::filesystem::path Rooms = L"部屋";

// Sample rooms: 0 sakura, 1 umi, 2 mori.
constexpr int Sakura = 0;
constexpr int Mori = 2;
const std::vector<std::string> RoomFiles = {"listonly.pac", "mori.pac", "sakura.pac", "umi.pac"};

// Offsets of the three text fields of a package header.
constexpr std::size_t NameField = 32;
constexpr std::size_t RemarksField = 288;
constexpr std::size_t AuthorField = 544;

struct Texts {
    std::string name;
    std::string remarks;
    std::string author;
};
const Texts NewTexts{"新しい部屋", "備考の一行目\r\n二行目", "作者 Tavi"};

// The package as the editor must write it: the package it read, with the
// three texts stored (length byte, then the bytes; the rest of each area
// keeps its bytes).
std::string Composed(std::string package, const Texts &texts)
{
    for (const auto &[field, text] :
         {std::pair{NameField, texts.name}, {RemarksField, texts.remarks}, {AuthorField, texts.author}}) {
        package[field] = static_cast<char>(text.size());
        package.replace(field + 1, text.size(), text);
    }
    return package;
}

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every file of the package folder by name, with its bytes.
std::map<std::wstring, std::string> FolderFiles()
{
    std::map<std::wstring, std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(Rooms))
        files[entry.path().filename().wstring()] = ReadBytes(entry.path());
    return files;
}

std::vector<std::string> RoomListEntries(const OpenEditorDlg &dialog)
{
    std::vector<std::string> entries;
    for (int index = 0; index < dialog.RoomList.GetCount(); ++index)
        entries.push_back(dialog.RoomList.GetText(index).Bytes());
    return entries;
}

std::vector<std::uint8_t> BankBytes(const PartBank &bank)
{
    const auto *first = bank.front().bytes.data();
    return {first, first + sizeof(PartBank)};
}

// Everything a composition may change.
struct EditorState {
    std::map<std::wstring, std::string> files;
    PackageHeaderBlock header;
    std::string currentName;
    std::vector<std::uint8_t> savedBase;
    std::vector<std::uint8_t> savedMask;
    std::vector<std::string> roomList;
    int selected;
    std::vector<std::string> fields;

    static EditorState Of(const OpenEditorDlg &dialog)
    {
        return {FolderFiles(),
                PackageHeader,
                CurrentPackageName.Bytes(),
                BankBytes(PartImageStore.SavedBase),
                BankBytes(PartImageStore.SavedMask),
                RoomListEntries(dialog),
                dialog.RoomList.GetCurSel(),
                {dialog.ItemText(IDC_FILE_NAME), dialog.ItemText(IDC_NAME), dialog.ItemText(IDC_REMARKS),
                 dialog.ItemText(IDC_AUTHOR)}};
    }
};

void ExpectUnchanged(const EditorState &before, const OpenEditorDlg &dialog)
{
    const EditorState now = EditorState::Of(dialog);
    EXPECT_TRUE(now.files == before.files) << "the package folder changed";
    EXPECT_TRUE(now.header.bytes == before.header.bytes) << "the header changed";
    EXPECT_EQ(now.currentName, before.currentName);
    EXPECT_TRUE(now.savedBase == before.savedBase && now.savedMask == before.savedMask)
        << "the saved banks changed";
    EXPECT_EQ(now.roomList, before.roomList);
    EXPECT_EQ(now.selected, before.selected);
    EXPECT_EQ(now.fields, before.fields);
}

bool SavedBanksAreWorkingBanks()
{
    return BankBytes(PartImageStore.SavedBase) == BankBytes(PartImageStore.WorkBase) &&
           BankBytes(PartImageStore.SavedMask) == BankBytes(PartImageStore.WorkMask);
}

// The compose dialog is modal: the test acts on it from a timer that fires
// inside its message loop, once it is shown. A dialog still open well after
// the action is a failure and is cancelled, so that a test never hangs.
struct ComposeScript {
    std::function<void(HWND)> action;
    bool acted = false;
    ULONGLONG deadline = 0;
};
ComposeScript *ActiveScript = nullptr;

BOOL CALLBACK FindComposeWindow(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && WindowTextBytes(window) == ComposeTitle) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND ComposeWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindComposeWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK ActOnComposeDialog(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND compose = ComposeWindow();
    if (!compose || !ActiveScript)
        return;
    if (!ActiveScript->acted) {
        ActiveScript->acted = true;
        ActiveScript->deadline = GetTickCount64() + ComposeTimeout;
        ActiveScript->action(compose);
    } else if (GetTickCount64() > ActiveScript->deadline) {
        ADD_FAILURE() << "the compose dialog was left open";
        PostMessageW(compose, WM_COMMAND, IDCANCEL, 0);
    }
}

// Clicks the compose button (or sends another command); action gets the
// compose dialog once it shows. False if it never showed.
bool Compose(OpenEditorDlg &dialog, std::function<void(HWND)> action, int command = IDC_COMPOSE_PARTS,
             int code = BN_CLICKED)
{
    ComposeScript script{std::move(action)};
    ActiveScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ActOnComposeDialog);
    dialog.Command(command, code);
    KillTimer(nullptr, timer);
    ActiveScript = nullptr;
    return script.acted;
}

std::string Text(HWND compose, int id)
{
    return WindowTextBytes(GetDlgItem(compose, id));
}

void Type(HWND compose, int id, const std::string &text)
{
    SetWindowTextW(GetDlgItem(compose, id), CString(text).ToWide().c_str());
}

void TypeAll(HWND compose, const std::string &fileName, const Texts &texts)
{
    Type(compose, IDC_COMPOSE_FILE_NAME, fileName);
    Type(compose, IDC_COMPOSE_NAME, texts.name);
    Type(compose, IDC_COMPOSE_REMARKS, texts.remarks);
    Type(compose, IDC_COMPOSE_AUTHOR, texts.author);
}

void Click(HWND compose, int id)
{
    SendMessageW(compose, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(compose, id)));
}

std::vector<std::string> FileNameChoices(HWND compose)
{
    CComboBox combo;
    combo.Attach(GetDlgItem(compose, IDC_COMPOSE_FILE_NAME));
    std::vector<std::string> entries;
    for (int index = 0; index < combo.GetCount(); ++index)
        entries.push_back(combo.GetLBText(index).Bytes());
    return entries;
}

// The main dialog on a package folder with the three sample rooms and a
// package that only the room list takes (byte 16 is 0, byte 19 is 1), the
// application's main window as dialogs expect it.
class ComposeTest : public ::testing::Test {
  protected:
    ComposeTest() : folder_(L"compose")
    {
        folder_.MakeFolder(Rooms);
        folder_.WriteFile(L"部屋\\sakura.pac", SampleRoomBytes(Sakura));
        folder_.WriteFile(L"部屋\\umi.pac", SampleRoomBytes(1));
        folder_.WriteFile(L"部屋\\mori.pac", SampleRoomBytes(Mori));
        std::string listOnly = SampleRoomBytes(1);
        listOnly[RoomFlagOffset] = 0;
        listOnly[RoomListFlagOffset] = 1;
        folder_.WriteFile(L"部屋\\listonly.pac", listOnly);
        application_.m_pMainWnd = &dialog;
    }

    // Opens the editor on the room and displays its parts.
    void Display(const std::string &fileName)
    {
        ASSERT_TRUE(dialog.Open());
        dialog.SelectRoom(fileName);
        dialog.Command(IDC_DISPLAY_PARTS);
        ASSERT_EQ(EditorMode, PartsDisplay);
        ASSERT_TRUE(dialog.Enabled(IDC_COMPOSE_PARTS));
    }

    void ExpectComposeButtonBackAndFocusInRoomList() const
    {
        EXPECT_TRUE(dialog.Enabled(IDC_COMPOSE_PARTS));
        EXPECT_EQ(GetFocus(), dialog.RoomList.GetSafeHwnd());
    }

    WorkingFolder folder_;
    CWinApp application_;
    OpenEditorDlg dialog;
};
} // namespace

TEST_F(ComposeTest, ANewNameIsWrittenWithoutAQuestionListedAndSelectedWithoutReading)
{
    Display("mori.pac");
    MessageBoxRecorder recorder(IDNO);
    const bool shown = Compose(dialog, [&](HWND compose) {
        EXPECT_EQ(GetWindow(compose, GW_OWNER), dialog.GetSafeHwnd());
        EXPECT_FALSE(dialog.IsWindowEnabled());
        EXPECT_FALSE(dialog.Enabled(IDC_COMPOSE_PARTS));
        EXPECT_EQ(GetParent(GetFocus()), GetDlgItem(compose, IDC_COMPOSE_FILE_NAME));
        // The package that only the room list takes is not offered.
        EXPECT_EQ(FileNameChoices(compose), (std::vector<std::string>{"mori", "sakura", "umi"}));
        EXPECT_EQ(Text(compose, IDC_COMPOSE_FILE_NAME), "mori");
        EXPECT_EQ(Text(compose, IDC_COMPOSE_NAME), "もりの部屋");
        EXPECT_EQ(Text(compose, IDC_COMPOSE_REMARKS), "森の中の小さな部屋です。\r\n木のぬくもりをどうぞ。");
        EXPECT_EQ(Text(compose, IDC_COMPOSE_AUTHOR), "Tavi サンプル");
        TypeAll(compose, "new", NewTexts);
        Click(compose, IDC_EXECUTE_COMPOSE);
    });
    ASSERT_TRUE(shown);
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_TRUE(ReadBytes(Rooms / L"new.pac") == Composed(SampleRoomBytes(Mori), NewTexts));
    EXPECT_EQ(FolderFiles().size(), RoomFiles.size() + 1);
    EXPECT_EQ(RoomListEntries(dialog),
              (std::vector<std::string>{"listonly.pac", "mori.pac", "new.pac", "sakura.pac", "umi.pac"}));
    EXPECT_EQ(dialog.RoomList.GetCurSel(), 2);
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), "new.pac");
    EXPECT_EQ(dialog.ItemText(IDC_NAME), NewTexts.name);
    EXPECT_EQ(dialog.ItemText(IDC_REMARKS), NewTexts.remarks);
    EXPECT_EQ(dialog.ItemText(IDC_AUTHOR), NewTexts.author);
    EXPECT_EQ(CurrentPackageName, CString("new.pac"));
    EXPECT_TRUE(SavedBanksAreWorkingBanks());
    // Nothing was read again: the editor is still displaying the parts.
    EXPECT_EQ(EditorMode, PartsDisplay);
    EXPECT_TRUE(dialog.Visible(IDC_PREVIEW_SLOT5));
    EXPECT_TRUE(dialog.Enabled(IDC_COMBO_BED));
    EXPECT_TRUE(dialog.IsWindowEnabled());
    ExpectComposeButtonBackAndFocusInRoomList();
}

// Clicks that another program sends, with nothing else arriving: the dialog
// ends as soon as the button's handler returns, and the package is the one a
// click of the user writes.
TEST_F(ComposeTest, ClicksSentFromAnotherThreadEndTheDialogAtOnce)
{
    Display("mori.pac");
    MessageBoxRecorder recorder(IDNO);
    const auto click = [](int id) {
        return [id](HWND compose) { SendMessageW(GetDlgItem(compose, id), BM_CLICK, 0, 0); };
    };
    {
        SendFromAnotherThread execute(ComposeTitle, [&](HWND compose) {
            TypeAll(compose, "new", NewTexts);
            click(IDC_EXECUTE_COMPOSE)(compose);
        });
        dialog.Command(IDC_COMPOSE_PARTS);
        EXPECT_TRUE(execute.EndedAtOnce());
    }
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_TRUE(ReadBytes(Rooms / L"new.pac") == Composed(SampleRoomBytes(Mori), NewTexts));
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), "new.pac");
    const EditorState before = EditorState::Of(dialog);
    SendFromAnotherThread cancel(ComposeTitle, click(IDCANCEL));
    dialog.Command(IDC_COMPOSE_PARTS);
    EXPECT_TRUE(cancel.EndedAtOnce());
    ExpectUnchanged(before, dialog);
    ExpectComposeButtonBackAndFocusInRoomList();
}

TEST_F(ComposeTest, TheLoadedPackagesOwnNameAsksAndYesKeepsTheOldPackageAsTheBackup)
{
    folder_.WriteFile(L"部屋\\sakura.bak", "an older backup");
    Display("sakura.pac");
    MessageBoxRecorder recorder(IDYES);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        EXPECT_EQ(Text(compose, IDC_COMPOSE_FILE_NAME), "sakura");
        TypeAll(compose, "sakura", NewTexts);
        Click(compose, IDC_EXECUTE_COMPOSE);
    }));
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, CString(OverwriteQuestion()));
    EXPECT_EQ(recorder.boxes[0].type, UINT{MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON1});
    const std::map<std::wstring, std::string> files = FolderFiles();
    EXPECT_EQ(files.size(), RoomFiles.size() + 1);
    EXPECT_TRUE(files.at(L"sakura.bak") == SampleRoomBytes(Sakura));
    EXPECT_TRUE(files.at(L"sakura.pac") == Composed(SampleRoomBytes(Sakura), NewTexts));
    EXPECT_EQ(RoomListEntries(dialog), RoomFiles);
    EXPECT_EQ(dialog.RoomList.GetCurSel(), 2);
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), "sakura.pac");
    EXPECT_EQ(dialog.ItemText(IDC_NAME), NewTexts.name);
    ExpectComposeButtonBackAndFocusInRoomList();
}

TEST_F(ComposeTest, ANameDifferingOnlyInLetterCaseSelectsTheExistingEntry)
{
    Display("mori.pac");
    MessageBoxRecorder recorder(IDYES);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "SAKURA", NewTexts);
        Click(compose, IDC_EXECUTE_COMPOSE);
    }));
    EXPECT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(RoomListEntries(dialog), RoomFiles);
    EXPECT_EQ(dialog.RoomList.GetCurSel(), 2);
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), "SAKURA.pac");
    EXPECT_EQ(CurrentPackageName, CString("SAKURA.pac"));
    EXPECT_TRUE(ReadBytes(Rooms / L"sakura.pac") == Composed(SampleRoomBytes(Mori), NewTexts));
    EXPECT_TRUE(ReadBytes(Rooms / L"sakura.bak") == SampleRoomBytes(Sakura));
}

TEST_F(ComposeTest, ANameTypedWithItsExtensionGetsASecondOne)
{
    Display("mori.pac");
    MessageBoxRecorder recorder(IDNO);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "mori.pac", NewTexts);
        Click(compose, IDC_EXECUTE_COMPOSE);
    }));
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_TRUE(ReadBytes(Rooms / L"mori.pac.pac") == Composed(SampleRoomBytes(Mori), NewTexts));
    EXPECT_TRUE(ReadBytes(Rooms / L"mori.pac") == SampleRoomBytes(Mori));
    EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), "mori.pac.pac");
    EXPECT_EQ(dialog.RoomList.GetText(dialog.RoomList.GetCurSel()), CString("mori.pac.pac"));

    // A dot or a blank at the end of the name stays in front of ".pac".
    for (const std::string name : {"end.", "end "}) {
        ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
            TypeAll(compose, name, NewTexts);
            Click(compose, IDC_EXECUTE_COMPOSE);
        }));
        EXPECT_TRUE(recorder.boxes.empty()) << name;
        EXPECT_TRUE(ReadBytes(Rooms / CString(name + ".pac").ToWide()) ==
                    Composed(SampleRoomBytes(Mori), NewTexts))
            << name;
        EXPECT_EQ(dialog.ItemText(IDC_FILE_NAME), name + ".pac");
    }
}

TEST_F(ComposeTest, TextsOf128To255BytesAreShownWholeInBothDialogs)
{
    std::string twoByteText;
    for (int i = 0; i < 127; ++i)
        twoByteText += "部";
    const Texts typed{std::string(128, 'n'), twoByteText + ".", std::string(254, 'a') + "屋"};
    // The last two-byte character would not fit whole.
    const Texts stored{typed.name, typed.remarks, std::string(254, 'a')};
    Display("umi.pac");
    MessageBoxRecorder recorder(IDYES);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "long", typed);
        Click(compose, IDC_EXECUTE_COMPOSE);
    }));
    EXPECT_TRUE(ReadBytes(Rooms / L"long.pac") == Composed(SampleRoomBytes(1), stored));
    EXPECT_EQ(dialog.ItemText(IDC_NAME), stored.name);
    EXPECT_EQ(dialog.ItemText(IDC_REMARKS), stored.remarks);
    EXPECT_EQ(dialog.ItemText(IDC_AUTHOR), stored.author);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        EXPECT_EQ(Text(compose, IDC_COMPOSE_FILE_NAME), "long");
        EXPECT_EQ(Text(compose, IDC_COMPOSE_NAME), stored.name);
        EXPECT_EQ(Text(compose, IDC_COMPOSE_REMARKS), stored.remarks);
        EXPECT_EQ(Text(compose, IDC_COMPOSE_AUTHOR), stored.author);
        Click(compose, IDCANCEL);
    }));
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ComposeTest, CancelEscapeAndNoThenCancelChangeNothing)
{
    Display("sakura.pac");
    const EditorState before = EditorState::Of(dialog);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "other", NewTexts);
        Click(compose, IDCANCEL);
    }));
    ExpectUnchanged(before, dialog);
    ExpectComposeButtonBackAndFocusInRoomList();

    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "other", NewTexts);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    }));
    ExpectUnchanged(before, dialog);
    ExpectComposeButtonBackAndFocusInRoomList();

    MessageBoxRecorder recorder(IDNO);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "umi", NewTexts);
        Click(compose, IDC_EXECUTE_COMPOSE);
        EXPECT_EQ(recorder.boxes.size(), 1u);
        EXPECT_TRUE(IsWindowVisible(compose));
        EXPECT_EQ(Text(compose, IDC_COMPOSE_FILE_NAME), "umi");
        EXPECT_EQ(Text(compose, IDC_COMPOSE_REMARKS), NewTexts.remarks);
        ExpectUnchanged(before, dialog);
        Click(compose, IDCANCEL);
    }));
    ExpectUnchanged(before, dialog);
    ExpectComposeButtonBackAndFocusInRoomList();
}

TEST_F(ComposeTest, TheEmptyPartEntryRestoresTheComposedPart)
{
    folder_.MakeFolder(L"部屋の部品集");
    const std::vector<std::uint32_t> palette = {0x000000, 0xFFFFFF, 0x80C0FF};
    const std::string bed = AsString(BuildBmp8(16, 8, palette, std::vector<std::uint8_t>(128, 2)));
    const std::string mask = AsString(BuildBmp8(16, 8, palette, std::vector<std::uint8_t>(128, 0)));
    for (const wchar_t *name : {L"08mybed.bmp", L"09mybed.bmp"})
        folder_.WriteFile(std::wstring(L"部屋の部品集\\") + name, bed);
    for (const wchar_t *name : {L"28mybed.bmp", L"29mybed.bmp"})
        folder_.WriteFile(std::wstring(L"部屋の部品集\\") + name, mask);
    Display("mori.pac");
    dialog.ChooseEntry(IDC_COMBO_BED, "mybed.bmp");
    ASSERT_EQ(WorkBaseImage(8), bed);
    MessageBoxRecorder recorder(IDYES);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        Type(compose, IDC_COMPOSE_FILE_NAME, "withbed");
        Click(compose, IDC_EXECUTE_COMPOSE);
    }));
    dialog.ChooseEntry(IDC_COMBO_BED, "");
    EXPECT_EQ(WorkBaseImage(8), bed);
    EXPECT_EQ(WorkBaseImage(9), bed);
    EXPECT_EQ(WorkMaskImage(8), mask);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ComposeTest, InvalidNamesAndUnwritablePackagesAreReportedAndChangeNothing)
{
    // A record whose image claims more bytes than a slot holds: it is read,
    // but the writer refuses to write it.
    std::string claimsTooMuch = SampleRoomBytes(Sakura);
    claimsTooMuch.replace(HeaderSize + 4 + 2, 4, std::string("\xA0\x86\x01\x00", 4));
    folder_.WriteFile(L"部屋\\bad.pac", claimsTooMuch);
    folder_.WriteFile(L"部屋\\bad.bak", "the backup of bad");
    Display("bad.pac");
    const EditorState before = EditorState::Of(dialog);
    MessageBoxRecorder recorder(IDYES);
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        TypeAll(compose, "", NewTexts);
        for (const std::string name : {"", "a/b", "a\\b", "con", "lpt1.x", "a|b", "a*", "tab\t"}) {
            recorder.boxes.clear();
            Type(compose, IDC_COMPOSE_FILE_NAME, name);
            Click(compose, IDC_EXECUTE_COMPOSE);
            ASSERT_EQ(recorder.boxes.size(), 1u) << name;
            EXPECT_EQ(recorder.boxes[0].text, CString(InvalidFileNameMessage(name))) << name;
            EXPECT_EQ(Text(compose, IDC_COMPOSE_FILE_NAME), name);
        }
        // The writer refuses the record, under a new name and over the
        // package itself; the file system refuses a name this long.
        for (const std::string &name : {std::string("fresh"), std::string("bad"), std::string(300, 'x')}) {
            recorder.boxes.clear();
            Type(compose, IDC_COMPOSE_FILE_NAME, name);
            Click(compose, IDC_EXECUTE_COMPOSE);
            ASSERT_FALSE(recorder.boxes.empty()) << name;
            EXPECT_EQ(recorder.boxes.back().text, CString(PackageNotSavedMessage(name + ".pac"))) << name;
            EXPECT_EQ(recorder.boxes.back().type, UINT{MB_OK | MB_ICONEXCLAMATION});
            EXPECT_TRUE(IsWindowVisible(compose));
            EXPECT_EQ(Text(compose, IDC_COMPOSE_NAME), NewTexts.name);
            ExpectUnchanged(before, dialog);
        }
        Click(compose, IDCANCEL);
    }));
    ExpectUnchanged(before, dialog);

    // A package folder that has become a plain file.
    std::filesystem::rename(Rooms, L"moved");
    folder_.WriteFile(Rooms, "not a folder");
    ASSERT_TRUE(Compose(dialog, [&](HWND compose) {
        recorder.boxes.clear();
        Click(compose, IDC_EXECUTE_COMPOSE);
        ASSERT_EQ(recorder.boxes.size(), 2u);
        EXPECT_EQ(recorder.boxes[1].text, CString(PackageNotSavedMessage("bad.pac")));
        Click(compose, IDCANCEL);
    }));
    EXPECT_EQ(ReadBytes(Rooms), "not a folder");
    std::filesystem::remove(Rooms);
    std::filesystem::rename(L"moved", Rooms);
    ExpectUnchanged(before, dialog);
    ExpectComposeButtonBackAndFocusInRoomList();
}

TEST_F(ComposeTest, CtrlMComposesOnlyWhileTheComposeButtonIsEnabled)
{
    constexpr int AcceleratorCode = 1;
    const auto cancel = [](HWND compose) { Click(compose, IDCANCEL); };
    ASSERT_TRUE(dialog.Open());
    dialog.SelectRoom("mori.pac");
    EXPECT_FALSE(Compose(dialog, cancel, ID_COMPOSE_PARTS, AcceleratorCode));
    EXPECT_FALSE(dialog.Enabled(IDC_COMPOSE_PARTS));
    dialog.Command(IDC_DISPLAY_PARTS);
    EXPECT_TRUE(Compose(dialog, cancel, ID_COMPOSE_PARTS, AcceleratorCode));
    ExpectComposeButtonBackAndFocusInRoomList();
}
