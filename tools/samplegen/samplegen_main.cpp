// Writes the sample room packages into OUTDIR/部屋/, the package folder the
// editor looks for first in its working directory.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "sample_rooms.h"

namespace {

bool WriteFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: tavi_samplegen OUTDIR\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / std::filesystem::path(u8"部屋");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "tavi_samplegen: cannot create the package folder: %s\n",
                     error.message().c_str());
        return 1;
    }
    const std::span<const SampleRoom> rooms = SampleRooms();
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        if (!WriteFile(folder / rooms[i].fileName, BuildSampleRoomPackage(static_cast<int>(i)))) {
            std::fprintf(stderr, "tavi_samplegen: cannot write %s\n", rooms[i].fileName);
            return 1;
        }
    }
    return 0;
}
