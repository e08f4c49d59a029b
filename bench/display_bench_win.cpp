// Times the display-parts command of the main dialog on a maximal room
// (every part 320 x 240 with a finely detailed mask), end to end with the
// paints it causes: once just after the room is selected (previews hidden,
// no bitmaps yet), then at its best over repeated displays. Also the work
// inside it: the pixel logic of the nineteen pictures and turning them into
// display bitmaps, into those of the last display and into new ones. The
// baseline is copying the same number of pixel bytes, measured in the same
// run. Runs under Wine with a display:
//
//     wine tavi_bench_display_win.exe
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/dc.h"
#include "res/resource.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "tools/samplegen/bmp_builder.h"
#include "ui/display_bitmap.h"
#include "ui/parts_editor_dlg.h"
#include "ui/portable/preview_picture.h"
#include "ui/portable/slot_map.h"

namespace {

constexpr int PartWidth = 320;
constexpr int PartHeight = 240;
constexpr int Rounds = 40;
constexpr char RoomFile[] = "max.pac";

class BenchEditorDlg : public CPartsEditorDlg {
  public:
    using CPartsEditorDlg::OnDisplayParts;

    void Pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            RouteMessage(message);
    }
};

std::vector<std::uint32_t> RandomValues(std::mt19937 &random, std::size_t count, std::uint32_t limit)
{
    std::uniform_int_distribution<std::uint32_t> pick(0, limit - 1);
    std::vector<std::uint32_t> values(count);
    for (std::uint32_t &v : values)
        v = pick(random);
    return values;
}

void AppendRecord(std::string &package, const std::vector<std::uint8_t> &image)
{
    const auto size = static_cast<std::uint32_t>(image.size());
    for (int shift = 0; shift < 32; shift += 8)
        package.push_back(static_cast<char>((size >> shift) & 0xFF));
    package.append(image.begin(), image.end());
}

// Random pixels over random colour tables; every mask pixel is black, white
// or a grey, so the mask changes at almost every pixel.
std::string MaximalRoomPackage()
{
    std::mt19937 random(2026);
    const std::size_t pixels = static_cast<std::size_t>(PartWidth) * PartHeight;
    PackageHeader = {};
    PackageHeader.bytes[RoomFlagOffset] = 1;
    std::string package(PackageHeader.bytes.begin(), PackageHeader.bytes.end());
    for (int slot = 0; slot < SlotCount; ++slot)
        AppendRecord(package,
                     BuildBmpFile({PartWidth, PartHeight, 8, false, RandomValues(random, 256, 0x1000000),
                                   RandomValues(random, pixels, 256)}));
    std::vector<std::uint32_t> greys;
    for (std::uint32_t v = 0; v < 256; ++v)
        greys.push_back(v * 0x010101);
    for (int slot = 0; slot < SlotCount; ++slot)
        AppendRecord(package, BuildBmpFile({PartWidth, PartHeight, 8, false, greys,
                                            RandomValues(random, pixels, 256)}));
    return package;
}

double NowMilliseconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

template <class Work> double BestMilliseconds(Work work)
{
    double best = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        const double start = NowMilliseconds();
        work();
        best = std::min(best, NowMilliseconds() - start);
    }
    return best;
}

} // namespace

int main()
{
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavi-display-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / L"部屋");
    std::ofstream(folder / L"部屋" / RoomFile, std::ios::binary) << MaximalRoomPackage();
    std::filesystem::current_path(folder);

    double firstDisplay = 0;
    double display = 0;
    double pixelLogic = 0;
    double bitmapWork = 0;
    double newBitmapWork = 0;
    std::size_t previews = 0;
    {
        BenchEditorDlg dialog;
        if (!dialog.Create()) {
            std::fputs("display_bench: the dialog could not be created (no display?)\n", stderr);
            return 1;
        }
        dialog.Pump();
        dialog.RoomList.SetCurSel(0);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ROOM_LIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(dialog.RoomList.GetSafeHwnd()));
        dialog.Pump();

        const double start = NowMilliseconds();
        dialog.OnDisplayParts();
        dialog.Pump();
        firstDisplay = NowMilliseconds() - start;
        display = BestMilliseconds([&] {
            dialog.OnDisplayParts();
            dialog.Pump();
        });

        std::vector<std::size_t> slots;
        for (int slot = 0; slot < SlotCount; ++slot)
            if (SlotControlIds[slot] != NoControl)
                slots.push_back(static_cast<std::size_t>(slot));
        std::vector<RgbImage> pictures(slots.size());
        pixelLogic = BestMilliseconds([&] {
            for (std::size_t i = 0; i < slots.size(); ++i)
                RenderPreviewPicture(PartImageStore::WorkBase[slots[i]], PartImageStore::WorkMask[slots[i]],
                                     dialog.KeyColour, pictures[i]);
        });
        previews = pictures.size();
        const CClientDC reference(dialog.KeyColourProbe);
        std::vector<CBitmap> bitmaps(pictures.size());
        bitmapWork = BestMilliseconds([&] {
            for (std::size_t i = 0; i < pictures.size(); ++i)
                MakeDisplayBitmap(bitmaps[i], reference, pictures[i]);
        });
        newBitmapWork = BestMilliseconds([&] {
            std::vector<CBitmap> fresh(pictures.size());
            for (std::size_t i = 0; i < pictures.size(); ++i)
                MakeDisplayBitmap(fresh[i], reference, pictures[i]);
        });
    }

    const std::size_t bytes = previews * PartWidth * PartHeight;
    const std::vector<std::uint8_t> source(bytes, 1);
    std::vector<std::uint8_t> target(bytes);
    const double copy = BestMilliseconds([&] { std::memcpy(target.data(), source.data(), bytes); });

    std::printf("display parts, end to end with paints (%zu previews of %dx%d parts): %.2f ms "
                "(goal: under 16 ms)\n",
                previews, PartWidth, PartHeight, display);
    std::printf("  the first display after the room is selected: %.2f ms (one run)\n", firstDisplay);
    std::printf("  pixel logic of the %zu previews: %.2f ms\n", previews, pixelLogic);
    std::printf("  bitmap work of the %zu previews: %.2f ms (goal: under 3 ms), into new bitmaps %.2f ms\n",
                previews, bitmapWork, newBitmapWork);
    std::printf("baseline memcpy of %zu bytes: %.3f ms\n", bytes, copy);
    std::printf("ratios to the baseline: display %.0fx, bitmap work %.1fx (checksum %u)\n", display / copy,
                bitmapWork / copy, target[bytes / 2]);

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
    return 0;
}
