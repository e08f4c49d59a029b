// Pictures dropped onto the main dialog become parts: the core decides where
// each goes and writes the collection files; the dialog gathers the names
// and the point, asks whether to shrink, shows what failed, and chooses each
// new entry as the user would.
#include "parts_editor_dlg.h"

#include "core/import/import_failure_message.h"
#include "core/import/picture_import.h"
#include "core/messages.h"
#include "core/part_files.h"
#include "editor_state.h"
#include "framework/drop_files.h"
#include "framework/message_box.h"
#include "store/code_page.h"

namespace {

// The last component of a dropped path, shown in messages as well as it
// goes even when code page 932 cannot hold it.
std::string ShownFileName(const std::wstring &path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return Cp932FromWideLenient(separator == std::wstring::npos ? path : path.substr(separator + 1));
}

void ShowFailure(const ImportFailure &failure)
{
    const std::string message = ImportFailureMessage(failure);
    if (!message.empty())
        AfxMessageBox(message);
}

} // namespace

// Only in parts display mode, while the part combo boxes are enabled.
void CPartsEditorDlg::OnDropFiles(HDROP drop)
{
    const CDropFiles files(drop);
    if (EditorMode != PartsDisplay) {
        AfxMessageBox(DisplayPartsFirstMessage());
        return;
    }
    std::vector<std::string> paths;
    for (const std::wstring &name : files.FileNames()) {
        if (const std::optional<std::string> path = Cp932FromWide(name))
            paths.push_back(*path);
        else
            AfxMessageBox(InvalidFileNameMessage(ShownFileName(name)));
    }
    ImportFrontEnd frontEnd;
    frontEnd.shrinkOversized = [] {
        return AfxMessageBox(ShrinkQuestion(), MB_YESNO) == IDYES;
    };
    frontEnd.failed = ShowFailure;
    frontEnd.imported = [this](const ImportedGroup &group) {
        ChooseImportedEntry(group.comboId, group.keySlot, group.entryText);
    };
    frontEnd.unmatched = [](const std::vector<std::string> &names) {
        AfxMessageBox(UnmatchedFilesMessage(names));
    };
    ImportPictures(PartImageStore, paths, PreviewSlotAt(files.Point()), PartsCollectionFolder, frontEnd);
}

std::optional<int> CPartsEditorDlg::PreviewSlotAt(POINT point) const
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const CWnd &preview = PreviewControls[static_cast<std::size_t>(slot)];
        if (!preview || !preview.IsWindowVisible())
            continue;
        RECT rect{};
        preview.GetWindowRect(&rect);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT *>(&rect), 2);
        if (PtInRect(&rect, point))
            return slot;
    }
    return std::nullopt;
}

// The entry is offered as the export offers its entries, then chosen: the
// group is replaced exactly as a choice in the combo box replaces it.
void CPartsEditorDlg::ChooseImportedEntry(int comboId, int keySlot, const CString &entry)
{
    const int index = AddEntryOnce(comboId, entry);
    SlotComboTable[static_cast<std::size_t>(keySlot)].SetCurSel(index);
    ReplaceSlotGroup(keySlot);
}
