// The export command: every part slot but 14 as a base file and a mask
// file in the parts collection, offering the room in each combo box as soon
// as its slots are written; then the files as one zip to download.
#include "editor_session.h"

#include "core/messages.h"
#include "core/part_export.h"
#include "core/part_files.h"

SessionReply EditorSession::Export()
{
    BeginCall();
    if (!outputEnabled_)
        return EndCall();
    const std::string stem = PartStem(fileNameField_);
    const std::vector<std::string> failed =
        ExportRoomParts(*banks_, stem, PartsCollectionFolder, [&](int comboId) {
            ComboOfGroup(*GroupOfSlot(KeySlotOfCombo(comboId))).AddOnce(ExportedEntryText(stem));
        });
    outputEnabled_ = false;
    if (!failed.empty())
        Show(ExportFailedMessage(failed));
    FollowFolders();
    return EndCall();
}
