#include "screens/unit/eqpt_bag_pnl.h"

#include "app/render.h"
#include "battle/turn.h"
#include "rules/eqpts.h"
#include "rules/itm_drop.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/unit/bag_pnl.h"
#include "screens/unit/eqpt_pnl.h"
#include "screens/widgets/itm_btn.h"
#include "screens/widgets/theme.h"
#include "ui/drag.h"

namespace {
constexpr int pnl_w = 532;

itm_slot_t* slot_of(wnd_t* w) {
    auto* b = dynamic_cast<itm_btn_t*>(w);
    return b ? b->slot : nullptr;
}

// Where a button of the panels stands for the drop rules; n -1 for no place.
itm_place_t place_of(wnd_t* w) {
    const itm_slot_t* s = slot_of(w);
    if (w->id == EB_PAGE_BTN) return {itm_at_e::page, int(w->user_data)};
    if (w->id == EB_BAG_BTN && s) return {itm_at_e::bag, int(s - g_pty.bag)};
    return {itm_at_e::eqpt, w->id == EB_SLOT_BTN && s ? int(w->user_data) : -1};
}

class _eqpt_bag_pnl_t : public eqpt_bag_pnl_t {
public:
    unit_t* unit = nullptr;
    eqpt_pnl_t* eqpt = nullptr;
    bag_pnl_t* bag = nullptr;
    std::vector<wnd_t*> lit;

    void build(unit_t* u);

    void set_unit(unit_t* u) override {
        unit = u;
        eqpt->set_unit(u);
        bag->refresh_all();
        const bool show = !is_btl_running();
        eqpt->set_visible(show);
        bag->set_visible(show);
    }
    unit_t* get_unit() const override { return unit; }
    eqpt_pnl_t* eqpt_pnl() const override { return eqpt; }
    bag_pnl_t* bag_pnl() const override { return bag; }
    const std::vector<wnd_t*>& hilited() const override { return lit; }
    wnd_t* can_drop(wnd_t* src, wnd_t* target) const override;
    bool drop(wnd_t* src, wnd_t* target) override;
    bool rclick(wnd_t* btn) override;

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void paint() override;

private:
    bool ours(const wnd_t* w) const { return w && (w->parent == eqpt || w->parent == bag); }
    // After a move: the bag page and the slots show the new state; a change
    // of equipment also shows the load and tells the dialog.
    void refresh(bool eqpt_changed);
};

void _eqpt_bag_pnl_t::build(unit_t* u) {
    resize(pnl_w, rc.h);
    if (parent) gap = parent->gap;
    eqpt = new_eqpt_pnl(WS_DOCK_TOP | WS_FILL_W, this, u, EB_SLOT_BTN, EB_SET_BTN);
    bag = new_bag_pnl(WS_FILL_W | WS_FILL_H, this, EB_BAG_BTN, EB_PAGE_BTN);
    resize(pnl_w, eqpt->rc.h + bag->rc.h + margin_t + margin_b + gap);
    unit = u;
}

wnd_t* _eqpt_bag_pnl_t::can_drop(wnd_t* src, wnd_t* target) const {
    if (!target || target == src || !ours(target)) return nullptr;
    if (target->id != EB_BAG_BTN && target->id != EB_PAGE_BTN && target->id != EB_SLOT_BTN) return nullptr;
    const itm_slot_t* s = slot_of(src);
    return itm_drop_ok(s ? *s : itm_slot_t(), place_of(target)) ? target : nullptr;
}

bool _eqpt_bag_pnl_t::drop(wnd_t* src, wnd_t* target) {
    target = can_drop(src, target);
    if (!target || !ours(src) || !unit || !itm_drop(*unit, g_pty.bag, place_of(src), place_of(target))) return false;
    refresh(src->id == EB_SLOT_BTN || target->id == EB_SLOT_BTN);
    return true;
}

bool _eqpt_bag_pnl_t::rclick(wnd_t* btn) {
    itm_slot_t* s = slot_of(btn);
    if (!ours(btn) || !s || s->empty() || !unit) return false;
    bool ok = false;
    if (btn->id == EB_BAG_BTN) ok = unit->eqpts.equip(*s);
    else if (btn->id == EB_SLOT_BTN) ok = unit->eqpts.unequip(*s);
    if (ok) refresh(true);
    return ok;
}

void _eqpt_bag_pnl_t::refresh(bool eqpt_changed) {
    bag->refresh_page();
    eqpt->bind_slots();
    if (!eqpt_changed) return;
    eqpt->show_load();
    notify({EVT_EQPT_CHANGED, 0, 0});
}

bool _eqpt_bag_pnl_t::on_msg(const evt_t& msg, wnd_t* sender) {
    switch (msg.code) {
    case EVT_RCLICK:
        if (rclick(sender)) return true;
        break;
    case EVT_DRAG_BEGIN:
        lit.clear();
        if (sender && sender->id == EB_BAG_BTN && ours(sender))
            if (const itm_slot_t* s = slot_of(sender)) eqpt->fitting_slots(*s, lit);
        break;
    case EVT_DRAG_OVER:
        if (ours(sender)) {
            set_drop_ok(can_drop(sender, get_drag_target()) != nullptr);
            return true;
        }
        break;
    case EVT_DROP:
        if (ours(sender)) {
            drop(sender, get_drag_target());
            return true;
        }
        break;
    default: break;
    }
    return eqpt_bag_pnl_t::on_msg(msg, sender);
}

void _eqpt_bag_pnl_t::paint() {
    eqpt_bag_pnl_t::paint();
    if (!is_dragging()) return;
    for (wnd_t* w : lit) {
        draw_rect(&w->rc, &theme::hilite);
        const rect in{w->rc.x + 1, w->rc.y + 1, w->rc.w - 2, w->rc.h - 2};
        draw_rect(&in, &theme::hilite);
    }
}
}  // namespace

eqpt_bag_pnl_t* new_eqpt_bag_pnl(uint32_t style, wnd_t* parent, unit_t* u) {
    auto* p = new _eqpt_bag_pnl_t;
    p->create(style, parent, nullptr, 0, 0, nullptr);
    reg_owned_wnd(p);
    p->build(u);
    p->set_unit(u);
    return p;
}
