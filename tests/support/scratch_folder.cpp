#include "scratch_folder.h"

#include <atomic>
#include <random>
#include <string>

ImageBanks TestBanks;
PackageHeaderBlock TestHeader;

namespace {
// Unique within the run and across runs side by side.
std::filesystem::path NewFolderName()
{
    static std::atomic<int> counter{0};
    static const unsigned run = std::random_device{}();
    return std::filesystem::temp_directory_path() /
           ("tavi-test-" + std::to_string(run) + "-" + std::to_string(counter++));
}
} // namespace

void ResetStore()
{
    for (PartBank *bank :
         {&TestBanks.WorkBase, &TestBanks.WorkMask, &TestBanks.SavedBase, &TestBanks.SavedMask})
        for (PartSlot &slot : *bank)
            slot.bytes.fill(0);
    TestHeader = PackageHeaderBlock{};
}

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path()), folder_(NewFolderName())
{
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    ResetStore();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(folder_, ignored);
}
