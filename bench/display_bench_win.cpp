// Times every user action of the main dialog end to end, from the command
// to the editor being idle again (the paints it causes included), on a
// maximal room (every part 320 x 240 with a finely detailed mask): selecting
// a room, the first display after it and the later ones, leaving display
// mode, choosing a part, an export, opening the compose dialog and
// composing. Beside each action: its steps, and its floor, the work that no
// way of doing it can skip, measured bare in the same run (the file calls
// and pixel work alone, or the same file calls made by a bare loop); and the
// baseline of copying the preview pixel bytes. Runs under Wine with a
// display:
//
//     /usr/lib/wine/wine64 tavi_bench_display_win.exe
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

#include "bench/bench_folder.h"
#include "bench/windows_bench.h"
#include "framework/dc.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "store/file_system.h"
#include "store/package_file.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "core/picture/bmp_builder.h"
#include "ui/display_bitmap.h"
#include "ui/editor_state.h"
#include "ui/parts_editor_dlg.h"
#include "core/package_saving.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"
#include "core/two_digits.h"

namespace {

constexpr int PartWidth = 320;
constexpr int PartHeight = 240;
constexpr int Rounds = 30;
constexpr double FrameGoal = 16.0;
constexpr double FileWorkGoal = 1.5;
const std::string Rooms[] = {"max.pac", "max2.pac"};
constexpr char ChosenPart[] = "bench.bmp";
constexpr int ChosenSlots[] = {8, 9};
const std::string PackageFolderName = "部屋\\";

template <class Work> double Milliseconds(Work work)
{
    const double start = NowMilliseconds();
    work();
    return NowMilliseconds() - start;
}

// The best of the rounds; prepare runs untimed before each.
double Best(const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    double best = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        if (prepare)
            prepare();
        best = std::min(best, Milliseconds(work));
    }
    return best;
}

// The dialog with its handlers open, driving the compose dialog from the
// idle reports of its modal loop as a user would: once it waits for input,
// the file name is typed and "合成実行" clicked.
class BenchEditorDlg : public CPartsEditorDlg {
  public:
    using CPartsEditorDlg::HidePartPreviews;
    using CPartsEditorDlg::OnComposeParts;
    using CPartsEditorDlg::OnDisplayParts;
    using CPartsEditorDlg::OnOutputParts;
    using CPartsEditorDlg::OnRoomSelected;
    using CPartsEditorDlg::RedrawPreviews;
    using CPartsEditorDlg::RenderPreview;

    void Pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            RouteMessage(message);
    }
    void SelectRoom(const std::string &fileName)
    {
        RoomList.SetCurSel(RoomList.FindStringExact(-1, fileName));
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ROOM_LIST, LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(RoomList.GetSafeHwnd()));
        Pump();
    }
    void ChoosePart(const std::string &entry)
    {
        const CComboBox &combo = SlotComboTable[static_cast<std::size_t>(ChosenSlots[0])];
        combo.SetCurSel(entry.empty() ? 0 : combo.FindStringExact(-1, entry));
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO_BED, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo.GetSafeHwnd()));
        Pump();
    }

    struct ComposeTimes {
        double open = 0;
        double compose = 0;
    };
    // Composes under the name; the times run from the command to the compose
    // dialog waiting for input, and from the click to the editor being idle.
    ComposeTimes Compose(const std::string &name)
    {
        composeName_ = CString(name).ToWide();
        composeStarted_ = NowMilliseconds();
        clicked_ = 0;
        OnComposeParts();
        Pump();
        return {opened_ - composeStarted_, NowMilliseconds() - clicked_};
    }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && clicked_ == 0) {
            opened_ = NowMilliseconds();
            const auto compose = reinterpret_cast<HWND>(lParam);
            ::SetWindowTextW(::GetDlgItem(compose, IDC_COMPOSE_FILE_NAME), composeName_.c_str());
            clicked_ = NowMilliseconds();
            ::SendMessageW(::GetDlgItem(compose, IDC_EXECUTE_COMPOSE), BM_CLICK, 0, 0);
        }
        return CPartsEditorDlg::WindowProc(message, wParam, lParam);
    }

  private:
    std::wstring composeName_;
    double composeStarted_ = 0;
    double opened_ = 0;
    double clicked_ = 0;
};

