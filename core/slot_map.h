// How the twenty part slots meet the main dialog: the preview control of
// each slot, and the part groups: the combo box of each group, the slots a
// choice in it loads and the order in which the export writes them. Control
// ids are those of res/resource.h.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "res/resource.h"
#include "store/part_slot.h"

inline constexpr int AllSlots = 99;
inline constexpr int RoomSlot = 4;
inline constexpr int NoControl = -1;
inline constexpr int MaskNumberOffset = 20;

inline constexpr int MaskNumber(int slot)
{
    return slot + MaskNumberOffset;
}

// Preview control of each slot; slot 14 has none.
inline constexpr std::array<int, SlotCount> SlotControlIds = {
    IDC_PREVIEW_SLOT0,  IDC_PREVIEW_SLOT1,  IDC_PREVIEW_SLOT2,  IDC_PREVIEW_SLOT3,  IDC_PREVIEW_SLOT4,
    IDC_PREVIEW_SLOT5,  IDC_PREVIEW_SLOT6,  IDC_PREVIEW_SLOT7,  IDC_PREVIEW_SLOT8,  IDC_PREVIEW_SLOT9,
    IDC_PREVIEW_SLOT10, IDC_PREVIEW_SLOT11, IDC_PREVIEW_SLOT12, IDC_PREVIEW_SLOT13, NoControl,
    IDC_PREVIEW_SLOT15, IDC_PREVIEW_SLOT16, IDC_PREVIEW_SLOT17, IDC_PREVIEW_SLOT18, IDC_PREVIEW_SLOT19};

// A part group: its combo box and its slots in export order, the key slot
// (the one that owns the combo box) first. A choice loads them in the
// reverse order, so the key slot comes last.
struct PartGroup {
    int comboId;
    std::array<int, 3> slots;
    std::size_t slotCount;

    constexpr int KeySlot() const { return slots[0]; }
    constexpr std::span<const int> ExportOrder() const { return std::span(slots).first(slotCount); }
};

// The eleven groups in export order.
inline constexpr std::array<PartGroup, 11> PartGroups = {{{IDC_COMBO_WINDOW, {0, 1}, 2},
                                                          {IDC_COMBO_WINDOW_ONLINE, {2}, 1},
                                                          {IDC_COMBO_DOOR_VIEW, {3, 19}, 2},
                                                          {IDC_COMBO_ROOM, {4}, 1},
                                                          {IDC_COMBO_DOOR, {5, 6, 7}, 3},
                                                          {IDC_COMBO_BED, {8, 9}, 2},
                                                          {IDC_COMBO_CHEST, {10, 11}, 2},
                                                          {IDC_COMBO_TABLE, {12}, 1},
                                                          {IDC_COMBO_MAILBOX, {13}, 1},
                                                          {IDC_COMBO_BATH, {15}, 1},
                                                          {IDC_COMBO_LETTER, {16, 17, 18}, 3}}};

// The slot whose preview a control shows, or -1 for any other control id.
int SlotOfPreviewControl(int controlId);
// The group a slot belongs to, or null for slot 14.
const PartGroup *GroupOfSlot(int slot);
// The place of a group in PartGroups.
inline std::size_t GroupIndex(const PartGroup &group)
{
    return static_cast<std::size_t>(&group - PartGroups.data());
}
// The key slot of a part combo box, or -1 for any other control id.
int KeySlotOfCombo(int controlId);
// The combo box id of a key slot, or NoControl when the slot has none.
int ComboOfSlot(int slot);
// The slots one choice in a combo box loads, in load order, key slot last.
// Any slot that is no group's key slot loads alone.
std::span<const int> SlotGroupTable(int keySlot);
