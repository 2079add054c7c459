#include "screens/widgets/log_memo.h"

#include <algorithm>

#include "app/font.h"
#include "app/render.h"

namespace {
constexpr clr_t memo_bg = 0xff111111;
constexpr int float_lines = 10;
constexpr int strip_lines = 5;
constexpr uint32_t mode_styles = WS_NO_INPUT | WS_DOCK_BOTTOM | WS_FILL_W | WS_FILL_H;

uint32_t style_of(int mode) {
    switch (mode) {
    case LOG_FLOAT: return WS_NO_INPUT | WS_DOCK_BOTTOM | WS_FILL_W;
    case LOG_FULL: return WS_FILL_W | WS_FILL_H;
    default: return WS_DOCK_BOTTOM | WS_FILL_W;
    }
}
}  // namespace

log_memo_t::log_memo_t() {
    bg_clr = memo_bg;
    text_clr = 0xFFFFFFFF;
    text_dirty = true;
}

void log_memo_t::set_mode(int mode, bool relayout) {
    mode_ = mode;
    if (mode != LOG_FULL) prev_ = mode;
    style = (style & ~mode_styles) | style_of(mode);
    if (mode != LOG_FULL) {
        const int lines = mode == LOG_FLOAT ? float_lines : strip_lines;
        // The border is inside the box: the lines fit within it.
        resize(rc.w, margin_t + margin_b + 2 * border_w + lines * get_font_height(FONT_DEF));
    }
    if (!relayout) return;
    if (parent) parent->arrange();
    scroll_v_to(std::max(0, content.h - view.h));
}

void log_memo_t::toggle() { set_mode(mode_ == LOG_FULL ? prev_ : LOG_FULL, true); }

void log_memo_t::paint() {
    // Floating over the map only the text shows: the box, its bar and its
    // frame are painted invisible.
    if (mode_ != LOG_FLOAT) {
        memo_ctrl_t::paint();
        return;
    }
    set_fade(0);
    memo_ctrl_t::paint();
    set_fade(255);
}

void log_memo_t::draw_text() {
    if (mode_ != LOG_FLOAT) {
        memo_ctrl_t::draw_text();
        return;
    }
    set_fade(255);
    memo_ctrl_t::draw_text();
    set_fade(0);
}

log_memo_t* new_log_memo(wnd_t* parent) {
    auto* m = new log_memo_t;
    m->create(uint32_t(MEMO_WRAP) | style_of(LOG_STRIP), parent, nullptr, 0, 0, nullptr);
    m->set_mode(LOG_STRIP, false);
    reg_owned_wnd(m);
    return m;
}
