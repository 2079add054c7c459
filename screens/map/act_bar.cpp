#include "screens/map/act_bar.h"

#include <SDL_keycode.h>

#include "app/input.h"
#include "ui/tip.h"

namespace {
constexpr int icon_side = 32;
constexpr int item_margin = 2;
constexpr int item_gap_px = 2;
constexpr int key_strip_h = 16;  // room under the slots for their key numbers
constexpr clr_t slot_clr = 0xff1a1a1a;
constexpr const wchar_t* empty_slot_tip = L"右键设置动作项";

act_bar_maker_t maker = nullptr;

int slot_key(int i) { return i < 9 ? SDLK_1 + i : i == 9 ? SDLK_0 : 0; }
}  // namespace

act_bar_t::act_bar_t() {
    ex_style |= uint32_t(LVX_ROW) | WSX_ALL_KEYS;
    item_ml = item_mr = item_mt = item_mb = item_margin;
    const size s{icon_side + 2 * item_margin, icon_side + 2 * item_margin};
    set_item_size(&s);
    set_item_gap(item_gap_px);
    margin_b = key_strip_h;
    bg_clr = 0;
    item_fill_clr = slot_clr;
}

void act_bar_t::reset() {
    for (li_t* it : items) {
        it->flags = (it->flags | LIF_DISABLED) & ~(LIF_CHECKED | LIF_SELECTED);
        it->icon = nullptr;
        it->tip = empty_slot_tip;
    }
    sel = -1;
}

void act_bar_t::set_slot_count(int n) {
    clear();
    for (int i = 0; i < n; ++i) {
        li_t* it = add_item(nullptr, empty_slot_tip, nullptr, LIF_DISABLED, i, 0, 0, nullptr);
        it->hot_key = slot_key(i);
    }
}

void act_bar_t::fill_slot_tip(int i, tip_req_t& req) {
    if (const li_t* it = get_item(i)) req.text = it->tip;
}

bool act_bar_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this && msg.code == EVT_KEY_DOWN) return false;
    if (sender == this && msg.code == EVT_TIP_QUERY) {
        // The slot under the pointer now, not the one the list last tracked:
        // the tip is asked for before the frame's tracking. The list's own
        // tips skip disabled items, which a player most needs explained.
        const pt_t m = *get_mouse_pos();
        const int i = item_at(m.x, m.y, nullptr);
        if (!get_item(i)) return false;
        tip_req_t& req = get_tip_req();
        fill_slot_tip(i, req);
        if (req.text.empty()) return false;
        // Above the slot: clear of the pointer and of the slots beside it.
        req.anchor = item_rect(i);
        req.place = TIP_ABOVE;
        req.region = i + 1;
        return true;
    }
    return tool_bar_t2::on_msg(msg, sender);
}

void set_act_bar_maker(act_bar_maker_t fn) { maker = fn; }

act_bar_t* make_act_bar() { return maker ? maker() : new act_bar_t; }
