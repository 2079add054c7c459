#include "battle/listener.h"

#include "app/text_log.h"
#include "battle/btl.h"
#include "battle/turn.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

void null_listener_t::wait_for_orders(unit_t* u) {
    if (!u) return;
    u_cmd_t c;
    c.pwr = P_END_TURN;
    u->btl.cmds.push_back(c);
}

btl_listener_t* cur_scene() {
    static null_listener_t none;
    btl_listener_t* l = btl().scene;
    return l ? l : &none;
}

void set_cur_scene(btl_listener_t* l) { btl().scene = l; }

btl_pres_t& btl_pres() {
    static btl_pres_t p;
    return p;
}

void set_btl_feedback(bool on) {
    // The log switch is the engine's own, so a battle without a screen logs what
    // the game would.
    log_set_enabled(on);
    if (btl_pres().feedback) btl_pres().feedback(on);
}

void unit_float_text(const wchar_t* text, unit_t* u, float_kind_t kind) {
    if (btl_pres().float_text) btl_pres().float_text(text, u, kind);
}

void play_cell_ani(const wchar_t* img, const pt_t& cell) {
    if (btl_pres().cell_ani) btl_pres().cell_ani(img, cell);
}

void ani_unit_step(unit_t* u, const pt_t& cell, int flags) {
    if (btl_pres().unit_step) btl_pres().unit_step(u, cell, flags);
}

void show_enter_view(unit_t* u) {
    if (btl_pres().enter_view) btl_pres().enter_view(u);
}

void show_immune(unit_t* u) {
    log_cur_buf()->append(L"<c=fc_ww>免疫。</c>");
    if (btl_pres().immune) btl_pres().immune(u);
}

void btl_sfx(const wchar_t* name) {
    if (btl_pres().sfx) btl_pres().sfx(name);
}

Str pwr_heading(int pwr) {
    if (btl_pres().pwr_heading) return btl_pres().pwr_heading(pwr);
    const Pwr* p = get_pwr(pwr);
    const wchar_t* key = p && p->k ? p->k : L"def";
    return Str(L"<h2 f=b4><ico=powers/%s c=w> %s</h2>", key, p && p->n ? p->n : key);
}

Str gold_text(double amount) {
    if (btl_pres().gold_text) return btl_pres().gold_text(amount);
    return Str(L"%.2f", amount);
}

Str itm_tip_ref(const itm_slot_t& s) {
    if (btl_pres().itm_tip_ref) return btl_pres().itm_tip_ref(s);
    return Str(L"itm:%d", s.id);
}

Str unit_caption(const unit_t* u) {
    if (btl_pres().unit_caption) return btl_pres().unit_caption(u);
    return unit_disp_name(u);
}
