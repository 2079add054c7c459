#pragma once
// SDL with a window and renderer, and the 20 fonts loaded from a temporary
// program folder filled with DejaVu fonts (package fonts-dejavu-core) under
// the game's file names. One per test suite: set up in SetUpTestSuite.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/font.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/str.h"
#include "support/temp_dir.h"

inline const char* dejavu_dir = "/usr/share/fonts/truetype/dejavu/";

class font_env_t {
public:
    // Regular, bold and console files; a name left empty is not copied.
    static void copy_fonts(const temp_dir_t& dir, const char* regular = "DejaVuSans.ttf",
                           const char* bold = "DejaVuSans-Bold.ttf", const char* console = "DejaVuSansMono.ttf") {
        dir.folder("fonts");
        const std::pair<const char*, const char*> files[] = {
            {regular, "fonts/default.ttf"}, {bold, "fonts/default_b.ttf"}, {console, "fonts/console.fon"}};
        for (const auto& [from, to] : files) {
            if (!from || !*from) continue;
            std::error_code ec;
            std::filesystem::copy_file(std::string(dejavu_dir) + from, dir.path(to), ec);
            ASSERT_FALSE(ec) << "install fonts-dejavu-core (scripts/setup): " << from << ": " << ec.message();
        }
    }

    static Str dir_of(const temp_dir_t& dir) { return utf8_to_str((dir.path() + "/").c_str()); }

    static void up() {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        dir_ = std::make_unique<temp_dir_t>();
        copy_fonts(*dir_);
        ASSERT_TRUE(load_fonts_from(dir_of(*dir_)));
    }

    static void down() {
        free_fonts();
        close_window();
        quit_sdl_libs();
        dir_.reset();
    }

    static const temp_dir_t& dir() { return *dir_; }

private:
    static inline std::unique_ptr<temp_dir_t> dir_;
};
