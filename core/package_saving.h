// Saving the composed package: the header with its new texts and the working
// banks, written so that a failure never costs the user a file. Used by the
// compose dialog and the command-line tool alike.
#pragma once

#include <string>

#include "store/package_header.h"
#include "store/part_image_store.h"

// N + ".pac": the file name, also what CurrentPackageName becomes.
std::string PackageFileName(const std::string &name);
// PackageFolder + N + ".pac" and PackageFolder + N + ".bak".
std::string PackagePath(const std::string &packageFolder, const std::string &name);
std::string BackupPath(const std::string &packageFolder, const std::string &name);

// The create-new test: true when the package file did not exist and an empty
// file now stands at its path (the saving must then be told so).
bool CreateEmptyPackageFile(const std::string &packagePath);

enum class PackageTarget {
    EmptyPlaceholder, // the create-new test left an empty file at the path
    ExistingPackage   // the user agreed to overwrite: the old file becomes .bak
};

struct PackageTexts {
    std::string name;
    std::string remarks;
    std::string author;
};

enum class PackageSaveOutcome { Saved, CannotCreate, WriteFailed, CannotReplace };

// Stores the texts into the header (name, remarks, author) and writes the
// header and the working banks as PackageFolder + N + ".pac".
// ExistingPackage: the package is written to a temporary file first and only
// then put in place; the old package becomes N.bak, replacing an older one.
// When nothing stands at the package path the new file simply takes it; a
// folder or a locked file there (or as N.bak) is left alone and the saving
// fails with CannotReplace.
// On success the working banks become the saved banks. On any failure
// the header gets its previous bytes back, the old package and its backup
// stay as they were, and neither a temporary file nor the empty placeholder
// is left behind.
PackageSaveOutcome SavePackage(ImageBanks &banks, PackageHeaderBlock &header,
                               const std::string &packageFolder, const std::string &name,
                               PackageTarget target, const PackageTexts &texts);
