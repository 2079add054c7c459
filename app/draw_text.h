#pragma once
// Mark-up text drawn and measured through a temporary rich-text object, laid
// out again on every call. Font ids are those of font.h; a null colour is
// opaque white.
#include "app/types.h"

// Lays the text out in the box's size with the align flags of align_rect and
// draws it at the box's corner.
void draw_text(const wchar_t* text, const rect* box, int font, const clr_t* c, int flags);
// Unbounded, from the top-left corner (x, y).
void draw_text_at(const wchar_t* text, int x, int y, int font, const clr_t* c);
// Centred on (x, y).
void draw_text_centered(const wchar_t* text, int x, int y, int font, const clr_t* c);
// The laid-out width and height within max_w x max_h; returns out.
size* measure_text(size* out, const wchar_t* text, int font, int flags, int max_w, int max_h);
