#pragma once
// Mark-up text drawn and measured through a temporary rich-text object, laid
// out again on every call. Font ids are those of font.h; a null colour is
// opaque white. The rich text sits above the ground floor: ui/ installs it as
// the text painter when the core is loaded (ui/text_painter.cpp); without a
// painter nothing is drawn and every text measures 0 x 0.
#include "app/types.h"

class text_painter_t {
public:
    virtual ~text_painter_t() = default;
    // Lays `text` out in the box's size and draws it at the box's corner.
    virtual void draw(const wchar_t* text, const rect& box, int font, const clr_t* c, int flags) = 0;
    // The laid-out width and height within `limit`.
    virtual size measure(const wchar_t* text, const size& limit, int font, int flags) = 0;
};

// Null removes the painter.
void set_text_painter(text_painter_t* p);

// Lays the text out in the box's size with the align flags of align_rect and
// draws it at the box's corner. A box side of UNLIMITED sets no limit.
void draw_text(const wchar_t* text, const rect* box, int font, const clr_t* c, int flags);
// Unbounded, from the top-left corner (x, y).
void draw_text_at(const wchar_t* text, int x, int y, int font, const clr_t* c);
// Centred on (x, y).
void draw_text_centered(const wchar_t* text, int x, int y, int font, const clr_t* c);
// The laid-out width and height within max_w x max_h; returns out.
size* measure_text(size* out, const wchar_t* text, int font, int flags, int max_w, int max_h);
