#include "screens/widgets/itm_btn.h"

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/render.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/rare_lv.h"
#include "rules/unit.h"
#include "screens/text/itm_desc.h"
#include "ui/drag.h"
#include "ui/tip.h"

namespace {
constexpr clr_t clear_clr = 0x00FFFFFF;
constexpr clr_t hot_clr = 0x11FFFFFF;
constexpr clr_t plain_bonus_clr = 0xFFE6E6E6;
constexpr clr_t hot_outline = 0xFF009AE2;
constexpr clr_t not_prof_shade = 0x22FF0000;
constexpr int label_font = FONT_B;
constexpr int bonus_align = rect_align::top | rect_align::right;
constexpr int count_align = rect_align::right | rect_align::bottom;
constexpr uint32_t drag_word = DRAG_ON_MOVE | DRAG_ON_CLICK;

const unit_t* prof_unit = nullptr;
}  // namespace

void set_itm_btn_unit(const unit_t* u) { prof_unit = u; }
const unit_t* get_itm_btn_unit() { return prof_unit; }

Str itm_img_name(int itm_id) {
    const itm_t& k = get_itm(itm_id);
    return Str(L"items/%s", or_empty(k.k));
}

itm_btn_t::itm_btn_t() {
    set_clrs(&clear_clr, &clear_clr, &clear_clr, &hot_clr);
    checked_clr = clear_clr;
}

bool itm_btn_t::create(wnd_t* parent, int x, int y, int sz, int new_id, uintptr_t user, const wchar_t* skin_name) {
    const rect r{x, y, sz, sz};
    return wnd_t::create(0, parent, &r, new_id, user, skin_name);
}

void itm_btn_t::set_item(itm_slot_t* s) {
    slot = s;
    if (!s || s->empty()) {
        img = nullptr;
        drag_flags = 0;
        return;
    }
    img = get_img(itm_img_name(s->id).c_str());
    drag_flags = drag_word;
}

void itm_btn_t::draw_count() {
    if (!slot || slot->get_count() <= 1) return;
    const Str n(L"%d", slot->get_count());
    ::draw_text(n.c_str(), &rc, label_font, nullptr, count_align);
}

void itm_btn_t::draw_content() {
    if (!slot || slot->empty() || !img) return;
    rect c;
    client_rect(&c);
    draw_tex(img, &c, nullptr);
    if (slot->bonus != 0 && !itm_is_fixed_rarity(*slot)) {
        const int rarity = itm_rare_lv(*slot);
        const clr_t bc = rarity < 2 ? plain_bonus_clr : get_ex_info(rarity).clr;
        const Str b(L"<shadow>%+d", slot->bonus);
        ::draw_text(b.c_str(), &c, label_font, &bc, bonus_align);
    }
    if (get_state() == DS_HOT) {
        draw_rect(&rc, &hot_outline);
        const rect in{rc.x + 1, rc.y + 1, rc.w - 2, rc.h - 2};
        draw_rect(&in, &hot_outline);
    }
    draw_count();
    if (prof_unit && !prof_unit->is_proficient(*slot)) fill_rect(&c, &not_prof_shade);
}

bool itm_btn_t::on_input(const evt_t* e) {
    // A quick second right click arrives as a double click: it is a press all
    // the same, so equipping two rings in a row takes both.
    if (e->code == EVT_RBTN_DBL && !has_style(WS_NO_INPUT)) {
        const evt_t press{EVT_RBTN_DOWN, e->a, e->b};
        return btn_t::on_input(&press);
    }
    return btn_t::on_input(e);
}

bool itm_btn_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this && msg.code == EVT_DRAG_QUERY) {
        if (!slot || slot->empty()) {
            set_drag_ok(false);
            return true;
        }
        *get_drag_data() = uintptr_t(slot->get_count());
        set_drag_img(itm_img_name(slot->id).c_str());
        return true;
    }
    if (sender == this && msg.code == EVT_TIP_QUERY) {
        if (!slot || slot->empty()) return btn_t::on_msg(msg, sender);
        tip_req_t& req = get_tip_req();
        req.anchor = rc;
        req.place = tip_place.place;
        req.width = tip_place.width;
        req.text = txt::itm_desc(*slot);
        return true;
    }
    return btn_t::on_msg(msg, sender);
}
