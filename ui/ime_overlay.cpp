#include "ui/ime_overlay.h"

#include <SDL.h>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/ime.h"
#include "app/input.h"
#include "app/render.h"
#include "ui/edt.h"

namespace {
constexpr clr_t comp_bg = 0xFF888888;
constexpr clr_t cand_bg = 0xFF888888;
constexpr clr_t cand_first_bg = 0xFFAAAAAA;
constexpr int cand_w = 128;
constexpr int cand_h = 24;
constexpr int cand_inset = 4;
constexpr int align_left_top = rect_align::left | rect_align::top;
constexpr int align_left_mid = rect_align::left | rect_align::middle;

rect told_rect{};  // what the platform last heard of the caret

// The platform's own candidate window follows the caret, so it opens beside
// the text being typed and not at a corner of the screen.
void place_platform_window(const rect& caret) {
    if (caret == told_rect) return;
    told_rect = caret;
    SDL_Rect r{caret.x, caret.y, caret.w, caret.h};
    SDL_SetTextInputRect(&r);
}

void draw_comp(const edt_t& ed, const rect& caret) {
    const Str& comp = ime_comp();
    size sz{};
    measure_text(&sz, comp, ed.font, align_left_top, UNLIMITED, UNLIMITED);
    const rect box{caret.x, caret.y, sz.w, caret.h};
    fill_rect(&box, &comp_bg);
    draw_text(comp, &box, ed.font, &default_clr, align_left_top);
}

// Hangs from the last pixel row of the box's client area.
void draw_cands(const edt_t& ed) {
    const std::vector<Str>& cands = ime_cands();
    const int left = ed.rc.x + ed.margin_l;
    const int top = ed.rc.y + ed.rc.h - ed.margin_b - 1;
    const int n = int(cands.size());
    const rect all{left, top, cand_w, cand_h * n};
    fill_rect(&all, &cand_bg);
    const rect first{left, top, cand_w, cand_h};
    fill_rect(&first, &cand_first_bg);
    for (int i = 0; i < n; ++i) {
        const Str line(L"%d\uFF1A %s", i + 1, cands[i]);
        const rect box{left + cand_inset, top + cand_h * i, cand_w - cand_inset, cand_h};
        draw_text(line, &box, FONT_B, &default_clr, align_left_mid);
    }
}
}  // namespace

void ime_draw() {
    edt_t* ed = dynamic_cast<edt_t*>(get_focus_wnd());
    if (!ed) return;
    rect caret{};
    ed->caret_rect(&caret);
    place_platform_window(caret);
    if (ime_has_comp()) draw_comp(*ed, caret);
    if (!ime_cands().empty()) draw_cands(*ed);
}
