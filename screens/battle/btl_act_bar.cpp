// The battle's quick-slot bar: the acting unit's 20 slots with their powers,
// usable or greyed, cooldowns, uses left and key numbers.
#include <algorithm>

#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/render.h"
#include "app/draw_text.h"
#include "app/sentinels.h"
#include "battle/act_ctx.h"
#include "battle/rolls.h"
#include "battle/target_area.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/text/tip_resolve.h"
#include "ui/tip.h"

namespace {
constexpr clr_t cd_shade = 0xcc000000;
constexpr clr_t key_strip_clr = 0xff222222;
constexpr clr_t key_num_clr = 0xff444444;
constexpr clr_t refused_fill = 0xff660000;
constexpr clr_t refused_frame = 0xff440000;
constexpr int key_strip_h = 16;
constexpr int icon_side = 32;

class _act_bar_t : public act_bar_t {
public:
    void reset() override {
        act_bar_t::reset();
        std::fill(std::begin(recs_), std::end(recs_), qslot_t{});
        unit_ = nullptr;
    }

    void show_unit(unit_t* u) override {
        reset();
        if (!u) return;
        unit_ = u;
        for (int i = 0; i < count() && i < ACTBAR_SLOTS; ++i) show_slot(u, i);
    }

    // A refused slot says why below what it holds. The reference is resolved
    // here: followed by more text it would be no reference.
    void fill_slot_tip(int i, tip_req_t& req) override {
        act_bar_t::fill_slot_tip(i, req);
        const li_t* it = get_item(i);
        if (!unit_ || !it || !refused(it)) return;
        const Str ref = req.text;
        txt::resolve_tip_ref(ref.c_str(), &req.text, &req.width);
        req.text.append_format(L"\n<c=r>无法使用: %s</c>", refusal_text(pwr_refusal(unit_, recs_[i].pwr)));
    }

    const qslot_t* slot_rec(int i) const override {
        return i >= 0 && i < ACT_BAR_SLOTS ? &recs_[i] : nullptr;
    }

    clr_t* item_text_clr(clr_t* out, const li_t* it) override {
        if (!refused(it)) return act_bar_t::item_text_clr(out, it);
        *out = refused_fill;
        return out;
    }

    clr_t* item_bg_clr(clr_t* out, const li_t* it) override {
        if (!refused(it)) return act_bar_t::item_bg_clr(out, it);
        *out = refused_frame;
        return out;
    }

    void draw_item(li_t* it, int index, const rect& r, const rect& inner) override {
        act_bar_t::draw_item(it, index, r, inner);
        const qslot_t* q = slot_rec(index);
        if (q && q->pwr != 0 && q->cd > 0 && q->uses > 0) {
            fill_rect(&r, &cd_shade);
            const clr_t white = 0xffffffff;
            draw_kept_text(Str(L"%d", q->cd), r.x + r.w / 2, r.y + r.h / 2, FONT_B7, white);
        }
        if (q && q->pwr != 0 && q->uses != UNLIMITED) {
            const clr_t white = 0xffffffff;
            ::draw_text(Str(L"<c=fc_b shadow>%d", q->uses), &r, FONT_B, &white, rect_align::right | rect_align::bottom);
        }
        const rect strip{r.x, r.y + r.h, r.w, key_strip_h};
        fill_rect(&strip, &key_strip_clr);
        if (index < 10) {
            const Str key(L"%d", (index + 1) % 10);
            draw_kept_text(key, strip.x + strip.w / 2, strip.y + strip.h / 2, FONT_B, key_num_clr);
        }
    }

private:
    qslot_t recs_[ACT_BAR_SLOTS];
    unit_t* unit_ = nullptr;  // the unit waiting for orders

    bool refused(const li_t* it) const {
        const int i = int(std::find(items.begin(), items.end(), it) - items.begin());
        const qslot_t* q = slot_rec(i);
        return q && q->pwr != 0 && (it->flags & LIF_DISABLED);
    }

    void show_slot(unit_t* u, int i) {
        const actbar_item_t& slot = u->actbar.items[i];
        li_t* it = get_item(i);
        const Pwr* p = get_pwr(slot.pwr);
        if (!it || !p) return;
        const act_t* a = as_act(slot.pwr);
        it->kind = is_aimed_pwr(slot.pwr) ? LIK_TOGGLE_SINGLE : LIK_COMMAND;
        it->flags = can_use(u, slot.pwr) ? it->flags & ~LIF_DISABLED : it->flags | LIF_DISABLED;
        if (u->actbar.sel == i) {
            it->flags |= LIF_SELECTED;
            sel = i;
        }
        // Scaled once: the bar is drawn every frame.
        it->icon = get_img_sized(Str(L"powers/%s", p->k ? p->k : L"def"), icon_side, icon_side);
        it->tip = pwr_tip_ref(slot.pwr);
        recs_[i] = {slot.pwr, slot.param, get_act_cooldown(u, a), pwr_uses_left(u, slot.pwr)};
    }
};

act_bar_t* make_btl_act_bar() { return new _act_bar_t; }
}  // namespace

void install_btl_act_bar() { set_act_bar_maker(make_btl_act_bar); }
