#include "package_saving.h"

#include <optional>

#include "store/file_system.h"
#include "store/package_file.h"

namespace {

constexpr char PackageExtension[] = ".pac";
constexpr char BackupExtension[] = ".bak";
// Extensions that neither "*.pac" nor "*.bak" match, not even through the
// short 8.3 names Windows derives from them ("TAV").
constexpr char TemporaryExtension[] = ".tavi-tmp";
constexpr char ParkedBackupExtension[] = ".tavi-old";
constexpr int MaxNameTries = 100;

// Creates a new empty file base + extension, or base + ".1" + extension and
// so on, so that no file of the user's is ever touched.
std::optional<std::string> ReserveFreeName(const std::string &base, const std::string &extension)
{
    for (int attempt = 0; attempt < MaxNameTries; ++attempt) {
        std::string path = base;
        if (attempt > 0)
            path += '.' + std::to_string(attempt);
        path += extension;
        FileHandle file = FileHandle::CreateNew(path);
        if (file.IsOpen()) {
            file.Close();
            return path;
        }
    }
    return std::nullopt;
}

PackageSaveOutcome WriteOutcome(WriteResult result)
{
    switch (result) {
    case WriteResult::Written: return PackageSaveOutcome::Saved;
    case WriteResult::CannotCreate: return PackageSaveOutcome::CannotCreate;
    case WriteResult::WriteFailed:
    case WriteResult::SlotTooLarge: return PackageSaveOutcome::WriteFailed;
    }
    return PackageSaveOutcome::WriteFailed;
}

// The placeholder is the editor's own empty file: write into it directly and
// remove it again when the package cannot be written.
// The package of the header and the working banks.
struct PackageContents {
    const PackageHeaderBlock &header;
    const ImageBanks &banks;
};

WriteResult WriteContents(const std::string &path, const PackageContents &contents)
{
    return WritePackage(path, contents.header, contents.banks.WorkBase, contents.banks.WorkMask);
}

PackageSaveOutcome WriteIntoPlaceholder(const std::string &packagePath, const PackageContents &contents)
{
    const PackageSaveOutcome outcome = WriteOutcome(WriteContents(packagePath, contents));
    if (outcome != PackageSaveOutcome::Saved)
        DeleteFileAt(packagePath);
    return outcome;
}

// A file that can be opened for reading: not missing, not a folder, not
// locked by another program.
bool IsReadableFile(const std::string &path)
{
    return FileHandle::OpenForSharedRead(path).IsOpen();
}

// Moves an older backup out of the way under a free name, so that it can be
// put back if the replacement fails. Empty when there was none to move.
std::optional<std::string> ParkOldBackup(const std::string &base, const std::string &backupPath)
{
    if (!IsReadableFile(backupPath))
        return std::nullopt;
    const std::optional<std::string> parked = ReserveFreeName(base, ParkedBackupExtension);
    if (!parked)
        return std::nullopt;
    if (RenameFile(backupPath, *parked, true))
        return parked;
    DeleteFileAt(*parked);
    return std::nullopt;
}

void UnparkOldBackup(const std::optional<std::string> &parked, const std::string &backupPath)
{
    if (parked)
        RenameFile(*parked, backupPath, false);
}

// The written temporary file takes the package's place and the old package
// becomes the backup. Every step that fails undoes the steps before it; a
// folder or a locked file in the way is never moved.
bool PutInPlace(const std::string &temporary, const std::string &base)
{
    const std::string packagePath = base + PackageExtension;
    const std::string backupPath = base + BackupExtension;
    if (!IsReadableFile(packagePath))
        return RenameFile(temporary, packagePath, false);
    const std::optional<std::string> parked = ParkOldBackup(base, backupPath);
    if (!RenameFile(packagePath, backupPath, false)) {
        UnparkOldBackup(parked, backupPath);
        return false;
    }
    if (!RenameFile(temporary, packagePath, false)) {
        RenameFile(backupPath, packagePath, false);
        UnparkOldBackup(parked, backupPath);
        return false;
    }
    if (parked)
        DeleteFileAt(*parked);
    return true;
}

PackageSaveOutcome ReplaceExistingPackage(const std::string &base, const PackageContents &contents)
{
    const std::optional<std::string> temporary = ReserveFreeName(base, TemporaryExtension);
    if (!temporary)
        return PackageSaveOutcome::CannotCreate;
    PackageSaveOutcome outcome = WriteOutcome(WriteContents(*temporary, contents));
    if (outcome == PackageSaveOutcome::Saved && !PutInPlace(*temporary, base))
        outcome = PackageSaveOutcome::CannotReplace;
    if (outcome != PackageSaveOutcome::Saved)
        DeleteFileAt(*temporary);
    return outcome;
}

void StoreTexts(PackageHeaderBlock &header, const PackageTexts &texts)
{
    SetHeaderText(header, NameText, texts.name);
    SetHeaderText(header, RemarksText, texts.remarks);
    SetHeaderText(header, AuthorText, texts.author);
}

} // namespace

std::string PackageFileName(const std::string &name)
{
    return name + PackageExtension;
}

std::string PackagePath(const std::string &packageFolder, const std::string &name)
{
    return packageFolder + name + PackageExtension;
}

std::string BackupPath(const std::string &packageFolder, const std::string &name)
{
    return packageFolder + name + BackupExtension;
}

bool CreateEmptyPackageFile(const std::string &packagePath)
{
    FileHandle file = FileHandle::CreateNew(packagePath);
    return file.IsOpen();
}

PackageSaveOutcome SavePackage(ImageBanks &banks, PackageHeaderBlock &header,
                               const std::string &packageFolder, const std::string &name,
                               PackageTarget target, const PackageTexts &texts)
{
    const PackageHeaderBlock previousHeader = header;
    StoreTexts(header, texts);
    const PackageContents contents{header, banks};
    const PackageSaveOutcome outcome = target == PackageTarget::EmptyPlaceholder
                                           ? WriteIntoPlaceholder(PackagePath(packageFolder, name), contents)
                                           : ReplaceExistingPackage(packageFolder + name, contents);
    if (outcome == PackageSaveOutcome::Saved)
        banks.CopyWorkingToSaved();
    else
        header = previousHeader;
    return outcome;
}
