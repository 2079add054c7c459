#include "app/ime.h"

#include <SDL.h>

#include <cwchar>
#include <string>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/input.h"
#include "app/platform.h"
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

Str comp;
std::vector<Str> cands;
// The committed text the last 0xA015 points into.
Str text_buf;

void set_comp_utf8(const char* text) {
    // An empty composition is the input method's "done" or "cancelled".
    if (!text || !*text)
        ime_clear();
    else
        comp = utf8_to_str(text);
}
}  // namespace

void ime_start() {
    set_text_input_handler(ime_on_sdl_event);
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
}

bool ime_on_sdl_event(const SDL_Event* e, evt_t* out) {
    if (!e) return false;
    switch (e->type) {
    case SDL_TEXTEDITING: set_comp_utf8(e->edit.text); return false;
    case SDL_TEXTEDITING_EXT:
        set_comp_utf8(e->editExt.text);
        // The long form's text is ours to free once read.
        SDL_free(e->editExt.text);
        return false;
    case SDL_TEXTINPUT:
        text_buf = utf8_to_str(e->text.text);
        *out = {EVT_TEXT, reinterpret_cast<intptr_t>(text_buf.c_str()), 0};
        return true;
    default: return false;
    }
}

void ime_set_cands(const wchar_t* block) {
    cands.clear();
    if (!block) return;
    for (int i = 0; i < ime_max_cands; ++i) {
        const wchar_t* slot = block + i * ime_cand_slot;
        // A slot without its terminator is cut at the slot's end, never read past it.
        const size_t n = wcsnlen(slot, ime_cand_slot);
        if (n == 0) break;
        cands.emplace_back(std::wstring(slot, n).c_str());
    }
}

void ime_clear() {
    comp = L"";
    cands.clear();
}

bool ime_has_comp() { return !comp.empty(); }
const Str& ime_comp() { return comp; }
const std::vector<Str>& ime_cands() { return cands; }

namespace {
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
    size sz{};
    measure_text(&sz, comp, ed.font, align_left_top, WND_UNLIMITED, WND_UNLIMITED);
    const rect box{caret.x, caret.y, sz.w, caret.h};
    fill_rect(&box, &comp_bg);
    draw_text(comp, &box, ed.font, &default_clr, align_left_top);
}

// Hangs from the last pixel row of the box's client area.
void draw_cands(const edt_t& ed) {
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
    if (!comp.empty()) draw_comp(*ed, caret);
    if (!cands.empty()) draw_cands(*ed);
}
