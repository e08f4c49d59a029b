// What every part file made from a picture must be: an 8-bit BMP file that
// fits a slot and says its own length.
#pragma once

#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "store/byte_reader.h"
#include "store/part_slot.h"

inline void CheckPartFile(const std::vector<std::uint8_t> &file)
{
    Check(file.size() <= SlotSize);
    Check(ReadU32LE(file, BmpField::FileSize) == file.size());
    Check(ReadU16LE(file, BmpField::BitCount) == 8);
}
