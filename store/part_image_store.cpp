#include "part_image_store.h"

namespace {
bool IsSlotNumber(int slot)
{
    return slot >= 0 && slot < SlotCount;
}
} // namespace

void ImageBanks::CopyWorkingToSaved()
{
    SavedBase = WorkBase;
    SavedMask = WorkMask;
}

void ImageBanks::CopySavedToWorking()
{
    WorkBase = SavedBase;
    WorkMask = SavedMask;
}

void ImageBanks::RestoreSlot(int slot)
{
    if (!IsSlotNumber(slot)) {
        return;
    }
    WorkBase[slot] = SavedBase[slot];
    WorkMask[slot] = SavedMask[slot];
}

void ImageBanks::RestoreBaseSlot(int slot)
{
    if (!IsSlotNumber(slot)) {
        return;
    }
    WorkBase[slot] = SavedBase[slot];
}
