// Arbitrary bytes as mark-up (UTF-8): the reader and the layout must neither
// crash nor leave a scope unbalanced, whatever the tags, quotes and nesting.
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/font.h"
#include "app/img_cache.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/str.h"
#include "ui/rt_markup.h"
#include "ui/rtext.h"

namespace {

// DejaVu (package fonts-dejavu-core) under the game's file names, with a
// software renderer so that glyphs get textures as in the game.
bool set_up() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    if (!init_sdl_libs() || !open_window()) return false;
    // The image cache exists before the exit hook, so the hook frees it before it goes.
    get_img(L"null");
    std::atexit(close_window);
    const std::filesystem::path dir = "/tmp/tw_rtext_fuzz_" + std::to_string(getpid());
    std::error_code ec;
    std::filesystem::create_directories(dir / "fonts", ec);
    const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";
    std::filesystem::create_symlink(dejavu + "DejaVuSans.ttf", dir / "fonts/default.ttf", ec);
    std::filesystem::create_symlink(dejavu + "DejaVuSans-Bold.ttf", dir / "fonts/default_b.ttf", ec);
    std::filesystem::create_symlink(dejavu + "DejaVuSansMono.ttf", dir / "fonts/console.fon", ec);
    return load_fonts_from(utf8_to_str((dir.string() + "/").c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t len) {
    static const bool ready = set_up();
    if (!ready || len < 2) return 0;
    // The first two bytes choose the box and the font; the rest is the text.
    const int box_w = data[0] == 0 ? UNLIMITED : data[0] * 4;
    const int font = data[1] % (FONT_COUNT + 2) - 1;
    const std::string bytes(reinterpret_cast<const char*>(data + 2), len - 2);
    const Str text = utf8_to_str(bytes.c_str());

    rt_ops_t ops;
    rt_parse(text, &ops);
    rt_style_t st(0xFFFFFFFF, font);
    for (const rt_op_t& op : ops.ops) st.apply(ops, op);
    if (st.fonts.size() != 1 || st.clrs.size() != 1) std::abort();  // a scope left open or closed twice

    rtext_t rt;
    rt.set_pad(data[0] & 7);
    rt.set_fit(data[1] & 0x80);
    const size box{box_w, UNLIMITED};
    rt.set_text(text, &box, font, nullptr, data[1] & 0x3F);
    const pt_t pt{box_w / 2, 10}, origin{0, 0};
    rt.hit_tip(&pt, &origin);
    rt.draw(0, 0);
    (void)strip_tags(text);
    return 0;
}
