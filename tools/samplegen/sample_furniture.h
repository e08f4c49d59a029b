// The smaller parts of a sample room, each drawn on a canvas of its own size
// with everything around the object left undrawn (cut out by its mask).
#pragma once

#include "canvas.h"
#include "sample_theme.h"

enum class DoorState { Closed, Ajar, Open };

// 64 x 96; the doorway of an ajar or open door is cut out, so that the view
// through the door shows there.
Canvas DrawDoor(DoorState state);
// 96 x 64.
Canvas DrawBed(const Theme &theme, bool turnedDown);
// 48 x 40.
Canvas DrawChest(bool open);
// 80 x 56.
Canvas DrawTable();
// 40 x 64.
Canvas DrawMailbox();
// 112 x 64.
Canvas DrawBath();
// 32 x 24; the seal's ramp tells the letters apart.
Canvas DrawLetter(Ramp seal);
// 32 x 32.
Canvas DrawPlant();
