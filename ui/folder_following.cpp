// The lists follow their folders while the editor runs, and a chosen part
// follows its files. A change notification on each folder is waited for
// beside the message queue in the dialog's own modal loop; a change starts
// the settle timer, and once the folders have been still for its time the
// lists are brought to what the folders hold and each chosen group whose
// files changed is loaded again, as choosing its entry loads it. While a
// message box or the compose dialog is open nothing of it runs: their loops
// do not wait for the notifications, and a tick of the timer that they
// dispatch finds the main dialog disabled.
#include "parts_editor_dlg.h"

#include "core/part_files.h"
#include "editor_state.h"
#include "framework/entry_key.h"

namespace {
constexpr UINT_PTR SettleTimer = 1;
// How long the folders must have been still before they are looked at:
// a program saving a file writes it in several steps, or writes another
// file and renames it over the first.
constexpr UINT SettleMilliseconds = 500;
constexpr DWORD EntryChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
constexpr DWORD FolderChanges = FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr char WorkingFolder[] = ".";
constexpr int EmptyEntry = 0;
constexpr std::size_t ChangesDrawnOneByOne = 8;

std::string WithoutSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The text of the entry chosen in a part combo box; nothing for the empty
// entry.
std::optional<std::string> ChosenEntry(const CComboBox &combo)
{
    const int selected = combo.GetCurSel();
    if (selected == CB_ERR || selected == EmptyEntry)
        return std::nullopt;
    return combo.GetLBText(selected).Bytes();
}

// Brings a list or combo box to the mirror's changes. An entry that the
// editor added itself (an export's, a drop's) is in the box before the
// mirror learns it from the folder: while the box holds entries that the
// mirror does not, a new entry is looked for in the box first.
template <class Box>
void ApplyChanges(const Box &box, const EntryMirror::Changes &changes, bool unknownEntries)
{
    for (const std::string &text : changes.removed) {
        const int index = box.FindStringExact(-1, text);
        if (index >= 0)
            box.DeleteString(index);
    }
    for (const std::string &text : changes.added)
        if (!unknownEntries || box.FindStringExact(-1, text) < 0)
            box.AddString(text);
}
} // namespace

FolderFollowing::FolderFollowing()
    : keys([](const std::string &text) { return FindStringExactKey(CString(text)); }), roomEntries(keys)
{
    for (std::size_t group = 0; group < PartGroups.size(); ++group)
        partEntries.emplace_back(keys);
}

// Watches made anew also after a folder has been replaced; the working
// folder's watch sees folders appear, go and be renamed.
void CPartsEditorDlg::WatchFolders()
{
    following_.packageWatch = FolderWatch(WithoutSeparator(PackageFolder.Bytes()), EntryChanges);
    following_.collectionWatch = FolderWatch(WithoutSeparator(PartsCollectionFolder), EntryChanges);
    if (!following_.workingFolderWatch)
        following_.workingFolderWatch = FolderWatch(WorkingFolder, FolderChanges);
    std::vector<HANDLE> handles;
    for (const FolderWatch *watch :
         {&following_.packageWatch, &following_.collectionWatch, &following_.workingFolderWatch})
        if (*watch)
            handles.push_back(watch->Handle());
    SetWaitHandles(std::move(handles));
}

void CPartsEditorDlg::OnHandleSignalled(HANDLE handle)
{
    NoteChange(handle);
    SetTimer(SettleTimer, SettleMilliseconds);
}

void CPartsEditorDlg::NoteChange(HANDLE handle)
{
    FolderFollowing &f = following_;
    if (handle == f.packageWatch.Handle()) {
        f.packagesChanged = true;
        if (!f.packageWatch.Rearm())
            WatchFolders();
    } else if (handle == f.collectionWatch.Handle()) {
        f.collectionChanged = f.partsToCompare = true;
        if (!f.collectionWatch.Rearm())
            WatchFolders();
    } else if (handle == f.workingFolderWatch.Handle()) {
        f.packagesChanged = f.collectionChanged = f.partsToCompare = true;
        f.workingFolderWatch.Rearm();
        WatchFolders();
    }
}

// Changes that came after the timer was started start it anew.
bool CPartsEditorDlg::TakeChanges()
{
    bool changed = false;
    for (const FolderWatch *watch :
         {&following_.packageWatch, &following_.collectionWatch, &following_.workingFolderWatch}) {
        if (watch->Signalled()) {
            NoteChange(watch->Handle());
            changed = true;
        }
    }
    if (changed)
        SetTimer(SettleTimer, SettleMilliseconds);
    return changed;
}

