#include "part_image_store.h"

PartBank PartImageStore::WorkBase;
PartBank PartImageStore::WorkMask;
PartBank PartImageStore::SavedBase;
PartBank PartImageStore::SavedMask;

namespace {
bool IsSlotNumber(int slot)
{
    return slot >= 0 && slot < SlotCount;
}
} // namespace

void PartImageStore::CopyWorkingToSaved()
{
    SavedBase = WorkBase;
    SavedMask = WorkMask;
}

void PartImageStore::CopySavedToWorking()
{
    WorkBase = SavedBase;
    WorkMask = SavedMask;
}

void PartImageStore::RestoreSlot(int slot)
{
    if (!IsSlotNumber(slot)) {
        return;
    }
    WorkBase[slot] = SavedBase[slot];
    WorkMask[slot] = SavedMask[slot];
}

void PartImageStore::RestoreBaseSlot(int slot)
{
    if (!IsSlotNumber(slot)) {
        return;
    }
    WorkBase[slot] = SavedBase[slot];
}
