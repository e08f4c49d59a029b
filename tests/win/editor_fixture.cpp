#include "editor_fixture.h"

#include <algorithm>
#include <cstring>

#include "dialog_driver.h"
#include "res/resource.h"
#include "store/package_header.h"
#include "store/part_image_store.h"
#include "ui/editor_state.h"
#include "tools/samplegen/sample_rooms.h"

namespace {
constexpr std::size_t RoomFlagValue = 1;

void AppendSize(std::string &bytes, std::uint32_t size)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((size >> shift) & 0xFF));
}

std::string SlotImage(const PartSlot &slot)
{
    const std::size_t size = std::min<std::size_t>(FileSize(slot), SlotSize);
    return std::string(reinterpret_cast<const char *>(slot.bytes.data()), size);
}
} // namespace

bool OpenEditorDlg::Open()
{
    if (!Create())
        return false;
    Pump();
    return true;
}

void OpenEditorDlg::SelectRoom(const std::string &fileName)
{
    RoomList.SetCurSel(RoomList.FindStringExact(-1, fileName));
    SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ROOM_LIST, LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(RoomList.GetSafeHwnd()));
    Pump();
}

void OpenEditorDlg::Command(int id, int code)
{
    SendMessage(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    Pump();
}

void OpenEditorDlg::ChooseEntry(int comboId, const std::string &text)
{
    CComboBox combo;
    combo.Attach(Item(comboId));
    // The empty entry is always the first.
    combo.SetCurSel(text.empty() ? 0 : combo.FindStringExact(-1, text));
    Command(comboId, CBN_SELCHANGE);
}

void OpenEditorDlg::Pump()
{
    PumpMessages(*this);
}

std::string OpenEditorDlg::ItemText(int id) const
{
    return WindowTextBytes(Item(id));
}

SIZE OpenEditorDlg::Size(int id) const
{
    RECT rect{};
    ::GetClientRect(Item(id), &rect);
    return {rect.right, rect.bottom};
}

std::vector<std::string> OpenEditorDlg::ComboEntries(int id) const
{
    CComboBox combo;
    combo.Attach(Item(id));
    std::vector<std::string> entries;
    for (int index = 0; index < combo.GetCount(); ++index)
        entries.push_back(combo.GetLBText(index).Bytes());
    return entries;
}

std::string PackageBytes(const std::string &name, const std::string &remarks, const std::string &author,
                         const std::vector<RawRecord> &records)
{
    PackageHeader = {};
    SetHeaderText(PackageHeader, NameText, name);
    SetHeaderText(PackageHeader, RemarksText, remarks);
    SetHeaderText(PackageHeader, AuthorText, author);
    PackageHeader.bytes[RoomFlagOffset] = RoomFlagValue;
    std::string bytes(PackageHeader.bytes.begin(), PackageHeader.bytes.end());
    for (const RawRecord &record : records) {
        AppendSize(bytes, record.size);
        bytes += AsString(record.bytes);
    }
    return bytes;
}

RawRecord Record(const std::vector<std::uint8_t> &file)
{
    return {static_cast<std::uint32_t>(file.size()), file};
}

std::string SampleRoomBytes(int index)
{
    return AsString(BuildSampleRoomPackage(index));
}

std::string AsString(const std::vector<std::uint8_t> &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string WorkBaseImage(int slot)
{
    return SlotImage(PartImageStore.WorkBase[static_cast<std::size_t>(slot)]);
}

std::string WorkMaskImage(int slot)
{
    return SlotImage(PartImageStore.WorkMask[static_cast<std::size_t>(slot)]);
}

bool WorkSlotIsSaved(int slot)
{
    const auto index = static_cast<std::size_t>(slot);
    return PartImageStore.WorkBase[index].bytes == PartImageStore.SavedBase[index].bytes &&
           PartImageStore.WorkMask[index].bytes == PartImageStore.SavedMask[index].bytes;
}
