// Times the editor following its folders, with a parts collection of 5,000
// part files and a package folder of 1,000 packages: the real main dialog
// runs modally while a second thread puts files into the folders and waits
// for their entries. For each appearance: the time until the change
// notification arrives, the deliberate wait for the folder to be still, and
// the rescan's own work (the box's own work of adding the entry apart),
// beside the floor of a bare enumeration of the same folder after a change,
// taken in turn with the appearances. Then, while nothing changes: the timer
// ticks and notifications in an idle second, a part chosen by a message
// from another thread with the notifications waited for and without, and
// the reading of the chosen group's files (once: the slots are loaded from
// what was read, which is kept to be compared). Runs under Wine with a
// display:
//
//     bash scripts/wine-run.sh wine64 tavi_bench_folder_following_win.exe
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "bench/bench_folder.h"
#include "bench/windows_bench.h"
#include "core/part_files.h"
#include "core/picture/bmp_builder.h"
#include "core/two_digits.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "tools/samplegen/sample_rooms.h"
#include "ui/parts_editor_dlg.h"

namespace {
constexpr int PartFiles = 5000;
constexpr int Packages = 1000;
constexpr int Appearances = 15;
constexpr int Rounds = 15;
constexpr double Goal = 1.5;
constexpr int MoriRoom = 2;
constexpr char ChosenPart[] = "bench.bmp";
constexpr int BedSlots[] = {8, 9};
constexpr UINT RememberChosenPartMessage = WM_APP;
constexpr UINT StopWaitingMessage = WM_APP + 1;
constexpr UINT WaitAgainMessage = WM_APP + 2;
constexpr UINT TimeBoxesMessage = WM_APP + 3;
constexpr DWORD Poll = 5;
constexpr DWORD Bound = 10000;
constexpr DWORD SettleMilliseconds = 500;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Best(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

void WriteFile(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string AsString(const std::vector<std::uint8_t> &bytes)
{
    return {bytes.begin(), bytes.end()};
}

// A package that the room list's test accepts (its header, nothing more).
std::string PackageHead()
{
    std::string head(1056, '\0');
    head[16] = 1;
    return head;
}

// The collection's part files spread over every part number, each a few
// bytes (only their names matter here), the bed's own parts chosen in the
// rounds, the sample room and the other packages.
void PrepareFolder(const std::filesystem::path &folder)
{
    std::filesystem::create_directories(folder / L"部屋");
    std::filesystem::create_directories(folder / L"部屋の部品集");
    for (int file = 0; file < PartFiles; ++file)
        WriteFile(folder / L"部屋の部品集" / (TwoDigits(file % 40) + "part" + std::to_string(file) + ".bmp"),
                  "BM");
    const std::string part =
        AsString(BuildBmp8(160, 120, {0x8040C0, 0}, std::vector<std::uint8_t>(19200, 0)));
    for (const int slot : BedSlots) {
        WriteFile(folder / L"部屋の部品集" / CollectionFileName(slot, ChosenPart), part);
        WriteFile(folder / L"部屋の部品集" / CollectionFileName(MaskNumber(slot), ChosenPart), part);
    }
    WriteFile(folder / L"部屋" / "mori.pac", AsString(BuildSampleRoomPackage(MoriRoom)));
    for (int package = 1; package < Packages; ++package)
        WriteFile(folder / L"部屋" / ("room" + std::to_string(package) + ".pac"), PackageHead());
}

// FindFirstFile and FindNextFile over the folder, nothing else: the floor
// of any rescan.
double BareEnumeration(const wchar_t *pattern)
{
    const double start = NowMilliseconds();
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(pattern, &data);
    if (find != INVALID_HANDLE_VALUE) {
        while (FindNextFileW(find, &data)) {
        }
        FindClose(find);
    }
    return NowMilliseconds() - start;
}

// The platform's own work of adding an entry to a list or combo box and
// of removing one, summed up on the dialog's thread: the room list's
// (box 0) and the bed's combo box's (box 1).
double BoxTime = 0;
WNDPROC StandardBoxProcs[2] = {};

template <int Box> LRESULT CALLBACK TimedBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool timed = message == LB_ADDSTRING || message == LB_DELETESTRING || message == CB_ADDSTRING ||
                       message == CB_DELETESTRING;
    const double start = timed ? NowMilliseconds() : 0;
    const LRESULT result = CallWindowProcW(StandardBoxProcs[Box], box, message, wParam, lParam);
    if (timed)
        BoxTime += NowMilliseconds() - start;
    return result;
}

template <int Box> void TimeBoxChanges(HWND box)
{
    StandardBoxProcs[Box] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedBoxProc<Box>)));
}

