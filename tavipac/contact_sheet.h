// One picture of all forty images of a package: for each slot its base image
// and its mask side by side, each labelled with its number (00-19 and
// 20-39), large images shrunk to fit, images that cannot be shown crossed out.
#pragma once

#include "store/part_slot.h"
#include "core/preview_picture.h"

RgbImage BuildContactSheet(const PartBank &bases, const PartBank &masks);
