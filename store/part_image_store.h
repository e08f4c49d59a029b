// The four image banks of one editor and the copies between them. Working
// banks are what the previews show and what export and saving write; saved
// banks hold the package as last read or written. The editor keeps one
// process-wide set, PartImageStore; tools and tests make their own.
#pragma once

#include "part_slot.h"

struct ImageBanks {
    PartBank WorkBase;
    PartBank WorkMask;
    PartBank SavedBase;
    PartBank SavedMask;

    // Whole banks, stale tails included.
    void CopyWorkingToSaved();
    void CopySavedToWorking();
    // One slot of SavedBase/SavedMask back over the working slot.
    void RestoreSlot(int slot);
    // Only the base slot; the working mask is left alone.
    void RestoreBaseSlot(int slot);
};
