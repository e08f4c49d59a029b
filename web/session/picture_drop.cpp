// Pictures dropped onto the page become parts, as a drop onto the editor
// does: the core decides where each goes and writes the collection files;
// the session asks whether to shrink, shows what failed and chooses each
// new entry as the user would.
#include "editor_session.h"

#include "core/import/import_failure_message.h"
#include "core/import/picture_import.h"
#include "core/messages.h"
#include "core/part_files.h"
#include "store/code_page.h"
#include "text_forms.h"

namespace {
// A path of the module's file system as the file layer takes it: code page
// 932 with '\' between folders; nothing when code page 932 cannot hold it.
std::optional<std::string> LayerPath(std::string path)
{
    for (char &c : path)
        c = c == '/' ? '\\' : c;
    return ConvertUtf8ToCp932(path);
}

// A drop counts onto a preview only where one is shown.
std::optional<int> ShownSlot(std::optional<int> slot, const std::array<PreviewControl, SlotCount> &previews)
{
    if (!slot || *slot < 0 || *slot >= SlotCount || !previews[static_cast<std::size_t>(*slot)].visible)
        return std::nullopt;
    return slot;
}
} // namespace

SessionReply EditorSession::Drop(std::optional<int> slot, const std::vector<IncomingFile> &files,
                                 std::optional<bool> answer)
{
    BeginCall(QuestionId::Shrink, answer);
    ImportDropped(slot, files);
    return EndCall();
}

// Only in parts display mode. The question is the drop's one: a drop
// without its answer stops there, before anything is written.
void EditorSession::ImportDropped(std::optional<int> slot, const std::vector<IncomingFile> &files)
{
    if (mode_ != EditorMode::PartsDisplay) {
        Show(DisplayPartsFirstMessage());
        return;
    }
    std::vector<std::string> paths;
    for (const IncomingFile &file : files) {
        if (const std::optional<std::string> path = LayerPath(file.path))
            paths.push_back(*path);
        else
            Show(InvalidFileNameMessage(Cp932FromUtf8Lenient(file.name)));
    }
    ImportFrontEnd frontEnd;
    frontEnd.shrinkOversized = [this] {
        const std::optional<bool> shrink = Ask(QuestionId::Shrink, ShrinkQuestion());
        if (!shrink)
            throw QuestionAsked{};
        return *shrink;
    };
    frontEnd.failed = [this](const ImportFailure &failure) {
        const std::string message = ImportFailureMessage(failure);
        if (!message.empty())
            Show(message);
    };
    frontEnd.imported = [this](const ImportedGroup &group) {
        ChooseImportedEntry(group.keySlot, group.entryText);
    };
    frontEnd.unmatched = [this](const std::vector<std::string> &names) {
        Show(UnmatchedFilesMessage(names));
    };
    try {
        ImportPictures(*banks_, paths, ShownSlot(slot, previews_), PartsCollectionFolder, frontEnd);
    } catch (const QuestionAsked &) {
        return;
    }
    FollowFolders();
}
