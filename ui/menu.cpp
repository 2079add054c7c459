#include "ui/menu.h"

#include <algorithm>

#include "app/draw_text.h"
#include "app/geom.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/platform.h"
#include "ui/modal.h"
#include "ui/tip.h"

namespace {
constexpr uint32_t level_cls_ex = LVX_COL | LVX_FORGET | LVX_CHECKS | LVX_NO_HOT;
constexpr int level_min_w = 128;
constexpr int level_margin = 4;
constexpr int level_item_margin = 2;
constexpr int level_arrow_room = 8;
constexpr int level_item_h = 16 + 2 * level_item_margin;
constexpr clr_t level_hover = 0xFF3498DB;
constexpr clr_t level_bg = 0xFF0E141A;
constexpr clr_t level_bg_made = 0xFF111111;
constexpr clr_t level_border = 0xFF2C3E50;
constexpr clr_t arrow_clr = 0xFFFFFFFF;
constexpr int arrow_align = rect_align::right | rect_align::middle;
constexpr uint32_t menu_style = WS_HIDDEN | WS_FILL_W | WS_FILL_H;
constexpr int menu_tip_place = 2;  // to the right
constexpr int menu_tip_w = 256;

menu_t* the_menu = nullptr;
}  // namespace

menu_t::menu_wnd_t::menu_wnd_t() {
    cls_style |= WS_AUTO_W | WS_AUTO_H;
    cls_ex_style |= level_cls_ex;
    min_sz.w = level_min_w;
    hover_clr = level_hover;
    bg_clr = level_bg;
    border_clr = level_border;
    const int m[4] = {level_margin, level_margin, level_margin, level_margin};
    set_margins(m);
    item_ml = item_mt = item_mb = level_item_margin;
    item_mr = level_item_margin + level_arrow_room;
    item_sz = {level_item_h, level_item_h};
    item_gap = 0;
}

void menu_t::menu_wnd_t::draw_item(li_t* it, int index, const rect& r, const rect& inner) {
    lv_t::draw_item(it, index, r, inner);
    if (!it->subs.empty()) ::draw_text(L">", &r, font, &arrow_clr, arrow_align);
}

menu_t::menu_t() {
    bg_clr = 0;
    tip_place.place = menu_tip_place;
    tip_place.width = menu_tip_w;
}

menu_t::~menu_t() {
    delete_items(items);
    if (the_menu == this) the_menu = nullptr;
}

menu_t* get_popup_menu() {
    if (!the_menu) {
        the_menu = new menu_t;
        reg_owned_wnd(the_menu);
    }
    if (!the_menu->is_created()) the_menu->create(menu_style, WND_ROOT, nullptr, 0, 0, nullptr);
    return the_menu;
}

// ---- items ----

std::vector<li_t*>& menu_t::item_vec(li_t* parent) { return parent ? parent->subs : items; }

li_t* menu_t::add_item(li_t* it, li_t* parent) {
    it->kind = LIK_COMMAND;
    it->flags |= LIF_NO_CHECK;
    item_vec(parent).push_back(it);
    return it;
}

li_t* menu_t::add_text_item(const wchar_t* text, li_t* parent) { return add_item(new li_t(text, 0, 0, 0), parent); }

li_t* menu_t::add_sep(li_t* parent) { return add_item(new li_t(L"", LIF_SEP, 0, 0), parent); }

void menu_t::del_item(li_t* parent, li_t* it) {
    auto& v = item_vec(parent);
    const auto at = std::find(v.begin(), v.end(), it);
    if (at == v.end()) return;
    v.erase(at);
    if (chosen == it) chosen = nullptr;
    delete_items(it->subs);
    delete it;
}

void menu_t::clear() {
    delete_items(items);
    chosen = nullptr;
}

// ---- levels ----

menu_t::menu_wnd_t* menu_t::get_level(int n) {
    while (int(children.size()) < n + 1) {
        auto* l = new menu_wnd_t;
        l->create(0, this, nullptr, 0, 0, nullptr);
        l->bg_clr = level_bg_made;
        l->tip_place = tip_place;
        reg_owned_wnd(l);
    }
    return static_cast<menu_wnd_t*>(children[size_t(n)]);
}

int menu_t::level_index(const wnd_t* w) const {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == w) return int(i);
    return -1;
}

void menu_t::hide_levels_after(int n) {
    for (size_t i = size_t(n) + 1; i < children.size(); ++i) {
        auto* l = static_cast<menu_wnd_t*>(children[i]);
        l->set_visible(false);
        l->open_idx = -1;
    }
}

void menu_t::open_level(int n, li_t* parent_item, const rect& beside) {
    menu_wnd_t* l = get_level(n);
    l->open_idx = -1;
    l->set_items(parent_item->subs);
    // Right of its item; where the screen ends first, left of it, rather than
    // pulled back over the level it opened from.
    int x = beside.x + beside.w;
    if (x + l->rc.w > get_scrn_size()->w && beside.x - l->rc.w >= 0) x = beside.x - l->rc.w;
    l->move_to(x - (rc.x + margin_l), beside.y - (rc.y + margin_t), 0);
    l->keep_in_scrn();
    l->set_visible(true);
}

intptr_t menu_t::track_popup(int x, int y, int flags) {
    hide_tip();
    chosen = nullptr;
    menu_wnd_t* top = get_level(0);
    top->open_idx = -1;
    top->set_items(items);
    const int place = flags & (MOVE_AT_RIGHT | MOVE_AT_BOTTOM | MOVE_AT_CENTRE_X | MOVE_AT_CENTRE_Y);
    top->move_to(x - (rc.x + margin_l), y - (rc.y + margin_t), place);
    top->keep_in_scrn();
    top->set_visible(true);
    top->set_laid_out(true);
    do_modal(this, 0, 0);
    for (wnd_t* c : children) {
        auto* l = static_cast<menu_wnd_t*>(c);
        l->set_laid_out(false);
        l->set_visible(false);
        l->open_idx = -1;
        l->clear();
    }
    if (flags & MENU_RET_ID) return chosen ? chosen->id : 0;
    if (flags & MENU_RET_DATA) return chosen ? intptr_t(chosen->data) : 0;
    if (flags & MENU_RET_ITEM) return reinterpret_cast<intptr_t>(chosen);
    const auto at = std::find(items.begin(), items.end(), chosen);
    return chosen && at != items.end() ? at - items.begin() : -1;
}

bool menu_t::on_msg(const evt_t& msg, wnd_t* sender) {
    const int li = level_index(sender);
    if (msg.code == EVT_SEL_MADE && li >= 0) {
        chosen = static_cast<menu_wnd_t*>(sender)->get_item(int(msg.b));
        set_modal_result(MODAL_OK);
        return true;
    }
    if (msg.code == EVT_LBTN_UP && sender == this) {
        chosen = nullptr;
        set_modal_result(MODAL_OK);
        return true;
    }
    if (msg.code == EVT_CUR_CHANGED && li >= 0 && msg.b >= 0) {
        auto* l = static_cast<menu_wnd_t*>(sender);
        if (l->open_idx >= 0 && l->open_idx != int(msg.b)) {
            hide_levels_after(li);
            l->open_idx = -1;
        }
        li_t* it = l->get_item(int(msg.b));
        if (it && !it->subs.empty() && l->open_idx != int(msg.b)) {
            l->open_idx = int(msg.b);
            open_level(li + 1, it, l->item_rect(int(msg.b)));
        }
        return true;
    }
    return wnd_t::on_msg(msg, sender);
}
