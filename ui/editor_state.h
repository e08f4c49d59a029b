// The process-wide state that every command of the editor shares.
#pragma once

#include "framework/cstring.h"
#include "store/package_header.h"
#include "store/part_image_store.h"

// The folder in which packages are listed, loaded and saved, relative to
// the working directory and ending in '\'; set once by the main dialog's
// initialisation.
extern CString PackageFolder;
// The file name, with ".pac" and without folder, of the package last loaded
// or saved.
extern CString CurrentPackageName;

enum EditorModeValue : int {
    NothingLoaded = 0,
    PackageLoaded = 1,
    PartsDisplay = 2,
};
extern int EditorMode;

// The four image banks and the header of the package last read or saved.
extern ImageBanks PartImageStore;
extern PackageHeaderBlock PackageHeader;
