// Preview pictures as bitmaps the dialog paints from.
#pragma once

#include "framework/bitmap.h"
#include "framework/dc.h"
#include "core/preview_picture.h"

// Puts the picture into bitmap as a 32-bit top-down DIB section compatible
// with reference, which GDI copies to the screen without converting it. A
// bitmap of the picture's size is reused, so that drawing a slot again
// allocates nothing.
void MakeDisplayBitmap(CBitmap &bitmap, const CDC &reference, const RgbImage &picture);
