// CPartsEditorDlg: the editor's main dialog (template 102). It owns every
// control of the editor, the twenty preview bitmaps and the tables that tie
// the part slots to their controls. Its command handlers are defined in one
// file per command: room_loading.cpp, preview_rendering.cpp,
// parts_export.cpp, part_replacement.cpp, picture_drop.cpp, part_editing.cpp
// and compose_command.cpp; folder_following.cpp keeps the lists up to date
// with the folders while the editor runs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/button.h"
#include "framework/combo_box.h"
#include "framework/cstring.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/edit.h"
#include "framework/list_box.h"
#include "framework/static.h"
#include "store/part_slot.h"
#include "core/collection_listing.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"
#include "folder_following.h"

class CPartsEditorDlg : public CDialog {
  public:
    explicit CPartsEditorDlg(CWnd *parent = nullptr);
    ~CPartsEditorDlg() override;

    CStatic KeyColourProbe; // 1056, hidden
    CEdit NameEdit;         // 1007
    CEdit RemarksEdit;      // 1005
    CButton DisplayButton;  // 1031
    CButton OutputButton;   // 1032
    CButton ComposeButton;  // 1033
    CListBox RoomList;      // 1000
    CString FileNameValue;  // exchanged with edit 1004
    CString AuthorValue;    // exchanged with edit 1006
    HICON MainIcon;         // icon 128, shared: never destroyed here

    // One rendered preview per slot.
    std::array<CBitmap, SlotCount> PreviewBitmaps;
    // The preview control of each slot; unbound (false) for slot 14.
    std::array<CWnd, SlotCount> PreviewControls;
    // The colour of the dialog's background, 0 until read (COLORREF).
    std::uint32_t KeyColour = 0;
    // PackageFolder followed by the file name of the package last selected.
    CString PackagePath;
    // The part combo box of each key slot; unbound (false) for the others.
    std::array<CComboBox, SlotCount> SlotComboTable;
    // Check box 1057: display the parts as soon as a room is selected.
    std::int32_t AutoDisplay = 0;

  protected:
    const MessageMap *GetMessageMap() const override;
    void DoDataExchange(CDataExchange *dx) override;
    bool PreTranslateMessage(MSG *message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // Window of the dialog itself (parts_editor_dlg.cpp).
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAutoDisplayClicked();

    // Room loading and parts display (room_loading.cpp).
    void OnRoomSelected();
    void OnDisplayParts();

    // Part previews (preview_rendering.cpp).
    void HidePartPreviews();
    void RedrawPreviews(int slot);
    void RenderPreview(int slot);
    BOOL DrawBitmap(CDC *target, CBitmap *bitmap);
    void OnDrawItem(int controlId, DRAWITEMSTRUCT *item);

    // Parts collection and export (parts_export.cpp).
    void FillPartCombos();
    void OnOutputParts();
    void AddExportedNameToCombo(int comboId);
    // Adds the entry unless an equal one is there; returns its index.
    int AddEntryOnce(int comboId, const CString &entry);
    // The stem of the package shown in the file-name field ("abc." for
    // "abc.pac"), which names the exported files.
    std::string ShownPartStem() const;

    // Part replacement (part_replacement.cpp).
    void OnPartComboChange(WPARAM param);
    // read: the group's files as already read, when the caller has them.
    void ReplaceSlotGroup(int keySlot, std::optional<GroupFiles> read = std::nullopt);
    void LoadPartFromCollection(int slot, CString entryText, const PartCollection &files);

    // Pictures dropped onto the dialog (picture_drop.cpp).
    void OnDropFiles(HDROP drop);
    // The slot whose shown preview lies under a point of the client area.
    std::optional<int> PreviewSlotAt(POINT point) const;
    // Offers a group's new entry, chooses it and replaces the group with it.
    void ChooseImportedEntry(int comboId, int keySlot, const CString &entry);

    // A part opened in the painting program (part_editing.cpp).
    void OnPreviewDoubleClicked(UINT controlId);

    // Composing a package (compose_command.cpp).
    void OnComposeParts();

    // The lists following their folders, and the chosen parts their files,
    // while the editor runs (folder_following.cpp).
    void WatchFolders();
    void OnHandleSignalled(HANDLE handle) override;
    void OnTimer(UINT_PTR id);
    // The room list brought to the packages the folder holds.
    void FollowRoomList(const std::vector<std::string> &packages);
    // The part combo boxes brought to the files the collection holds.
    void FollowPartCombos(const CollectionListing &listing);
    // Keeps the files behind a group's entry as the group is loaded, read
    // now unless given; null for the empty entry or while a file is being
    // written.
    const GroupFiles *RememberChosenPart(int keySlot, const CString &entryText,
                                         std::optional<GroupFiles> read = std::nullopt);
    // Loads again each chosen group whose files changed; false while one is
    // being written.
    bool ReloadChangedParts();

  private:
    static const MessageMapEntry MessageEntries[];

    void AddAboutToSystemMenu();
    void FillRoomList();
    void SetSlotComboTable();
    void SetPreviewControls();
    void RepaintWhatHidingUncovers(HWND control, const RECT &before);
    const std::vector<HWND> &ControlsInZOrder();

    bool TakeChanges();
    void NoteChange(HANDLE handle);

    FolderFollowing following_;
    std::vector<HWND> controlsInZOrder_;
    // The picture of the slot being rendered, kept for its buffer.
    RgbImage previewPicture_;
};
