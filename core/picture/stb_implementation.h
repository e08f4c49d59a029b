// The parts of the stb image libraries the program uses: decoding from
// memory (no file access of their own) and scaling down, both within a memory
// budget, and PNG encoding to memory. BMP files are read by the project's
// own reader (core/bmp_reader.h), never by stb.
#pragma once

#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_TGA
#define STBI_WRITE_NO_STDIO
// Every decoder allocation counts against the decoding budget.
#define STBI_MALLOC(size) DecoderAllocate(size)
#define STBI_REALLOC(block, size) DecoderReallocate(block, size)
#define STBI_FREE(block) DecoderFree(block)
#define STBIR_MALLOC(size, context) ((void)(context), DecoderAllocate(size))
#define STBIR_FREE(block, context) ((void)(context), DecoderFree(block))

#include "decoder_memory.h"

#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>