// The main dialog with the times of its notifications and timer ticks
// taken, and a few steps run on its own thread for the measuring thread.
class BenchEditorDlg : public CPartsEditorDlg {
  public:
    struct Tick {
        double start;
        double end;
        // The time the boxes took to add and remove entries meanwhile.
        double boxes;
    };

    std::vector<Tick> Ticks()
    {
        const std::lock_guard lock(mutex_);
        return ticks_;
    }
    std::vector<double> Signals()
    {
        const std::lock_guard lock(mutex_);
        return signals_;
    }
    double rememberTime = 0;

  protected:
    void OnHandleSignalled(HANDLE handle) override
    {
        {
            const std::lock_guard lock(mutex_);
            signals_.push_back(NowMilliseconds());
        }
        CPartsEditorDlg::OnHandleSignalled(handle);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_TIMER: {
            BoxTime = 0;
            const double start = NowMilliseconds();
            const LRESULT result = CPartsEditorDlg::WindowProc(message, wParam, lParam);
            const std::lock_guard lock(mutex_);
            ticks_.push_back({start, NowMilliseconds(), BoxTime});
            return result;
        }
        case TimeBoxesMessage:
            TimeBoxChanges<0>(RoomList.GetSafeHwnd());
            TimeBoxChanges<1>(GetDlgItem(IDC_COMBO_BED).GetSafeHwnd());
            return 0;
        case RememberChosenPartMessage: {
            double best = 1e30;
            for (int round = 0; round < Rounds; ++round) {
                const double start = NowMilliseconds();
                RememberChosenPart(BedSlots[0], ChosenPart);
                best = std::min(best, NowMilliseconds() - start);
            }
            rememberTime = best;
            return 0;
        }
        case StopWaitingMessage: SetWaitHandles({}); return 0;
        case WaitAgainMessage: WatchFolders(); return 0;
        default: return CPartsEditorDlg::WindowProc(message, wParam, lParam);
        }
    }

  private:
    std::mutex mutex_;
    std::vector<Tick> ticks_;
    std::vector<double> signals_;
};

template <class Condition> bool WaitUntil(Condition condition)
{
    const double deadline = NowMilliseconds() + Bound;
    while (!condition()) {
        if (NowMilliseconds() > deadline)
            return false;
        Sleep(Poll);
    }
    return true;
}

bool Holds(HWND box, UINT findMessage, const std::string &entry)
{
    const std::wstring wide = CString(entry).ToWide();
    return SendMessageW(box, findMessage, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())) >=
           0;
}

struct Appearance {
    std::vector<double> notified; // from the file's writing to the first notification
    std::vector<double> settled;  // from there to the tick that rescans
    std::vector<double> rescan;   // that tick's work, but the box's own
    std::vector<double> box;      // the box's own work of adding the entry
    std::vector<double> total;    // from the file's writing to its entry
    std::vector<double> floor;    // a bare enumeration of the folder
};

