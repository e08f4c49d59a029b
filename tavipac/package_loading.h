// Puts a package into an image store of its own, as the editor does when a
// room is selected and its parts displayed.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "store/package_header.h"
#include "store/part_image_store.h"

// The header and the four banks of one editor.
struct LoadedPackage {
    PackageHeaderBlock header;
    ImageBanks banks;
};

// A store as at the start of the editor, with the header and the forty
// records read into the header and the working banks, which are then made
// the saved banks. What the editor would report (images that are not 8-bit,
// records larger than a slot) goes to warnings. Throws a CommandError when
// the file cannot be opened.
std::unique_ptr<LoadedPackage> LoadPackage(const std::string &storePath, std::ostream &warnings);