// The folders have been still. Entries kept only because they were chosen
// are looked at again at each tick until they are not, and files that were
// being written are compared again.
void CPartsEditorDlg::OnTimer(UINT_PTR id)
{
    if (id != SettleTimer || !IsWindowEnabled() || TakeChanges())
        return;
    KillTimer(SettleTimer);
    FolderFollowing &f = following_;
    if (f.packagesChanged)
        f.packages = f.rooms.Update(PackageFolder.Bytes());
    if (f.collectionChanged)
        f.collection = ListCollection(PartsCollectionFolder);
    const bool recheck = f.keptEntries;
    f.keptEntries = false;
    if (f.packagesChanged || recheck)
        FollowRoomList(f.packages);
    if (f.collectionChanged || recheck)
        FollowPartCombos(f.collection);
    f.packagesChanged = f.collectionChanged = false;
    if (f.partsToCompare)
        f.partsToCompare = !ReloadChangedParts();
    if (f.partsToCompare || f.keptEntries)
        SetTimer(SettleTimer, SettleMilliseconds);
}

// The package selected now stays until another is selected.
void CPartsEditorDlg::FollowRoomList(const std::vector<std::string> &packages)
{
    std::optional<std::string> selected;
    if (const int index = RoomList.GetCurSel(); index != LB_ERR)
        selected = RoomList.GetText(index).Bytes();
    const bool unknownEntries = static_cast<std::size_t>(RoomList.GetCount()) > following_.roomEntries.Size();
    const EntryMirror::Changes changes = following_.roomEntries.Follow(packages, {}, selected);
    following_.keptEntries |= changes.keptForChoice;
    // Each change updates the scroll bar; many at once (the list filled at
    // start) are quicker with the drawing off, which costs a few updates.
    const bool many = changes.added.size() + changes.removed.size() > ChangesDrawnOneByOne;
    if (many)
        RoomList.SetRedraw(false);
    ApplyChanges(RoomList, changes, unknownEntries);
    if (many) {
        RoomList.SetRedraw(true);
        RoomList.Invalidate();
    }
}

// An entry stays while any file of its group that it names remains, and
// while it is chosen.
void CPartsEditorDlg::FollowPartCombos(const CollectionListing &listing)
{
    for (std::size_t group = 0; group < PartGroups.size(); ++group) {
        const CComboBox &combo = SlotComboTable[static_cast<std::size_t>(PartGroups[group].KeySlot())];
        const GroupListing &files = listing[group];
        EntryMirror &mirror = following_.partEntries[group];
        const std::optional<std::string> chosen =
            EditorMode == PartsDisplay ? ChosenEntry(combo) : std::nullopt;
        // The empty entry is the box's own.
        const bool unknownEntries = static_cast<std::size_t>(combo.GetCount()) > mirror.Size() + 1;
        const EntryMirror::Changes changes = mirror.Follow(files.offered, files.named, chosen);
        following_.keptEntries |= changes.keptForChoice;
        ApplyChanges(combo, changes, unknownEntries);
    }
}

const GroupFiles *CPartsEditorDlg::RememberChosenPart(int keySlot, const CString &entryText,
                                                      std::optional<GroupFiles> read)
{
    const PartGroup *group = GroupOfSlot(keySlot);
    if (!group)
        return nullptr;
    std::optional<ChosenEntryFiles> &chosen = following_.chosenParts[GroupIndex(*group)];
    if (entryText.IsEmpty()) {
        chosen.reset();
        return nullptr;
    }
    if (!read)
        read = GroupFiles::Read(PartsCollectionFolder, keySlot, entryText.Bytes());
    chosen = ChosenEntryFiles{entryText.Bytes(), std::move(read)};
    return chosen->files ? &*chosen->files : nullptr;
}

// A group whose entry is no longer chosen (parts displayed again, another
// room selected) is forgotten.
bool CPartsEditorDlg::ReloadChangedParts()
{
    bool compared = true;
    for (std::size_t group = 0; group < PartGroups.size(); ++group) {
        std::optional<ChosenEntryFiles> &chosen = following_.chosenParts[group];
        if (!chosen)
            continue;
        const int keySlot = PartGroups[group].KeySlot();
        const CComboBox &combo = SlotComboTable[static_cast<std::size_t>(keySlot)];
        if (EditorMode != PartsDisplay || ChosenEntry(combo) != chosen->entryText) {
            chosen.reset();
            continue;
        }
        std::optional<GroupFiles> files = GroupFiles::Read(PartsCollectionFolder, keySlot, chosen->entryText);
        if (!files)
            compared = false;
        else if (files != chosen->files)
            ReplaceSlotGroup(keySlot, std::move(files));
    }
    return compared;
}
