#include "ui/title_wnd.h"

#include <algorithm>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/render.h"
#include "app/sentinels.h"
#include "ui/tool_bar2.h"

namespace {

struct bar_look_t {
    int mode;
    int bar_h;
    int font;
    clr_t wnd_bg;
};

constexpr bar_look_t bar_looks[] = {
    {.mode = TITLE_SMALL, .bar_h = 24, .font = FONT_B4, .wnd_bg = 0x33000000},
    {.mode = TITLE_LARGE, .bar_h = 32, .font = FONT_B6, .wnd_bg = 0xFF222222},
};
constexpr clr_t title_bg = 0xFF444444;
constexpr clr_t title_fg = 0xFFEEEEEE;
constexpr clr_t disabled_cover = 0x11FFFFFF;
constexpr int second_text_align = rect_align::right | rect_align::middle;
constexpr int second_gap = 8;  // at least this between the title and the second text

}  // namespace

title_wnd_t::~title_wnd_t() {
    delete title_items;
    delete title_btns;
    delete title;
}

bool title_wnd_t::create(const wchar_t* title_text, int bar_mode, uint32_t s, wnd_t* p, const rect* r) {
    wnd_t::create(s, p, r, 0, 0, nullptr);
    set_title_bar(bar_mode, title_text);
    return true;
}

bool title_wnd_t::create_small(const wchar_t* title_text, uint32_t s, wnd_t* p, const rect* r) {
    return create(title_text, TITLE_SMALL, s, p, r);
}

void title_wnd_t::set_title_bar(int mode, const wchar_t* title_text) {
    if (title) margin_t -= title->bar_h;
    if (mode != TITLE_SMALL && mode != TITLE_LARGE) {
        delete title;
        title = nullptr;
        return;
    }
    if (!title) title = new title_rec_t;
    const bar_look_t& look = bar_looks[mode == TITLE_SMALL ? 0 : 1];
    title->title = or_empty(title_text);
    title->icon = nullptr;
    title->bar_h = look.bar_h;
    title->font = look.font;
    title->bg = title_bg;
    title->fg = title_fg;
    bg_clr = look.wnd_bg;
    text_clr = title_fg;
    text_dirty = true;
    margin_t += title->bar_h;
}

void title_wnd_t::set_margins(const int m[4]) {
    wnd_t::set_margins(m);
    margin_t += bar_h();
}

tool_btn_t* title_wnd_t::add_title_btn(uint32_t s, const wchar_t* img, const clr_t* icon_clr) {
    const int h = bar_h() > 0 ? bar_h() : 24;
    const int btn = bar_item_side();
    if (!title_btns) {
        title_btns = new tool_bar_t;
        const rect r{0, 0, h, h};
        title_btns->create(WS_OUTER_POS, this, &r, 0, 0, nullptr);
        title_btns->bg_clr = 0;
        title_btns->gap = 0;
        title_btns->padding = (h - btn) / 2;
        const size bs{btn, btn};
        title_btns->btn_sz = bs;
    }
    tool_btn_t* b = title_btns->add_btn(nullptr, 0, 0, 0, 0, 0);
    b->style = s;
    b->set_icon(img);
    b->icon_sz = btn;
    b->icon_clr = icon_clr ? *icon_clr : clr_t{0xFFFFFFFF};
    b->state_clrs[DS_NORMAL] = 0;
    // The bar holds its buttons inside its padding, so it ends where the title bar does.
    const int n = int(title_btns->children.size());
    title_btns->resize(n * btn + 2 * title_btns->padding, h);
    return b;
}

li_t* title_wnd_t::add_title_item(const wchar_t* img, const size* item_sz) {
    const int h = bar_h() > 0 ? bar_h() : 24;
    const size side = item_sz ? *item_sz : size{bar_item_side(), bar_item_side()};
    if (!title_items) {
        title_items = new tool_bar_t2;
        const rect r{0, 0, h, h};
        title_items->create_ex(LVX_ROW, WS_OUTER_POS, this, &r);
        title_items->bg_clr = 0;
        title_items->gap = 0;
        title_items->padding = (h - side.h) / 2;
        title_items->set_item_size(&side);
    }
    li_t* it = title_items->add_item(L"", nullptr, get_img(img), 0, 0, 0, 0, nullptr);
    it->kind = LIK_COMMAND;
    const size need = title_items->size_for(title_items->count(), 1);
    title_items->resize(need.w + 2 * title_items->padding, h);
    return it;
}

void title_wnd_t::title_text_rcs(rect* title_rc, rect* second_rc) const {
    *title_rc = *second_rc = {};
    if (!title) return;
    const rect bar{rc.x, rc.y, rc.w, title->bar_h};
    size tw, sw{0, 0};
    measure_text(&tw, title->title, title->font, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
    if (!title->second.empty())
        measure_text(&sw, title->second, FONT_DEF, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
    *second_rc = {bar.x + bar.w - sw.w, bar.y + (bar.h - sw.h) / 2, sw.w, sw.h};
    int cx = bar.x + bar.w / 2;
    if (sw.w > 0) cx = std::max(bar.x + tw.w / 2, std::min(cx, second_rc->x - second_gap - (tw.w + 1) / 2));
    *title_rc = {cx - tw.w / 2, bar.y + bar.h / 2 - tw.h / 2, tw.w, tw.h};
}

// The tip regions of the title, then of the second text, at the mouse.
bool title_wnd_t::hit_title_tip() {
    const rect bar{rc.x, rc.y, rc.w, title->bar_h};
    const size box{bar.w, bar.h};
    const pt_t at{bar.x, bar.y};
    rtext_t rt;
    rt.set_text(title->title, &box, title->font, &title->fg, rect_align::left | rect_align::top);
    if (rt.hit_tip(get_mouse_pos(), &at)) return true;
    if (title->second.empty()) return false;
    // Laid out as drawn, at the bar's right end.
    rt.set_text(title->second, &box, FONT_DEF, &title->fg, second_text_align);
    return rt.hit_tip(get_mouse_pos(), &at);
}

bool title_wnd_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code == EVT_LAYOUT_DONE && title_btns) title_btns->move_to(rc.w, -bar_h(), 1);
    if (msg.code == EVT_TIP_QUERY && sender == this && title && hit_title_tip()) return true;
    return scroll_wnd2_t::on_msg(msg, sender);
}

void title_wnd_t::paint() {
    wnd_t::paint();
    if (!is_enabled()) fill_rect(&rc, &disabled_cover);
}

void title_wnd_t::draw() {
    wnd_t::draw();
    if (!title) return;
    const rect bar{rc.x, rc.y, rc.w, title->bar_h};
    fill_rect(&bar, &title->bg);
    rect t, sec;
    title_text_rcs(&t, &sec);
    if (!title->second.empty()) draw_text_at(title->second, sec.x, sec.y, FONT_DEF, &title->fg);
    draw_text_at(title->title, t.x, t.y, title->font, &title->fg);
    if (title->icon) {
        const int side = bar.h < 32 ? 16 : 32;
        const rect ico{bar.x + (bar.h - side) / 2, bar.y + (bar.h - side) / 2, side, side};
        draw_tex(title->icon, &ico, nullptr);
    }
}