std::vector<std::uint32_t> RandomValues(std::mt19937 &random, std::size_t count, std::uint32_t limit)
{
    std::uniform_int_distribution<std::uint32_t> pick(0, limit - 1);
    std::vector<std::uint32_t> values(count);
    for (std::uint32_t &v : values)
        v = pick(random);
    return values;
}

std::vector<std::uint8_t> RandomPart(std::mt19937 &random)
{
    return BuildBmpFile({PartWidth, PartHeight, 8, false, RandomValues(random, 256, 0x1000000),
                         RandomValues(random, static_cast<std::size_t>(PartWidth) * PartHeight, 256)});
}

// Every mask pixel is black, white or a grey, so the mask changes at almost
// every pixel.
std::vector<std::uint8_t> RandomMask(std::mt19937 &random)
{
    std::vector<std::uint32_t> greys;
    for (std::uint32_t v = 0; v < 256; ++v)
        greys.push_back(v * 0x010101);
    return BuildBmpFile({PartWidth, PartHeight, 8, false, greys,
                         RandomValues(random, static_cast<std::size_t>(PartWidth) * PartHeight, 256)});
}

void AppendRecord(std::string &package, const std::vector<std::uint8_t> &image)
{
    const auto size = static_cast<std::uint32_t>(image.size());
    for (int shift = 0; shift < 32; shift += 8)
        package.push_back(static_cast<char>((size >> shift) & 0xFF));
    package.append(image.begin(), image.end());
}

std::string MaximalRoomPackage(unsigned seed)
{
    std::mt19937 random(seed);
    PackageHeader = {};
    PackageHeader.bytes[RoomFlagOffset] = 1;
    // Each room has texts of its own, as rooms do.
    const std::string number = std::to_string(seed);
    SetHeaderText(PackageHeader, NameText, "最大の部屋 " + number);
    SetHeaderText(PackageHeader, RemarksText, "どの部品も 320 x 240\r\n細かいマスク " + number);
    SetHeaderText(PackageHeader, AuthorText, "bench " + number);
    std::string package(PackageHeader.bytes.begin(), PackageHeader.bytes.end());
    for (int slot = 0; slot < SlotCount; ++slot)
        AppendRecord(package, RandomPart(random));
    for (int slot = 0; slot < SlotCount; ++slot)
        AppendRecord(package, RandomMask(random));
    return package;
}

void WriteFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The package folder with the two rooms, and the collection with the part
// that is chosen.
void PrepareFolder(const std::filesystem::path &folder)
{
    std::filesystem::create_directories(folder / L"部屋");
    std::filesystem::create_directories(folder / L"部屋の部品集");
    unsigned seed = 2026;
    for (const std::string &room : Rooms)
        std::ofstream(folder / L"部屋" / room, std::ios::binary) << MaximalRoomPackage(seed++);
    std::mt19937 random(seed);
    for (const int slot : ChosenSlots) {
        WriteFile(folder / L"部屋の部品集" / (TwoDigits(slot) + ChosenPart), RandomPart(random));
        WriteFile(folder / L"部屋の部品集" / (TwoDigits(MaskNumber(slot)) + ChosenPart), RandomMask(random));
    }
}

class SilentReporter : public PackageReadReporter {
  public:
    void ReportNotEightBit(int) override {}
    void ReportOversizedRecord(int) override {}
};

// The package read with the editor's own file calls, nothing shown.
void ReadRoomBare(const std::string &path)
{
    BufferedFileSource file = OpenPackageFile(path);
    ReadPackageHeader(file, PackageHeader);
    SilentReporter reporter;
    ReadPackageRecords(file, PartImageStore.WorkBase, PartImageStore.WorkMask, reporter);
}

