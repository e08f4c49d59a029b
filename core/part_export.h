// Export of the working banks into the parts collection folder: every slot
// but 14 as a base file and a mask file, in the part groups' export order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/part_image_store.h"

// The bytes a slot's part file holds: the first FileSize bytes of the slot.
// Nothing when FileSize exceeds the slot: such a slot is never written.
std::optional<std::span<const std::uint8_t>> PartFileBytes(const PartSlot &slot);

// Creates the collection folder (ending in '\') and writes every slot's base
// file and then its mask file from the working banks, in export order; after
// each group afterStep gets the group's combo box id. Returns the names of
// the files that could not be written.
std::vector<std::string> ExportRoomParts(const ImageBanks &banks, const std::string &stem,
                                         const std::string &collectionFolder,
                                         const std::function<void(int comboId)> &afterStep = {});
