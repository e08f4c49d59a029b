// The full-size pictures of a sample room (320 x 240): the views from the
// window and through the door, and the room itself.
#pragma once

#include "canvas.h"
#include "sample_theme.h"

inline constexpr int SceneWidth = 320;
inline constexpr int SceneHeight = 240;

Canvas DrawWindowView(const Theme &theme, Daylight sky);
Canvas DrawDoorView(const Theme &theme, Daylight sky);
// The room with its window glass left undrawn, so that the mask cuts it out
// and the view shows through.
Canvas DrawRoom(const Theme &theme);
