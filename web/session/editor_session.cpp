#include "editor_session.h"

#include <filesystem>

#include "core/box_order.h"
#include "core/package_folder.h"
#include "store/code_page.h"
#include "store/file_system.h"

namespace {
std::string WithoutSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool FolderExists(const std::string &folder)
{
    const std::vector<FoundEntry> found = FindEntries(WithoutSeparator(folder));
    return !found.empty() && found.front().isFolder;
}
} // namespace

// The part combo boxes start with their empty entry, disabled and without a
// selection, as the dialog template makes them.
EditorSession::EditorSession(SessionFolders folders)
    : folders_(std::move(folders)), banks_(std::make_unique<ImageBanks>()), keys_(BoxOrderKey),
      roomMirror_(keys_)
{
    std::filesystem::create_directories(folders_.working);
    std::filesystem::create_directories(folders_.downloads);
    std::filesystem::current_path(folders_.working);
    for (SortedBox &combo : groups_)
        combo.Add("");
    for (std::size_t group = 0; group < PartGroups.size(); ++group)
        partMirrors_.emplace_back(keys_);
    FindPackageFolderAgain();
    FollowFolders();
}

// The package folder as the editor finds it; one is made where there is
// none, so that packages opened one by one have a place. The one made
// gives way, while it is empty, to one that a picked folder brings.
void EditorSession::FindPackageFolderAgain()
{
    std::error_code ignored;
    if (madePackageFolder_ && FindEntries(packageFolder_ + "*").empty())
        if (const std::optional<std::string> native = ConvertCp932ToUtf8(WithoutSeparator(packageFolder_)))
            std::filesystem::remove(*native, ignored);
    packageFolder_ = FindPackageFolder();
    madePackageFolder_ = !FolderExists(packageFolder_);
    if (madePackageFolder_) {
        packageFolder_ = NewPackageFolder();
        CreateFolder(WithoutSeparator(packageFolder_));
    }
}

void EditorSession::BeginCall(std::optional<QuestionId> id, std::optional<bool> answer)
{
    call_ = Call{};
    if (answer && id && pending_ && pending_->id == *id) {
        call_.answer = answer;
        call_.skip = pending_->messagesBefore;
    }
    pending_.reset();
}

SessionReply EditorSession::EndCall()
{
    return std::move(call_.reply);
}

void EditorSession::Show(const std::string &message)
{
    if (++call_.shown > call_.skip)
        call_.reply.messages.push_back(message);
}

std::optional<bool> EditorSession::Ask(QuestionId id, const std::string &text)
{
    if (call_.answer)
        return call_.answer;
    call_.reply.question = SessionQuestion{id, text};
    pending_ = PendingQuestion{id, call_.shown};
    return std::nullopt;
}

SessionReply EditorSession::SetAutoDisplay(bool on)
{
    BeginCall();
    autoDisplay_ = on;
    return EndCall();
}
