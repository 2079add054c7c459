#pragma once
// SDL with a window and renderer, and the 20 fonts loaded from a temporary
// program folder filled with DejaVu fonts (package fonts-dejavu-core) under
// the game's file names. One per test suite: set up in SetUpTestSuite.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "app/font.h"
#include "app/platform.h"
#include "support/canvas.h"
#include "support/temp_dir.h"

inline const char* dejavu_dir = "/usr/share/fonts/truetype/dejavu/";

class font_env_t {
public:
    // Regular, bold and console files of the folder `from`; a name left empty is not copied.
    static void copy_fonts(const temp_dir_t& dir, const char* regular = "DejaVuSans.ttf",
                           const char* bold = "DejaVuSans-Bold.ttf", const char* console = "DejaVuSansMono.ttf",
                           const char* from = dejavu_dir) {
        dir.folder("fonts");
        const std::pair<const char*, const char*> files[] = {
            {regular, "fonts/default.ttf"}, {bold, "fonts/default_b.ttf"}, {console, "fonts/console.fon"}};
        for (const auto& [file, to] : files) {
            if (!*file) continue;
            std::error_code ec;
            std::filesystem::copy_file(std::string(from) + file, dir.path(to), ec);
            ASSERT_FALSE(ec) << "scripts/setup installs the fonts: " << from << file;
        }
    }
    static Str dir_of(const temp_dir_t& dir) { return utf8_to_str((dir.path() + "/").c_str()); }

    // The DejaVu fonts unless others are named, as copy_fonts takes them.
    static void up(const char* regular = "DejaVuSans.ttf", const char* bold = "DejaVuSans-Bold.ttf",
                   const char* console = "DejaVuSansMono.ttf", const char* from = dejavu_dir) {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        dir_ = std::make_unique<temp_dir_t>();
        copy_fonts(*dir_, regular, bold, console, from);
        ASSERT_TRUE(load_fonts_from(dir_of(*dir_)));
    }
    static void down() {
        free_fonts();
        close_window();
        quit_sdl_libs();
        dir_.reset();
    }
    static void clear_black() {
        const clr_t black{0xFF000000u};
        clear_screen(&black);
    }

    // What was drawn in the area: the bounds and count of the pixels that are
    // not black (empty bounds when none) and the strongest red, green and blue.
    struct lit_t {
        rect bounds;
        int count = 0, max_r = 0, max_g = 0, max_b = 0;
    };
    static lit_t read_lit(const rect& area) {
        lit_t out;
        const auto px = canvas_t::read(area);
        int x0 = area.w, y0 = area.h, x1 = -1, y1 = -1;
        for (int i = 0; i < int(px.size()); ++i) {
            const clr_t c = px[size_t(i)];
            if ((c.v & 0xFFFFFFu) == 0) continue;
            const int x = i % area.w, y = i / area.w;
            ++out.count;
            out.max_r = std::max(out.max_r, int(c.r())), out.max_g = std::max(out.max_g, int(c.g()));
            out.max_b = std::max(out.max_b, int(c.b()));
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
        if (out.count) out.bounds = {area.x + x0, area.y + y0, x1 - x0 + 1, y1 - y0 + 1};
        return out;
    }
    static bool inside(const rect& o, const rect& i) {
        return o.contains(i.x, i.y) && o.contains(i.x + i.w - 1, i.y + i.h - 1);
    }

private:
    static inline std::unique_ptr<temp_dir_t> dir_;
};

// A fixture over Base whose suite has the fonts up.
template <class Base = ::testing::Test>
class fonts_test_t : public Base {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }
};
