// What the store and core tests share: the banks and the header they work
// on (their own, not the editor's) and a fresh working folder per test.
#pragma once

#include <filesystem>

#include "store/package_header.h"
#include "store/part_image_store.h"

extern ImageBanks TestBanks;
extern PackageHeaderBlock TestHeader;

// Every bank and the header all zeros, as a new editor's.
void ResetStore();

// A new empty folder under the system's temporary folder, made the working
// directory for its lifetime, with the banks and the header zeroed; the
// previous directory comes back and the folder goes away at the end.
class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    ~ScratchFolder();

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