std::vector<int> PreviewSlots(bool withRoom)
{
    std::vector<int> slots;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (SlotControlIds[slot] != NoControl && (withRoom || slot != RoomSlot))
            slots.push_back(slot);
    return slots;
}

// The pictures of the slots and their display bitmaps, made bare into the
// bitmaps of the round before, as the dialog does.
double PictureWork(const BenchEditorDlg &dialog, const std::vector<int> &slots)
{
    const CClientDC reference(dialog.KeyColourProbe);
    RgbImage picture;
    std::vector<CBitmap> bitmaps(slots.size());
    return Best([&] {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const auto slot = static_cast<std::size_t>(slots[i]);
            RenderPreviewPicture(PartImageStore.WorkBase[slot], PartImageStore.WorkMask[slot],
                                 dialog.KeyColour, picture);
            MakeDisplayBitmap(bitmaps[i], reference, picture);
        }
    });
}

// The texts of the four fields drawn bare into them with the dialog's font.
double TextWork(const BenchEditorDlg &dialog)
{
    const HFONT font = reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT));
    return Best([&] {
        for (const int id : {IDC_FILE_NAME, IDC_NAME, IDC_REMARKS, IDC_AUTHOR}) {
            const CWnd field = dialog.GetDlgItem(id);
            const std::wstring text = field.GetWindowText().ToWide();
            RECT area{};
            field.GetClientRect(&area);
            const CClientDC target(field);
            const HGDIOBJ previous = SelectObject(target.GetSafeHdc(), font);
            FillRect(target.GetSafeHdc(), &area, GetSysColorBrush(COLOR_BTNFACE));
            DrawTextW(target.GetSafeHdc(), text.c_str(), static_cast<int>(text.size()), &area, DT_WORDBREAK);
            SelectObject(target.GetSafeHdc(), previous);
        }
    });
}

// The two multi-line texts (remarks and author) laid out by the platform's
// edit control alone: each set into a bare edit of the same style and font,
// alternating between two texts.
double MultiLineTextWork(BenchEditorDlg &dialog, LONG_PTR removedStyle, bool visible)
{
    const CWnd remarks = dialog.GetDlgItem(IDC_REMARKS);
    RECT area{};
    remarks.GetClientRect(&area);
    const HWND edit = CreateWindowExW(
        0, L"Edit", L"", (remarks.GetStyle() & ~removedStyle & ~WS_VISIBLE) | (visible ? WS_VISIBLE : 0), 0,
        0, area.right, area.bottom, dialog.GetSafeHwnd(), nullptr, nullptr, nullptr);
    SendMessageW(edit, WM_SETFONT, dialog.SendMessage(WM_GETFONT), FALSE);
    const std::wstring texts[] = {dialog.GetDlgItem(IDC_REMARKS).GetWindowText().ToWide(),
                                  dialog.GetDlgItem(IDC_AUTHOR).GetWindowText().ToWide()};
    int next = 0;
    const double time = Best(
        [&] {
            for (int i = 0; i < 2; ++i)
                SetWindowTextW(edit, texts[next++ % 2].c_str());
        },
        [&] { dialog.Pump(); });
    DestroyWindow(edit);
    return time;
}

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The compose dialog's template made into a window by the platform alone,
// shown and painted, owned by the main dialog.
double BareComposeWindow(const BenchEditorDlg &dialog)
{
    return Best([&] {
        const HWND window = CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_COMPOSE),
                                               dialog.GetSafeHwnd(), &BareDialogProc, 0);
        ShowWindow(window, SW_SHOWNORMAL);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        DestroyWindow(window);
    });
}

// The stored bitmaps of the slots copied onto their controls, bare.
double BlitWork(BenchEditorDlg &dialog, const std::vector<int> &slots)
{
    return Milliseconds([&] {
        for (const int slot : slots) {
            CClientDC target(dialog.PreviewControls[static_cast<std::size_t>(slot)]);
            CDC memory;
            memory.CreateCompatibleDC(&target);
            const CBitmap &bitmap = dialog.PreviewBitmaps[static_cast<std::size_t>(slot)];
            const HGDIOBJ previous = memory.SelectObject(bitmap);
            target.BitBlt(0, 0, PartWidth / 2, PartHeight / 2, memory, 0, 0, SRCCOPY);
            memory.SelectObject(previous);
        }
    });
}