// The floor in the state in which a rescan finds the folder: a file has
// come into it (one that matches no pattern) and the folder has been still
// for the settle time; meanwhile the dialog does not wait for the
// notifications, and it is not told of that file.
double FloorAfterAChange(HWND dialog, const std::filesystem::path &folder, const wchar_t *pattern, int round)
{
    SendMessageW(dialog, StopWaitingMessage, 0, 0);
    WriteFile(folder / ("floor" + std::to_string(round) + ".txt"), "x");
    Sleep(SettleMilliseconds);
    const double floor = BareEnumeration(pattern);
    SendMessageW(dialog, WaitAgainMessage, 0, 0);
    return floor;
}

// Files written one after another into the folder, each waited for until
// its entry is in the box; before each, the floor.
Appearance Appear(BenchEditorDlg &dialog, HWND box, UINT findMessage, const std::filesystem::path &folder,
                  const wchar_t *pattern, const std::string &prefix, const std::string &suffix,
                  const std::string &entryPrefix, const std::string &bytes)
{
    Appearance result;
    for (int round = 0; round < Appearances; ++round) {
        result.floor.push_back(FloorAfterAChange(dialog.GetSafeHwnd(), folder, pattern, round));
        const std::string name = prefix + "new" + std::to_string(round) + suffix;
        const std::size_t signalsBefore = dialog.Signals().size();
        const std::size_t ticksBefore = dialog.Ticks().size();
        const double written = NowMilliseconds();
        WriteFile(folder / name, bytes);
        if (!WaitUntil([&] {
                return Holds(box, findMessage, entryPrefix + "new" + std::to_string(round) + suffix);
            }))
            break;
        // The tick that added it has ended once the entry is there.
        const std::vector<double> signals = dialog.Signals();
        const std::vector<BenchEditorDlg::Tick> ticks = dialog.Ticks();
        if (signals.size() == signalsBefore || ticks.size() == ticksBefore)
            break;
        const BenchEditorDlg::Tick &tick = ticks.back();
        result.notified.push_back(signals[signalsBefore] - written);
        result.settled.push_back(tick.start - signals[signalsBefore]);
        result.rescan.push_back(tick.end - tick.start - tick.boxes);
        result.box.push_back(tick.boxes);
        result.total.push_back(tick.end - written);
        Sleep(100);
    }
    return result;
}

// A part chosen and the empty entry chosen again, by messages sent from
// this thread as another program would send them, the rounds taken in turn
// with the notifications waited for and without; the best of each.
struct Choices {
    double watched = 1e30;
    double bare = 1e30;
};

Choices ChooseFromOutside(HWND dialog, HWND combo, int chosenIndex)
{
    Choices best;
    for (int round = 0; round < 2 * Rounds; ++round) {
        const bool watched = round % 2 == 0;
        SendMessageW(dialog, watched ? WaitAgainMessage : StopWaitingMessage, 0, 0);
        for (const int index : {chosenIndex, 0}) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            const double start = NowMilliseconds();
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMBO_BED, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(combo));
            double &time = watched ? best.watched : best.bare;
            if (index == chosenIndex)
                time = std::min(time, NowMilliseconds() - start);
        }
    }
    SendMessageW(dialog, WaitAgainMessage, 0, 0);
    return best;
}

// The waits by their medians; the rescan and its floor, each taken at the
// same moment of a round, by their best, which a busy machine disturbs
// least.
void PrintAppearance(const char *what, const Appearance &appearance)
{
    const double rescan = Best(appearance.rescan);
    const double floor = Best(appearance.floor);
    std::printf("%s (%zu rounds)\n", what, appearance.total.size());
    std::printf("    notification arrives          %8.2f ms\n", Median(appearance.notified));
    std::printf("    settle wait (deliberate)      %8.2f ms\n", Median(appearance.settled));
    std::printf(
        "    rescan's own work             %8.2f ms   bare enumeration %7.2f ms = %.2fx (goal %.1fx): %s\n",
        rescan, floor, rescan / floor, Goal, rescan < Goal * floor ? "goal met" : "goal missed");
    std::printf("    the box's own work to add it  %8.2f ms\n", Best(appearance.box));
    std::printf("    file written to entry shown   %8.2f ms\n", Median(appearance.total));
}

