// Files the page opens are put into the working folder: packages into the
// package folder, part files named as the export names them into the parts
// collection, and a picked folder's files where they are in that folder,
// which so becomes the working folder. Other files are pictures, imported
// by their names as a drop elsewhere on the editor imports them.
#include "editor_session.h"

#include <filesystem>

#include "core/file_names.h"
#include "core/messages.h"
#include "core/package_folder.h"
#include "core/part_files.h"
#include "core/picture/part_conversion.h"
#include "core/whole_file.h"
#include "store/code_page.h"
#include "store/file_system.h"
#include "text_forms.h"

namespace {
constexpr char PackageExtension[] = ".pac";
constexpr char PartExtension[] = ".bmp";
constexpr char PartialSuffix[] = ".part";
constexpr int PartNumbers = 2 * SlotCount;

bool EndsWithIgnoringCase(const std::string &text, std::string_view ending)
{
    if (text.size() < ending.size())
        return false;
    for (std::size_t i = 0; i < ending.size(); ++i) {
        const char c = text[text.size() - ending.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != ending[i])
            return false;
    }
    return true;
}

// Two digits of a slot or mask number, a stem and ".bmp", as the parts
// collection's files are named.
bool IsPartFileName(const std::string &name)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return name.size() > 2 && digit(name[0]) && digit(name[1]) &&
           (name[0] - '0') * 10 + (name[1] - '0') < PartNumbers && EndsWithIgnoringCase(name, PartExtension);
}

// A name that can stand in a folder: code page 932, no separator, not a
// folder's own entries.
std::optional<std::string> EntryName(const std::string &utf8)
{
    if (utf8.empty() || utf8 == "." || utf8 == ".." || utf8.find_first_of("/\\") != std::string::npos)
        return std::nullopt;
    return ConvertUtf8ToCp932(utf8);
}

std::string LayerPathOf(std::string path)
{
    for (char &c : path)
        c = c == '/' ? '\\' : c;
    return ConvertUtf8ToCp932(path).value_or(std::string());
}
} // namespace

SessionReply EditorSession::Open(const std::vector<IncomingFile> &files, std::optional<bool> answer)
{
    BeginCall(QuestionId::Shrink, answer);
    std::vector<IncomingFile> pictures;
    PlaceFiles(files, pictures);
    FollowFolders();
    if (!pictures.empty())
        ImportDropped(std::nullopt, pictures);
    return EndCall();
}

// Written under a temporary name and then put in place, so that a file
// that cannot be written whole leaves the one of that name as it was.
bool EditorSession::CopyIn(const IncomingFile &file, const std::string &target)
{
    const std::string shown = Cp932FromUtf8Lenient(file.name);
    const WholeFile read = ReadWholeFile(LayerPathOf(file.path), LargestPictureFile);
    if (read.status != WholeFileStatus::Read) {
        Show(read.status == WholeFileStatus::TooLarge ? PictureTooLargeMessage(shown)
                                                      : PictureUnreadableMessage(shown));
        return false;
    }
    const std::string partial = target + PartialSuffix;
    FileHandle out = FileHandle::CreateAlways(partial);
    const bool written = out.IsOpen() && out.Write(read.bytes.data(), read.bytes.size()) && out.Close() &&
                         RenameFile(partial, target, true);
    if (!written) {
        out.Close();
        DeleteFileAt(partial);
        Show(PackageNotSavedMessage(shown));
    }
    return written;
}

void EditorSession::PlaceFiles(const std::vector<IncomingFile> &files, std::vector<IncomingFile> &pictures)
{
    bool folderOpened = false;
    for (const IncomingFile &file : files) {
        if (file.relative) {
            PlaceFromFolder(file);
            folderOpened = true;
            continue;
        }
        const std::optional<std::string> name = EntryName(file.name);
        if (!name) {
            Show(InvalidFileNameMessage(Cp932FromUtf8Lenient(file.name)));
        } else if (EndsWithIgnoringCase(*name, PackageExtension)) {
            CopyIn(file, packageFolder_ + *name);
        } else if (IsPartFileName(*name)) {
            CreateFolder(std::string(PartsCollectionFolder, sizeof PartsCollectionFolder - 2));
            CopyIn(file, PartsCollectionFolder + *name);
        } else {
            pictures.push_back(file);
        }
    }
    if (folderOpened)
        FindPackageFolderAgain();
}

// The first folder of the relative path is the picked folder itself; the
// folders after it are made as needed.
void EditorSession::PlaceFromFolder(const IncomingFile &file)
{
    std::string target;
    const std::string &relative = *file.relative;
    std::size_t start = relative.find('/');
    while (start != std::string::npos) {
        const std::size_t end = relative.find('/', start + 1);
        const std::optional<std::string> name = EntryName(relative.substr(start + 1, end - start - 1));
        if (!name) {
            Show(InvalidFileNameMessage(Cp932FromUtf8Lenient(file.name)));
            return;
        }
        if (!target.empty())
            CreateFolder(target);
        target += target.empty() ? *name : "\\" + *name;
        start = end;
    }
    if (!target.empty())
        CopyIn(file, target);
}
