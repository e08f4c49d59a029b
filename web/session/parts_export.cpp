// The export command: every part slot but 14 as a base file and a mask
// file in the parts collection, offering the room in each combo box as soon
// as its slots are written; then the files written as one zip to download,
// named after the package ("mori.zip").
#include "editor_session.h"

#include <algorithm>
#include <ctime>

#include "core/archive/zip_writer.h"
#include "core/messages.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "store/code_page.h"
#include "store/file_system.h"
#include "text_forms.h"

namespace {
constexpr char ZipEnding[] = "zip";

// The export's files in its order, as they were written: the working
// slots' file bytes, without those that could not be written.
std::vector<ZipEntry> ExportedFiles(const ImageBanks &banks, const std::string &stem,
                                    const std::vector<std::string> &failed)
{
    std::vector<ZipEntry> entries;
    const auto add = [&](int number, const PartSlot &slot) {
        const std::string name = ExportFileName(number, stem);
        const std::optional<std::span<const std::uint8_t>> bytes = PartFileBytes(slot);
        if (bytes && std::find(failed.begin(), failed.end(), name) == failed.end())
            entries.push_back({name, std::vector<std::uint8_t>(bytes->begin(), bytes->end())});
    };
    for (const PartGroup &group : PartGroups)
        for (const int slot : group.ExportOrder()) {
            add(slot, banks.WorkBase[static_cast<std::size_t>(slot)]);
            add(MaskNumber(slot), banks.WorkMask[static_cast<std::size_t>(slot)]);
        }
    return entries;
}

DosDateTime Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return {};
    return MakeDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                           local.tm_sec);
}
} // namespace

SessionReply EditorSession::Export()
{
    BeginCall();
    if (!outputEnabled_)
        return EndCall();
    const std::string stem = PartStem(fileNameField_);
    std::vector<std::string> failed = ExportRoomParts(*banks_, stem, PartsCollectionFolder, [&](int comboId) {
        ComboOfGroup(*GroupOfSlot(KeySlotOfCombo(comboId))).AddOnce(ExportedEntryText(stem));
    });
    outputEnabled_ = false;
    if (!WriteDownload(stem + ZipEnding, MakeZip(ExportedFiles(*banks_, stem, failed), Now())))
        failed.push_back(stem + ZipEnding);
    if (!failed.empty())
        Show(ExportFailedMessage(failed));
    FollowFolders();
    return EndCall();
}

// Into the download folder, offered in the reply; false when nothing could
// be written.
bool EditorSession::WriteDownload(const std::string &name,
                                  const std::optional<std::vector<std::uint8_t>> &bytes)
{
    const std::optional<std::string> folder = ConvertUtf8ToCp932(folders_.downloads);
    if (!bytes || !folder)
        return false;
    const std::string path = *folder + "\\" + name;
    FileHandle file = FileHandle::CreateAlways(path);
    if (!file.IsOpen() || !file.Write(bytes->data(), bytes->size()) || !file.Close()) {
        file.Close();
        DeleteFileAt(path);
        return false;
    }
    call_.reply.downloads.push_back(
        {Utf8FromCp932Lenient(name), folders_.downloads + "/" + Utf8FromCp932Lenient(name)});
    return true;
}