// A bare window of the class and style, made a child of the dialog at the
// control's place and size.
HWND BareWindowAt(const CWnd &control, const BenchEditorDlg &dialog, const wchar_t *className, DWORD style)
{
    RECT area{};
    control.GetWindowRect(&area);
    MapWindowPoints(nullptr, dialog.GetSafeHwnd(), reinterpret_cast<POINT *>(&area), 2);
    return CreateWindowExW(0, className, L"", style, area.left, area.top, area.right - area.left,
                           area.bottom - area.top, dialog.GetSafeHwnd(), nullptr, nullptr, nullptr);
}

// The previews' window changes made bare, as a program that takes no care
// over them would: plain owner-drawn buttons of the previews' places and
// sizes (the dialog draws nothing into them), each shown or hidden with one
// call and its own repaint.
class BareTwins {
  public:
    BareTwins(BenchEditorDlg &dialog, const std::vector<int> &slots) : dialog_(dialog)
    {
        for (const int slot : slots)
            windows_.push_back(BareWindowAt(dialog.PreviewControls[static_cast<std::size_t>(slot)], dialog,
                                            L"Button", WS_CHILD | BS_OWNERDRAW));
    }
    BareTwins(const BareTwins &) = delete;
    BareTwins &operator=(const BareTwins &) = delete;
    ~BareTwins()
    {
        for (const HWND window : windows_)
            DestroyWindow(window);
    }
    void ShowEach(int command)
    {
        for (const HWND window : windows_)
            ShowWindow(window, command);
        dialog_.Pump();
    }
    void RepaintEach()
    {
        for (const HWND window : windows_)
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
        dialog_.Pump();
    }

  private:
    BenchEditorDlg &dialog_;
    std::vector<HWND> windows_;
};

// The compose dialog's window, made by the platform alone over the main
// dialog, destroyed, and what it covered painted again.
double BareComposeClose(BenchEditorDlg &dialog)
{
    HWND window = nullptr;
    return Best(
        [&] {
            DestroyWindow(window);
            dialog.Pump();
        },
        [&] {
            window = CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_COMPOSE),
                                        dialog.GetSafeHwnd(), &BareDialogProc, 0);
            ShowWindow(window, SW_SHOWNORMAL);
            dialog.Pump();
        });
}

// The composed package's entry added to a list of the room list's style,
// font, place and entries, made bare, and selected; removed again between
// the rounds.
double BareListEntry(BenchEditorDlg &dialog)
{
    const CListBox &rooms = dialog.RoomList;
    const HWND list = BareWindowAt(rooms, dialog, L"ListBox", static_cast<DWORD>(rooms.GetStyle()));
    SendMessageW(list, WM_SETFONT, rooms.SendMessage(WM_GETFONT), FALSE);
    for (int i = 0; i < rooms.GetCount(); ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rooms.GetText(i).ToWide().c_str()));
    const double time = Best(
        [&] {
            const auto entry = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"composed"));
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
            dialog.Pump();
        },
        [&] {
            const auto entry = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(L"composed"));
            if (entry != LB_ERR)
                SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(entry), 0);
            SendMessageW(list, LB_SETCURSEL, 0, 0);
            dialog.Pump();
        });
    DestroyWindow(list);
    return time;
}

struct PartFile {
    std::string path;
    const PartSlot *slot;
};

// The files an export writes, in its order, under another folder.
std::vector<PartFile> ExportedFiles(const std::string &folder, const std::string &stem)
{
    std::vector<PartFile> files;
    for (const PartGroup &group : PartGroups)
        for (const int number : group.ExportOrder()) {
            const auto slot = static_cast<std::size_t>(number);
            files.push_back(
                {folder + ExportFileName(static_cast<int>(slot), stem), &PartImageStore.WorkBase[slot]});
            files.push_back({folder + ExportFileName(MaskNumber(static_cast<int>(slot)), stem),
                             &PartImageStore.WorkMask[slot]});
        }
    return files;
}

