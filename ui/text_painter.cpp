// The rich text as the ground floor's text painter: draw_text and
// measure_text of app/draw_text.h lay mark-up out through rtext_t.
#include "app/draw_text.h"
#include "app/render.h"
#include "ui/rtext.h"

namespace {
class rtext_painter_t : public text_painter_t {
public:
    void draw(const wchar_t* text, const rect& box, int font, const clr_t* c, int flags) override {
        rtext_t rt;
        rt.init();
        const size sz{box.w, box.h};
        rt.set_text(text, &sz, font, c, flags);
        rt.draw(box.x, box.y);
        rt.free();
    }

    size measure(const wchar_t* text, const size& limit, int font, int flags) override {
        rtext_t rt;
        rt.init();
        rt.set_text(text, &limit, font, &default_clr, flags);
        const rect r = rt.get_rect();
        rt.free();
        return {r.w, r.h};
    }
};

// Installed while the core loads, so every program that links it draws text.
const bool installed = [] {
    // Never destroyed: text may still be measured by destructors at exit.
    set_text_painter(new rtext_painter_t);
    return true;
}();
}  // namespace
