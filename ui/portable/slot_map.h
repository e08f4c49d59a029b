// How the twenty part slots meet the main dialog: preview controls, part
// combo boxes, the groups a combo box replaces, and the export order.
#pragma once

#include <array>
#include <span>

#include "store/part_slot.h"

inline constexpr int AllSlots = 99;
inline constexpr int RoomSlot = 4;
inline constexpr int NoControl = -1;
inline constexpr int MaskNumberOffset = 20;

inline constexpr int MaskNumber(int slot) { return slot + MaskNumberOffset; }

// Preview control of each slot; slot 14 has none.
inline constexpr std::array<int, SlotCount> SlotControlIds = {
    1041, 1042, 1058, 1046, 1055, 1043, 1044, 1045, 1048, 1049,
    1050, 1051, 1052, 1053, NoControl, 1054, 1059, 1060, 1061, 1047};

// The eleven part combo boxes and the key slot each carries, by key slot.
struct PartCombo {
    int comboId;
    int keySlot;
};
inline constexpr std::array<PartCombo, 11> PartCombos = {{{1008, 0},
                                                          {1029, 2},
                                                          {1011, 3},
                                                          {1012, 4},
                                                          {1016, 5},
                                                          {1019, 8},
                                                          {1023, 10},
                                                          {1026, 12},
                                                          {1028, 13},
                                                          {1030, 15},
                                                          {1034, 16}}};

// The key slot of a part combo box, or -1 for any other control id.
int KeySlotOfCombo(int controlId);
// The combo box id of a key slot, or NoControl when the slot has none.
int ComboOfSlot(int slot);
// The slots one choice in a combo box loads, in load order, key slot last.
std::span<const int> SlotGroupTable(int keySlot);

// The export writes these slots in this order, each base file then mask
// file, and after each step adds the room's entry to the step's combo box.
struct ExportStep {
    std::array<int, 3> slots;
    int slotCount;
    int comboId;
};
extern const std::array<ExportStep, 11> ExportSteps;