// The export's file calls made by a bare loop.
void ExportFilesBare(const std::vector<PartFile> &files)
{
    CreateFolder("bare\\");
    for (const PartFile &file : files) {
        FileHandle handle = FileHandle::CreateAlways(file.path);
        handle.Write(file.slot->bytes.data(), FileSize(*file.slot));
        handle.Close();
    }
}

// A file read whole with the editor's file calls.
void ReadFileBare(const std::string &path)
{
    static std::vector<char> buffer(SlotSize);
    FileHandle file = FileHandle::OpenForSharedRead(path);
    file.Read(buffer.data(), buffer.size());
    file.Close();
}

// The compose dialog's list of packages, made by a bare loop: the folder
// enumerated and each package's first bytes read.
void OfferedPackagesBare()
{
    for (const FoundEntry &entry : FindEntries(PackageFolderName + "*.pac")) {
        FileHandle probe = FileHandle::OpenForSharedRead(PackageFolderName + entry.name);
        std::array<char, 17> head{};
        probe.Read(head.data(), head.size());
    }
}

// The composition's file calls made by a bare loop: the create-new test and
// the package written.
void ComposeFilesBare(const std::string &name)
{
    const std::string path = PackagePath(PackageFolderName, name);
    FileHandle::CreateNew(path).Close();
    WritePackage(path, PackageHeader, PartImageStore.WorkBase, PartImageStore.WorkMask);
}

// The goal: within a frame, or where the platform's own work alone takes
// longer, within 1.5x of the floor that holds it.
const char *Verdict(double time, double floor)
{
    if (time < FrameGoal)
        return "within 16 ms";
    return time < FileWorkGoal * floor ? "over 16 ms, within 1.5x of its floor" : "goal missed";
}

void PrintAction(const char *action, double time, double floor, double copy)
{
    std::printf("%-34s %8.2f ms   floor %7.2f ms = %.2fx   %6.0fx memcpy   %s\n", action, time, floor,
                time / floor, time / copy, Verdict(time, floor));
}

void PrintFileAction(const char *action, double time, double bare, double copy)
{
    std::printf("%-34s %8.2f ms   bare loop %7.2f ms = %.2fx (goal %.1fx)   %6.0fx memcpy   %s\n", action,
                time, bare, time / bare, FileWorkGoal, time / copy,
                time < FrameGoal || time < FileWorkGoal * bare ? "goal met" : "goal missed");
}

void PrintStep(const char *step, double time)
{
    std::printf("    %-40s %8.2f ms\n", step, time);
}

} // namespace

