// Draws a page of descriptions with the game's own fonts and images and saves
// it, for looking at them: four power tooltips (a melee attack, an area spell,
// a feat, an aura) and two item descriptions as their tooltip references
// resolve, and a unit sheet in full.
//   SDL_VIDEODRIVER=dummy build/test/tests/desc_shot build/test/game [out.png]
// The picture goes to desc_shot.png in the build folder unless named.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/font.h"
#include "app/img_cache.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/tex.h"
#include "rules/ie_ids.h"
#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "rules/pwr_ids.h"
#include "screens/text/tip_refs.h"
#include "support/desc_corpus.h"
#include "tests/tools/shot_png.h"
#include "ui/rtext.h"

namespace {

constexpr int page_w = 1500, page_h = 1100;
constexpr int margin = 16, gap = 16;
constexpr int tip_w = 256;    // what the resolver asks for power and item tips
constexpr int sheet_w = 420;  // a unit dialog's column
constexpr int border = 8;     // the tooltip window's frame
constexpr clr_t page_bg = 0xFF1C2833, tip_bg = 0xFF0D0D0D, tip_border = 0xFF333333;

// Draws text in a tooltip frame of outer width w at (x, y); returns the frame's height.
int draw_tip(const wchar_t* text, int x, int y, int w) {
    rtext_t rt;
    rt.init();
    const size box{w - 2 * border, UNLIMITED};
    rt.set_text(text, &box, 0, nullptr, 3);
    const rect r = rt.get_rect();
    const int h = r.h + 2 * border;
    const rect outer{x, y, w, h}, inner{x + 2, y + 2, w - 4, h - 4};
    fill_rect(&outer, &tip_border);
    fill_rect(&inner, &tip_bg);
    rt.draw(x + border, y + border);
    rt.free();
    return h;
}

Str resolved(const Str& ref) {
    Str out;
    int w = 0;
    if (!txt::resolve_tip_ref(ref, &out, &w)) std::fprintf(stderr, "unresolved: %s\n", to_utf8_string(ref).c_str());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: desc_shot <game folder> [out.png]\n");
        return 2;
    }
    const std::string out = argc > 2 ? argv[2] : std::string(TW_BUILD_DIR) + "/desc_shot.png";
    const Str game = utf8_to_str((std::string(argv[1]) + "/").c_str());
    set_exe_dir(game);
    if (!init_sdl_libs() || !open_window() || !load_fonts()) {
        std::fprintf(stderr, "no window or fonts: %s\n", SDL_GetError());
        return 1;
    }
    desc_corpus::load_texts(game + L"text/", L"cn");

    zg::tex_t page;
    if (!page.create({page_w, page_h}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET)) return 1;
    set_render_target(&page, &page_bg);

    // Powers and items as their tooltip references show them.
    const int col_w = tip_w + gap;
    int y = margin;
    y += draw_tip(resolved(txt::pwr_tip_ref(get_pwr(P_ATK_M))), margin, y, tip_w) + gap;
    draw_tip(resolved(txt::pwr_tip_ref(get_pwr(P_CLEAVE_X))), margin, y, tip_w);
    y = margin;
    y += draw_tip(resolved(txt::pwr_tip_ref(get_pwr(P_FIRE_BALL))), margin + col_w, y, tip_w) + gap;
    draw_tip(resolved(txt::pwr_tip_ref(get_pwr(P_AURA5_DMG2))), margin + col_w, y, tip_w);
    itm_slot_t wpn, amr;
    mk_itm_slot_enchs(wpn, ITM_SWD_M, 1, 2, IE_F1, IE_CH, 0, 0);
    mk_itm_slot_enchs(amr, ITM_AMR4, 1, 1, IE_DR1, 0, 0, 0);
    y = margin;
    y += draw_tip(resolved(txt::itm_tip_ref(wpn)), margin + 2 * col_w, y, tip_w) + gap;
    draw_tip(resolved(txt::itm_tip_ref(amr)), margin + 2 * col_w, y, tip_w);

    // A character's sheet, everything in full.
    unit_t* u = get_preset_pcs()[3];
    draw_tip(txt::unit_sheet(u, txt::SHEET_ALL), margin + 3 * col_w, margin, sheet_w);

    const bool ok = save_png(out.c_str(), page_w, page_h);
    set_render_target(nullptr, nullptr);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "could not save", out.c_str());
    free_pwrs();
    return ok ? 0 : 1;
}
