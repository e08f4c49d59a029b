// The functions the page calls (web/README.md): a JSON object in, a JSON
// reply out, valid until the next call. One session at a time, made by
// tavi_start.
#pragma once

#include <cstdint>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#define TAVI_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define TAVI_EXPORT
#endif

extern "C" {
TAVI_EXPORT const char *tavi_start(const char *json);
TAVI_EXPORT const char *tavi_open(const char *json);
TAVI_EXPORT const char *tavi_select_room(const char *json);
TAVI_EXPORT const char *tavi_set_auto_display(const char *json);
TAVI_EXPORT const char *tavi_display_parts(const char *json);
TAVI_EXPORT const char *tavi_choose(const char *json);
TAVI_EXPORT const char *tavi_drop(const char *json);
TAVI_EXPORT const char *tavi_export(const char *json);
TAVI_EXPORT const char *tavi_compose_open(const char *json);
TAVI_EXPORT const char *tavi_compose_execute(const char *json);
// The slot's last rendered preview, width * height pixels of bytes R, G, B,
// A, rows top-down; null for a slot never rendered or out of range.
TAVI_EXPORT const std::uint8_t *tavi_preview_pixels(int slot);
}
