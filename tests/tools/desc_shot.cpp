// Draws descriptions with the game's own fonts and pictures, for looking at
// them: every record of tests/support/desc_corpus.h whose title holds the
// pattern, in a tooltip's frame as wide as each box that shows it, page after page.
//   SDL_VIDEODRIVER=dummy build/test/tests/desc_shot build/test/game cn|en ["power 139 "] [out]
// The pages go to out-0.png, out-1.png, ... (out: desc_shot in the build folder).
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/font.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/tex.h"
#include "support/desc_corpus.h"
#include "support/shot_png.h"
#include "ui/rtext.h"

namespace {

constexpr int page_w = 1280, page_h = 940, gap = 8;
constexpr clr_t page_bg = 0xFF1C2833, tip_bg = 0xFF0D0D0D, tip_border = 0xFF333333;

struct pages_t {
    std::string out;
    zg::tex_t page;
    int x = gap, y = gap, col_w = 0, n = 0;

    void save() {
        const std::string path = out + "-" + std::to_string(n++) + ".png";
        const bool ok = save_png(path.c_str(), page_w, page_h);
        std::fprintf(stderr, "%s %s\n", ok ? "saved" : "could not save", path.c_str());
        set_render_target(&page, &page_bg);
        x = y = gap, col_w = 0;
    }
    // A tooltip's frame around the text laid out at `at`, below the last one or in the next column.
    void draw(const Str& text, const text_fit::place_t& at) {
        rtext_t rt;
        rt.set_fit(at.fit);
        rt.set_pad(text_fit::pad);
        const size box{at.w, UNLIMITED};
        rt.set_text(text, &box, at.font, nullptr, 3);
        const int w = (at.fit ? rt.get_rect().w : at.w) + 2 * text_fit::pad, h = rt.get_rect().h + 2 * text_fit::pad;
        if (y + h > page_h && y > gap) x += col_w + gap, y = gap, col_w = 0;
        if (x + w > page_w && x > gap) save();
        const rect outer{x, y, w, h}, inner{x + 2, y + 2, w - 4, h - 4};
        fill_rect(&outer, &tip_border);
        fill_rect(&inner, &tip_bg);
        rt.draw(x + text_fit::pad, y + text_fit::pad);
        y += h + gap, col_w = std::max(col_w, w);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::strcmp(argv[2], "cn") != 0 && std::strcmp(argv[2], "en") != 0)) {
        std::fprintf(stderr, "usage: desc_shot <game folder> cn|en [pattern] [out]\n");
        return 2;
    }
    const Str game = utf8_to_str((std::string(argv[1]) + "/").c_str());
    const std::string pattern = argc > 3 ? argv[3] : "";
    set_exe_dir(game);
    if (!init_sdl_libs() || !open_window() || !load_fonts()) {
        std::fprintf(stderr, "no window or fonts: %s\n", SDL_GetError());
        return 1;
    }
    desc_corpus::load_texts(game + L"text/", utf8_to_str(argv[2]));
    pages_t pages;
    pages.out = argc > 4 ? argv[4] : std::string(TW_BUILD_DIR) + "/desc_shot";
    if (!pages.page.create({page_w, page_h}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET)) return 1;
    set_render_target(&pages.page, &page_bg);
    desc_corpus::for_each([&](const std::string& title, const Str& text, const desc_corpus::places_t& places) {
        if (title.find(pattern) == std::string::npos) return;
        for (const text_fit::place_t& at : places) pages.draw(text, at);
    });
    if (pages.x > gap || pages.y > gap) pages.save();
    set_render_target(nullptr, nullptr);
    free_pwrs();
    return 0;
}