int main()
{
    PrintWindowsBuild();
    const BenchFolder folder("tavi-display-bench");
    PrepareFolder(std::filesystem::current_path());

    const std::size_t bytes = PreviewSlots(true).size() * PartWidth * PartHeight;
    const std::vector<std::uint8_t> source(bytes, 1);
    std::vector<std::uint8_t> target(bytes);
    const double copy = Best([&] { std::memcpy(target.data(), source.data(), bytes); });

    // The compose dialog is owned by the application's main window.
    CWinApp application;
    BenchEditorDlg dialog;
    application.m_pMainWnd = &dialog;
    if (!dialog.Create()) {
        std::fputs("display_bench: the dialog could not be created (no display?)\n", stderr);
        return 1;
    }
    dialog.Pump();
    const std::vector<int> parts = PreviewSlots(false);
    const std::vector<int> room = {RoomSlot};
    int next = 0;
    const auto otherRoom = [&] { return Rooms[static_cast<std::size_t>(next++ % 2)]; };

    // Selecting a room outside display mode.
    const double firstSelect = Milliseconds([&] { dialog.SelectRoom(otherRoom()); });
    const double select = Best([&] { dialog.SelectRoom(otherRoom()); });
    const auto listRoom = [&] {
        dialog.RoomList.SetCurSel(dialog.RoomList.FindStringExact(-1, otherRoom()));
    };
    const double listSelect = Best(listRoom, [&] { dialog.Pump(); });
    const double selectHandler = Best([&] { dialog.OnRoomSelected(); },
                                      [&] {
                                          dialog.Pump();
                                          listRoom();
                                      });
    const double selectPaints = Best([&] { dialog.Pump(); },
                                     [&] {
                                         listRoom();
                                         dialog.OnRoomSelected();
                                     });
    const double buttons = Best([&] {
        dialog.DisplayButton.EnableWindow(false);
        dialog.DisplayButton.EnableWindow(true);
        dialog.Pump();
    });
    // The four fields painted again as they are, by the platform alone:
    // whatever way their new texts take, they are painted once.
    const double fieldPaints = Best([&] {
        for (const int id : {IDC_FILE_NAME, IDC_NAME, IDC_REMARKS, IDC_AUTHOR})
            ::RedrawWindow(dialog.GetDlgItem(id).GetSafeHwnd(), nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        dialog.Pump();
    });
    const double readBare = Best([] { ReadRoomBare(PackagePath(PackageFolderName, "max")); });
    const auto showTexts = [&] {
        dialog.NameEdit.SetWindowText(GetHeaderText(PackageHeader, NameText));
        dialog.RemarksEdit.SetWindowText(GetHeaderText(PackageHeader, RemarksText));
        dialog.AuthorValue = GetHeaderText(PackageHeader, AuthorText);
        dialog.FileNameValue = CString(Rooms[0]);
        dialog.UpdateData(false);
    };
    const double texts = Best(showTexts, [&] { dialog.Pump(); });
    const double textPaints = Best([&] { dialog.Pump(); }, showTexts);
    const double textsBare = TextWork(dialog);
    const double multiLineBare = MultiLineTextWork(dialog, 0, false);
    const double multiLineNoBar = MultiLineTextWork(dialog, WS_VSCROLL, true);
    const double multiLineShown = MultiLineTextWork(dialog, 0, true);
    const double roomRedraw = Best([&] { dialog.RedrawPreviews(RoomSlot); });
    const double roomPaint = Best([&] { dialog.Pump(); }, [&] { dialog.RedrawPreviews(RoomSlot); });
    const double roomPicture = PictureWork(dialog, room);
    const double roomBlit = BlitWork(dialog, room);

    // Displays: the first after a selection (the previews hidden), then
    // again in display mode.
    const double veryFirstDisplay = Milliseconds([&] {
        dialog.OnDisplayParts();
        dialog.Pump();
    });
    const double firstDisplay = Best(
        [&] {
            dialog.OnDisplayParts();
            dialog.Pump();
        },
        [&] { dialog.SelectRoom(otherRoom()); });
    const double display = Best([&] {
        dialog.OnDisplayParts();
        dialog.Pump();
    });
    // The first display's steps one by one: the pictures rendered, the
    // hidden previews shown, and painted.
    const auto hideParts = [&] {
        dialog.HidePartPreviews();
        dialog.Pump();
    };
    const double partsRender = Best(
        [&] {
            for (const int slot : parts)
                dialog.RenderPreview(slot);
        },
        hideParts);
    const auto showParts = [&] {
        for (const int slot : parts)
            dialog.PreviewControls[static_cast<std::size_t>(slot)].ShowWindow(SW_SHOW);
    };
    const double partsShow = Best(showParts, hideParts);
    const double partsShowPaint = Best([&] { dialog.Pump(); },
                                       [&] {
                                           hideParts();
                                           showParts();
                                       });
    const double partsRedraw = Best([&] { dialog.RedrawPreviews(AllSlots); }, [&] { dialog.Pump(); });
    const double partsPaint = Best([&] { dialog.Pump(); }, [&] { dialog.RedrawPreviews(AllSlots); });
    const double partsPicture = PictureWork(dialog, parts);
    const double partsBlit = BlitWork(dialog, parts);
    const double combos = Best([&] {
        for (const CComboBox &combo : dialog.SlotComboTable)
            if (combo) {
                combo.EnableWindow(true);
                combo.SetCurSel(0);
            }
        dialog.Pump();
    });

    // The same window changes made bare.
    BareTwins twins(dialog, parts);
    const double showBare = Best([&] { twins.ShowEach(SW_SHOW); }, [&] { twins.ShowEach(SW_HIDE); });
    const double repaintBare = Best([&] { twins.RepaintEach(); });
    const double hideBare = Best([&] { twins.ShowEach(SW_HIDE); }, [&] { twins.ShowEach(SW_SHOW); });

    // Leaving display mode by selecting a room.
    const double leave = Best([&] { dialog.SelectRoom(otherRoom()); },
                              [&] {
                                  dialog.OnDisplayParts();
                                  dialog.Pump();
                              });
    const double hide = Best(
        [&] {
            dialog.HidePartPreviews();
            dialog.Pump();
        },
        [&] {
            dialog.OnDisplayParts();
            dialog.Pump();
        });

    // Choosing a part, and the empty entry that puts it back.
    dialog.OnDisplayParts();
    dialog.Pump();
    bool chosen = false;
    const double choose = Best([&] {
        dialog.ChoosePart(chosen ? "" : ChosenPart);
        chosen = !chosen;
    });
    const std::vector<int> chosenSlots(std::begin(ChosenSlots), std::end(ChosenSlots));
    const double chooseBare = Best([] {
        for (const int slot : ChosenSlots) {
            ReadFileBare(PartsCollectionFolder + CollectionFileName(slot, ChosenPart));
            ReadFileBare(PartsCollectionFolder + CollectionFileName(MaskNumber(slot), ChosenPart));
        }
    });
    const double choosePicture = PictureWork(dialog, chosenSlots);
    const double chooseBlit = BlitWork(dialog, chosenSlots);
    const double chooseRedraw = Best([&] {
        for (const int slot : ChosenSlots)
            dialog.RedrawPreviews(slot);
        dialog.Pump();
    });

    // Exporting, with the button enabled again between the rounds.
    const std::string stem = PartStem(Rooms[(next + 1) % 2]);
    const double exportTime = Best([&] { dialog.OnOutputParts(); },
                                   [&] {
                                       dialog.OnDisplayParts();
                                       dialog.Pump();
                                   });
    const std::vector<PartFile> exported = ExportedFiles("bare\\", stem);
    const double exportBare = Best([&] { ExportFilesBare(exported); });
    const double exportFiles = Best([&] { ExportRoomParts(PartImageStore, stem, PartsCollectionFolder); });

    // Composing under new names, removed again between the rounds.
    double open = 1e30;
    double compose = 1e30;
    double composeBare = 1e30;
    const double offeredBare = Best(OfferedPackagesBare);
    const double composeWindowBare = BareComposeWindow(dialog);
    const double composeCloseBare = BareComposeClose(dialog);
    for (int round = 0; round < Rounds; ++round) {
        CString numbered;
        numbered.Format("c%d", round);
        const std::string name = numbered.Bytes();
        const BenchEditorDlg::ComposeTimes times = dialog.Compose(name);
        open = std::min(open, times.open);
        compose = std::min(compose, times.compose);
        DeleteFileAt(PackagePath(PackageFolderName, name));
        composeBare = std::min(composeBare, Milliseconds([] { ComposeFilesBare("bare"); }));
        DeleteFileAt(PackagePath(PackageFolderName, "bare"));
    }

    const double listEntryBare = BareListEntry(dialog);

    std::printf(
        "every action end to end, best of %d rounds; goal: under %.0f ms, or within %.1fx of its floor, "
        "the same file and window work made bare\n",
        Rounds, FrameGoal, FileWorkGoal);
    // The three command buttons are disabled and enabled again.
    const double selectFloor = readBare + textsBare + roomPicture + roomBlit + fieldPaints + 3 * buttons;
    PrintAction("select a room", select, selectFloor, copy);
    PrintStep("the very first selection (one run)", firstSelect);
    PrintStep("list selection moved", listSelect);
    PrintStep("the handler without paints", selectHandler);
    PrintStep("its paints", selectPaints);
    PrintStep("display button disabled and enabled, painted", buttons);
    PrintStep("reading the package, bare", readBare);
    PrintStep("texts and file name set again", texts);
    PrintStep("their paints", textPaints);
    PrintStep("the four texts drawn, bare", textsBare);
    PrintStep("the four fields painted as they are", fieldPaints);
    PrintStep("two multi-line texts laid out, bare", multiLineBare);
    PrintStep("the same shown without a scroll bar, bare", multiLineNoBar);
    PrintStep("the same shown, bare", multiLineShown);
    PrintStep("room preview rendered and shown", roomRedraw);
    PrintStep("its paints", roomPaint);
    PrintStep("room picture and bitmap, bare", roomPicture);
    PrintStep("room bitmap copied to the screen, bare", roomBlit);
    // A display disables and enables the three command buttons too.
    PrintAction("first display after a selection", firstDisplay,
                partsPicture + partsBlit + showBare + 3 * buttons, copy);
    PrintStep("the very first display (one run)", veryFirstDisplay);
    PrintStep("18 previews rendered", partsRender);
    PrintStep("18 hidden previews shown one by one", partsShow);
    PrintStep("their paints", partsShowPaint);
    PrintStep("18 windows shown one by one, bare", showBare);
    PrintAction("display again", display, partsPicture + partsBlit + repaintBare + 3 * buttons, copy);
    PrintStep("previews rendered and shown", partsRedraw);
    PrintStep("their paints", partsPaint);
    PrintStep("19 pictures and bitmaps, bare", partsPicture);
    PrintStep("19 bitmaps copied to the screen, bare", partsBlit);
    PrintStep("18 windows repainted, bare", repaintBare);
    PrintStep("part combo boxes enabled and reset", combos);
    PrintAction("leave display mode (select a room)", leave, selectFloor + hideBare, copy);
    PrintStep("18 previews hidden (with paints)", hide);
    PrintStep("18 windows hidden one by one, bare", hideBare);
    PrintAction("choose a part (two slots)", choose, chooseBare + choosePicture + chooseBlit, copy);
    PrintStep("its four files read, bare", chooseBare);
    PrintStep("the two previews redrawn (with paints)", chooseRedraw);
    PrintFileAction("export (38 files)", exportTime, exportBare, copy);
    PrintStep("its files alone, written by its own code", exportFiles);
    PrintAction("open the compose dialog", open, offeredBare + composeWindowBare, copy);
    PrintStep("packages offered, bare", offeredBare);
    PrintStep("its window made and painted, bare", composeWindowBare);
    PrintAction("compose (click to idle)", compose,
                composeBare + composeCloseBare + listEntryBare + textsBare, copy);
    PrintStep("its file calls, bare", composeBare);
    PrintStep("the dialog's window closed, bare", composeCloseBare);
    PrintStep("its entry added to the list and selected, bare", listEntryBare);
    std::printf("baseline memcpy of %zu bytes (the preview pixels): %.3f ms (checksum %u)\n", bytes, copy,
                target[bytes / 2]);
    std::puts("floors, all made bare in this run: selecting, the package read, the four texts drawn, the\n"
              "four fields painted as they are, the three command buttons disabled and enabled, and the\n"
              "room's picture, bitmap and copy to the screen; leaving display mode, that and 18 windows of\n"
              "the previews' places hidden one by one; displays, the 19 pictures, bitmaps and copies, 18\n"
              "such windows shown one by one (the first) or repainted (again), and the three buttons;\n"
              "choosing, its four files read and two pictures and copies; opening the compose dialog,\n"
              "its package list and its template made into a painted window by the platform alone;\n"
              "composing, its file calls, that window closed over the main dialog, an entry added to a\n"
              "list like the room list and selected, and the texts drawn.\n"
              "What an action takes beyond its floor is window work: its steps above say where.");

    return 0;
}