struct IdleAndActions {
    std::size_t idleTicks = 0;
    std::size_t idleSignals = 0;
    Choices choose;
    double remember = 0;
};

// Everything that the measuring thread does while the dialog runs.
void Measure(BenchEditorDlg &dialog, Appearance &parts, Appearance &packages, IdleAndActions &actions)
{
    if (!WaitUntil([&] { return dialog.GetSafeHwnd() && dialog.IsWindowVisible(); }))
        return;
    const HWND window = dialog.GetSafeHwnd();
    const HWND rooms = dialog.RoomList.GetSafeHwnd();
    const HWND bed = dialog.GetDlgItem(IDC_COMBO_BED).GetSafeHwnd();
    SendMessageW(rooms, LB_SETCURSEL, 0, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_ROOM_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(rooms));
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_DISPLAY_PARTS, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.DisplayButton.GetSafeHwnd()));

    const std::size_t ticks = dialog.Ticks().size();
    const std::size_t signals = dialog.Signals().size();
    Sleep(1000);
    actions.idleTicks = dialog.Ticks().size() - ticks;
    actions.idleSignals = dialog.Signals().size() - signals;

    const std::wstring chosen = CString(ChosenPart).ToWide();
    const auto index = static_cast<int>(SendMessageW(bed, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(chosen.c_str())));
    actions.choose = ChooseFromOutside(window, bed, index);
    SendMessageW(window, RememberChosenPartMessage, 0, 0);

    // The bed stays chosen: each collection rescan compares its files too.
    SendMessageW(bed, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_COMBO_BED, CBN_SELCHANGE), reinterpret_cast<LPARAM>(bed));
    const std::string part = "BM";
    SendMessageW(window, TimeBoxesMessage, 0, 0);
    parts = Appear(dialog, bed, CB_FINDSTRINGEXACT, L"部屋の部品集", L"部屋の部品集\\*.bmp", "08", ".bmp", "",
                   part);
    packages =
        Appear(dialog, rooms, LB_FINDSTRINGEXACT, L"部屋", L"部屋\\*.pac", "", ".pac", "", PackageHead());
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
}
} // namespace

int main()
{
    PrintWindowsBuild();
    const BenchFolder folder("tavi-following-bench");
    PrepareFolder(std::filesystem::current_path());
    std::printf("%d part files in the collection, %d packages in the package folder\n\n", PartFiles,
                Packages);

    Appearance parts;
    Appearance packages;
    IdleAndActions actions;
    INT_PTR ended = -1;
    {
        CWinApp application;
        BenchEditorDlg dialog;
        application.m_pMainWnd = &dialog;
        std::thread measuring([&] { Measure(dialog, parts, packages, actions); });
        ended = dialog.DoModal();
        measuring.join();
        actions.remember = dialog.rememberTime;
        application.m_pMainWnd = nullptr;
    }
    if (ended == -1 || parts.total.empty() || packages.total.empty()) {
        std::fputs("folder_following_bench: the dialog did not run or an entry never came (no display?)\n",
                   stderr);
        return 1;
    }

    PrintAppearance("A part file appears in the collection", parts);
    PrintAppearance("A package appears in the package folder", packages);
    std::printf("\nWhile nothing changes\n");
    std::printf("    an idle second                %zu timer ticks, %zu notifications\n", actions.idleTicks,
                actions.idleSignals);
    std::printf("    a part chosen, sent from another thread:\n");
    std::printf("        notifications waited for  %8.2f ms\n", actions.choose.watched);
    std::printf("        none waited for (bare)    %8.2f ms = %.2fx\n", actions.choose.bare,
                actions.choose.watched / actions.choose.bare);
    std::printf("        of which its files read once, loaded from and kept %6.2f ms\n", actions.remember);
    return 0;
}
