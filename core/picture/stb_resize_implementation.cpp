// Compiles the stb scaler once, apart from the decoders: it takes decoded
// pixels, never file bytes, and the fuzzing build leaves it uninstrumented.
#include "stb_warnings_off.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include "stb_implementation.h"

#pragma GCC diagnostic pop
