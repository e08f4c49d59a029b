#include "slot_map.h"

#include <algorithm>

namespace {
// The load order of every slot, by key slot: its group's slots reversed, or
// the slot alone.
struct LoadOrders {
    std::array<std::array<int, 3>, SlotCount> slots{};
    std::array<std::size_t, SlotCount> counts{};
};

constexpr LoadOrders MakeLoadOrders()
{
    LoadOrders orders;
    for (int slot = 0; slot < SlotCount; ++slot) {
        orders.slots[slot][0] = slot;
        orders.counts[slot] = 1;
    }
    for (const PartGroup &group : PartGroups) {
        const int key = group.KeySlot();
        for (std::size_t i = 0; i < group.slotCount; ++i)
            orders.slots[key][i] = group.slots[group.slotCount - 1 - i];
        orders.counts[key] = group.slotCount;
    }
    return orders;
}

constexpr LoadOrders GroupLoadOrders = MakeLoadOrders();

const PartGroup *GroupOf(bool (*matches)(const PartGroup &, int), int value)
{
    const auto found = std::find_if(PartGroups.begin(), PartGroups.end(),
                                    [&](const PartGroup &group) { return matches(group, value); });
    return found == PartGroups.end() ? nullptr : &*found;
}
} // namespace

int SlotOfPreviewControl(int controlId)
{
    const auto found = std::find(SlotControlIds.begin(), SlotControlIds.end(), controlId);
    return controlId == NoControl || found == SlotControlIds.end()
               ? -1
               : static_cast<int>(found - SlotControlIds.begin());
}

const PartGroup *GroupOfSlot(int slot)
{
    const auto holds = [](const PartGroup &g, int s) {
        const std::span<const int> order = g.ExportOrder();
        return std::find(order.begin(), order.end(), s) != order.end();
    };
    return GroupOf(holds, slot);
}

int KeySlotOfCombo(int controlId)
{
    const PartGroup *group = GroupOf([](const PartGroup &g, int id) { return g.comboId == id; }, controlId);
    return group ? group->KeySlot() : -1;
}

int ComboOfSlot(int slot)
{
    const PartGroup *group = GroupOf([](const PartGroup &g, int key) { return g.KeySlot() == key; }, slot);
    return group ? group->comboId : NoControl;
}

std::span<const int> SlotGroupTable(int keySlot)
{
    if (keySlot < 0 || keySlot >= SlotCount)
        return {};
    const auto index = static_cast<std::size_t>(keySlot);
    return std::span(GroupLoadOrders.slots[index]).first(GroupLoadOrders.counts[index]);
}
