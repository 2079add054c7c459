#pragma once
// SDL with the dummy video driver and software renderer, and the 20 fonts
// from the game's font family (Noto Sans CJK) when installed, DejaVu
// otherwise, linked into a temporary program folder. Set up once per process.
#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/font.h"
#include "app/platform.h"
#include "app/render.h"

inline bool bench_fonts_up() {
    static const bool ok = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        if (!init_sdl_libs() || !open_window()) return false;
        const std::filesystem::path dir = "/tmp/tw_bench_fonts_" + std::to_string(getpid());
        std::error_code ec;
        std::filesystem::create_directories(dir / "fonts", ec);
        const std::string noto = "/usr/share/fonts/opentype/noto/", dejavu = "/usr/share/fonts/truetype/dejavu/";
        const bool cjk = std::filesystem::exists(noto + "NotoSansCJK-Regular.ttc");
        const std::string reg = cjk ? noto + "NotoSansCJK-Regular.ttc" : dejavu + "DejaVuSans.ttf";
        const std::string bold = cjk ? noto + "NotoSansCJK-Bold.ttc" : dejavu + "DejaVuSans-Bold.ttf";
        std::filesystem::create_symlink(reg, dir / "fonts/default.ttf", ec);
        std::filesystem::create_symlink(bold, dir / "fonts/default_b.ttf", ec);
        std::filesystem::create_symlink(reg, dir / "fonts/console.fon", ec);
        return load_fonts_from(utf8_to_str((dir.string() + "/").c_str()));
    }();
    return ok;
}
