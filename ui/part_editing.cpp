// A double-click on a part's preview opens the slot's base file in the
// program that the shell has for editing BMP pictures. When the group shows
// parts that no collection files hold (the room's own, a load that failed,
// files changed since they were chosen), the core writes them first as a
// drop writes its files, and their entry is chosen as a drop's entry is.
// Saving in that program then comes back through the folder's following.
#include "parts_editor_dlg.h"

#include <objbase.h>
#include <shellapi.h>

#include "core/import/shown_group_files.h"
#include "core/messages.h"
#include "core/part_files.h"
#include "core/slot_map.h"
#include "editor_state.h"
#include "framework/message_box.h"

namespace {

// COM for the shell's handlers, for the length of one call.
class ComForThisCall {
  public:
    ComForThisCall()
        : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ComForThisCall(const ComForThisCall &) = delete;
    ComForThisCall &operator=(const ComForThisCall &) = delete;
    ~ComForThisCall()
    {
        if (initialised_)
            CoUninitialize();
    }

  private:
    bool initialised_;
};

// The program started elsewhere gets the whole path.
std::wstring FullPath(const std::wstring &path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

// No box of the shell's own: a failure gets the editor's message.
bool RunShellAction(const wchar_t *verb, const std::wstring &path)
{
    SHELLEXECUTEINFOW action{};
    action.cbSize = sizeof(action);
    action.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
    action.lpVerb = verb;
    action.lpFile = path.c_str();
    action.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&action) != FALSE;
}

// The file's "edit" action, else its "open" action.
bool OpenForEditing(const std::string &path)
{
    const std::wstring full = FullPath(CString(path).ToWide());
    const ComForThisCall com;
    return RunShellAction(L"edit", full) || RunShellAction(L"open", full);
}

} // namespace

// Only in parts display mode; slot 14 has no preview.
void CPartsEditorDlg::OnPreviewDoubleClicked(UINT controlId)
{
    const int slot = SlotOfPreviewControl(static_cast<int>(controlId));
    const PartGroup *group = GroupOfSlot(slot);
    if (EditorMode != PartsDisplay || !group)
        return;
    const CComboBox &combo = SlotComboTable[static_cast<std::size_t>(group->KeySlot())];
    const int selected = combo.GetCurSel();
    const std::string chosen = selected == CB_ERR ? std::string() : combo.GetLBText(selected).Bytes();
    const ShownGroupEntry entry =
        EntryOfShownGroup(PartImageStore, *group, chosen, ShownPartStem(), PartsCollectionFolder);
    if (entry.notWritten) {
        AfxMessageBox(ImportNotWrittenMessage(*entry.notWritten));
        return;
    }
    if (entry.entryText != chosen)
        ChooseImportedEntry(group->comboId, group->KeySlot(), entry.entryText);
    const std::string fileName = CollectionFileName(slot, entry.entryText);
    if (!OpenForEditing(PartsCollectionFolder + fileName))
        AfxMessageBox(NoEditingProgramMessage(fileName));
}
