// Helpers of the tests that load rooms into the main dialog: the dialog
// with its handlers open to the tests, room packages written into a working
// folder, and the state of its controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "ui/parts_editor_dlg.h"

class OpenEditorDlg : public CPartsEditorDlg {
  public:
    using CPartsEditorDlg::DrawBitmap;
    using CPartsEditorDlg::HidePartPreviews;
    using CPartsEditorDlg::LoadPartFromCollection;
    using CPartsEditorDlg::OnDisplayParts;
    using CPartsEditorDlg::OnRoomSelected;
    using CPartsEditorDlg::RedrawPreviews;

    // Creates the dialog and lets it paint itself.
    bool Open();
    // Selects the room list entry as the user would (with notification).
    void SelectRoom(const std::string &fileName);
    // Clicks a button (with notification; a disabled one is not ignored).
    void Command(int id, int code = BN_CLICKED);
    // Chooses the entry of a part combo box as the user would.
    void ChooseEntry(int comboId, const std::string &text);
    // Runs every waiting message (paints included).
    void Pump();

    HWND Item(int id) const { return GetDlgItem(id).GetSafeHwnd(); }
    std::string ItemText(int id) const;
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
    // Client size of a control.
    SIZE Size(int id) const;
    std::vector<std::string> ComboEntries(int id) const;
};

// A package file with the flag that lists it, its three texts and forty
// records; each record is a 4-byte size and the bytes given (a record may
// claim more bytes than it has).
struct RawRecord {
    std::uint32_t size = 0;
    std::vector<std::uint8_t> bytes;
};
std::string PackageBytes(const std::string &name, const std::string &remarks, const std::string &author,
                         const std::vector<RawRecord> &records);
RawRecord Record(const std::vector<std::uint8_t> &file);

// The whole sample room of that index, as package bytes.
std::string SampleRoomBytes(int index);
std::string AsString(const std::vector<std::uint8_t> &bytes);

// The first FileSize bytes of a working or saved slot.
std::string WorkBaseImage(int slot);
std::string WorkMaskImage(int slot);
bool WorkSlotIsSaved(int slot);
