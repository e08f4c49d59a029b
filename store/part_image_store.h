// The four static image banks of the editor and the copies between them.
// Working banks are what the previews show and what export and saving write;
// saved banks hold the package as last read or written.
#pragma once

#include "part_slot.h"

struct PartImageStore {
    static PartBank WorkBase;
    static PartBank WorkMask;
    static PartBank SavedBase;
    static PartBank SavedMask;

    // Whole banks, stale tails included.
    static void CopyWorkingToSaved();
    static void CopySavedToWorking();
    // One slot of SavedBase/SavedMask back over the working slot.
    static void RestoreSlot(int slot);
    // Only the base slot; the working mask is left alone.
    static void RestoreBaseSlot(int slot);
};
