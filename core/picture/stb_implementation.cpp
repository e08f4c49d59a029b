// Compiles the stb image decoders and the PNG encoder once.
#include "stb_warnings_off.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_implementation.h"

#pragma GCC diagnostic pop
