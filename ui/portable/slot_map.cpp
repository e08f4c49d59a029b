#include "slot_map.h"

namespace {
constexpr std::array<int, 2> WindowGroup = {1, 0};
constexpr std::array<int, 2> DoorViewGroup = {19, 3};
constexpr std::array<int, 3> DoorGroup = {7, 6, 5};
constexpr std::array<int, 2> BedGroup = {9, 8};
constexpr std::array<int, 2> ChestGroup = {11, 10};
constexpr std::array<int, 3> LetterGroup = {18, 17, 16};
constexpr std::array<int, SlotCount> SingleSlots = {0, 1, 2,  3,  4,  5,  6,  7,  8,  9,
                                                    10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
} // namespace

const std::array<ExportStep, 11> ExportSteps = {{{{0, 1, 0}, 2, 1008},
                                                 {{2, 0, 0}, 1, 1029},
                                                 {{3, 19, 0}, 2, 1011},
                                                 {{4, 0, 0}, 1, 1012},
                                                 {{5, 6, 7}, 3, 1016},
                                                 {{8, 9, 0}, 2, 1019},
                                                 {{10, 11, 0}, 2, 1023},
                                                 {{12, 0, 0}, 1, 1026},
                                                 {{13, 0, 0}, 1, 1028},
                                                 {{15, 0, 0}, 1, 1030},
                                                 {{16, 17, 18}, 3, 1034}}};

int KeySlotOfCombo(int controlId)
{
    for (const PartCombo& combo : PartCombos)
        if (combo.comboId == controlId)
            return combo.keySlot;
    return -1;
}

int ComboOfSlot(int slot)
{
    for (const PartCombo& combo : PartCombos)
        if (combo.keySlot == slot)
            return combo.comboId;
    return NoControl;
}

std::span<const int> SlotGroupTable(int keySlot)
{
    switch (keySlot) {
    case 0: return WindowGroup;
    case 3: return DoorViewGroup;
    case 5: return DoorGroup;
    case 8: return BedGroup;
    case 10: return ChestGroup;
    case 16: return LetterGroup;
    default:
        if (keySlot < 0 || keySlot >= SlotCount)
            return {};
        return std::span<const int>(SingleSlots).subspan(static_cast<std::size_t>(keySlot), 1);
    }
}
