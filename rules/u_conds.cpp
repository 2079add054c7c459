#include "rules/u_conds.h"

#include <iterator>
#include <vector>

#include "app/db.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/auras.h"
#include "battle/damage.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/rolls.h"
#include "battle/turn.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

wchar_t cond_tag(int id) { return is_good_cond(id) ? L'g' : L'r'; }

}  // namespace

u_conds_t& u_conds_t::operator=(const u_conds_t& o) {
    map = o.map;
    mask = o.mask;
    return *this;
}

const cond_inst_t* u_conds_t::get_nth(int i) const {
    if (i < 0 || size_t(i) >= map.size()) return nullptr;
    return &std::next(map.begin(), i)->second;
}

bool u_conds_t::can_act() const { return u && u->hp >= 1 && !(mask & CF_NO_ACT); }

bool u_conds_t::threatens() const { return u && u->hp >= 1 && !(mask & (CF_NO_ACT | CF_NO_THREAT)); }

bool u_conds_t::can_move() const { return u && u->hp >= 1 && !(mask & CF_NO_MOVE); }

bool u_conds_t::is_blocked(int id) const {
    // A held permanent or one-round condition is never applied again.
    if (has(id) && !is_timed_cond(id)) return true;
    for (int b : cond_blockers(id))
        if (has(b)) return true;
    return false;
}

void u_conds_t::put(const cond_inst_t& inst) {
    auto it = map.find(inst.id);
    if (it != map.end()) {
        cond_inst_t& held = it->second;
        held.src = inst.src;
        held.dc = inst.dc;
        held.amt += inst.amt;
        if (inst.dur > held.dur) held.dur = inst.dur;
        return;
    }
    for (int r : cond_replaces(inst.id)) {
        if (has(r)) {
            map.erase(r);
            break;
        }
    }
    map.emplace(inst.id, inst);
}

void u_conds_t::log_gain(const cond_inst_t& inst) {
    Str text(cond_name(inst.id));
    if (inst.amt != 0) text.append_format(L" %d", inst.amt);
    unit_float_text(text.buf, u, is_good_cond(inst.id) ? FLOAT_COND_GOOD : FLOAT_COND_BAD);
    // The log wraps: a name keeps its count on its line ("Bleeding 4").
    log_cur_buf()->append_format(L"<c=%C><nobr>%s</nobr>%s</c>", char(cond_tag(inst.id)), text.buf, lang_dot.buf);
}

void u_conds_t::add(const cond_inst_t& inst, bool recalc) {
    if (is_blocked(inst.id)) return;
    put(inst);
    if (cond_is_logged(inst.id)) log_gain(inst);
    // A hold has two sides: the grappler gets "grapper" pointing back at the held unit.
    if (inst.id == C_GRAP && inst.src && inst.src != u) {
        cond_inst_t ci;
        apply_cond(make_cond_inst(ci, C_GRAPPER, u, 0, CI_NO_ROLL, 0), inst.src);
        inst.src->recalc();
    }
    if (cond_ends_def(inst.id)) {
        remove(C_DEF);
        remove(C_DEF_FULL);
    }
    if (recalc && u) u->recalc();
}

void u_conds_t::remove(int id) {
    auto it = map.find(id);
    if (it == map.end()) return;
    // The partner may be gone already: then only this side is erased.
    if (id == C_GRAPPER || id == C_GRAP) unlink_partner(id, it->second.src);
    erase(id, true);
}

void u_conds_t::erase(int id, bool recalc) {
    if (!map.erase(id)) return;
    if (cond_is_logged(id)) {
        const Str text(L"-%s", cond_name(id));
        unit_float_text(text.buf, u, FLOAT_COND_LOST);
        log_cur_buf()->append_format(L"<c=%C>%s</c>解除%s", char(cond_tag(id)), cond_name(id), lang_dot.buf);
    }
    if (recalc && u) u->recalc();
}

void u_conds_t::clear() {
    mask = 0;
    map.clear();
    if (u) u->recalc();
}

void u_conds_t::upd_mask() {
    mask = 0;
    for (const auto& [id, inst] : map) mask |= get_cond(id)->flags;
}

void u_conds_t::unlink_partner(int id, unit_t* partner) {
    if (!partner || partner == u) return;
    const int other = id == C_GRAPPER ? C_GRAP : C_GRAPPER;
    auto pit = partner->conds.map.find(other);
    if (pit != partner->conds.map.end() && pit->second.src == u) partner->conds.erase(other, true);
}

void u_conds_t::drop_partners() {
    for (int id : {C_GRAPPER, C_GRAP}) {
        auto it = map.find(id);
        if (it == map.end()) continue;
        unit_t* partner = it->second.src;
        it->second.src = nullptr;
        unlink_partner(id, partner);
    }
}

// ---- grapples ----

void u_conds_t::check_grapple() {
    if (!u) return;
    if (has(C_GRAPPER) && (is_prone() || (mask & CF_NO_CMD) || has(C_CHARM))) remove(C_GRAPPER);
    const int id = has(C_GRAPPER) ? C_GRAPPER : has(C_GRAP) ? C_GRAP : 0;
    if (!id) return;
    const unit_t* partner = map.at(id).src;
    if (u->hp < 1 || !partner || !units_adjacent(u, partner)) remove(id);
}

void u_conds_t::try_escape() {
    if (!has(C_GRAP) || (mask & CF_HELPLESS)) return;
    const unit_t* grappler = map.at(C_GRAP).src;
    log_cur_buf()->append(L"挣脱擒抱检定: ");
    // A hold whose grappler is gone has no defence left to beat.
    const int dc = grappler ? grappler->get_def(DEF_CM) : 0;
    if (!roll_d20_log(u->get_atk(ATK_CM), dc, nullptr)) {
        unit_float_text(L"挣脱失败", u, FLOAT_COND_BAD);
        return;
    }
    remove(C_GRAP);
}

void u_conds_t::grap_hold() {
    if (!has(C_GRAPPER)) return;
    unit_t* victim = map.at(C_GRAPPER).src;
    // factor F and drain D of the first held hold power
    const struct { int pwr, f, d; } holds[] = {
        {P_GRAP_DMG2, 10, 0}, {P_GRAP_DMG1, 5, 0}, {P_GRAP_STING2, 10, 0}, {P_GRAP_STING1, 5, 0}, {P_GRAP_SUCK, 5, 5}};
    for (const auto& h : holds) {
        if (!u->has_pwr(h.pwr)) continue;
        if (!victim || (h.pwr == P_GRAP_SUCK && victim->has_trait(TRAIT_LIFELESS))) return;  // it sucks blood
        const int tiers = u->base.lv / 10 + 1;
        log_newline();
        log_takes_effect(h.pwr);
        log_cur_buf()->append_format(L"%s: ", unit_disp_name(victim));
        dmg_res_t r;
        r.amount = tiers * h.f;
        apply_dmg(victim, &r);
        if (h.d) {
            log_cur_buf()->append_format(L"%s: ", unit_disp_name(u));
            heal_unit(u, tiers * h.d);
        }
        return;
    }
}

// ---- turns ----

void u_conds_t::tick(int phase) {
    auto counts = [phase](int id) { return cond_ticks_at_start(id) == (phase == 0); };
    for (auto& [id, inst] : map)
        if (inst.dur != COND_FOREVER && counts(id)) --inst.dur;
    for (;;) {
        int due = 0;
        for (const auto& [id, inst] : map) {
            // Below 0 too: an instance made with no duration must still end.
            if (inst.dur <= 0 && counts(id)) {
                due = id;
                break;
            }
        }
        if (!due) return;
        remove(due);
    }
}

void u_conds_t::tick_effects() {
    // A copy of the ids: damage can end conditions while the walk goes on.
    std::vector<int> ids;
    for (const auto& [id, inst] : map) ids.push_back(id);
    for (int id : ids) {
        auto it = map.find(id);
        if (it == map.end()) continue;
        const uint32_t types = uint32_t(get_cond(id)->dmg_types);
        if (!types) continue;
        log_newline();
        dmg_part_t part;
        part.bonus = it->second.amt;
        part.mask = types;
        roll_apply_dmg(u, {part});
        if (u->hp < 1) return;
    }
    if (u->hp < u->drv.hp_max && !u->btl.regen_off && u->drv.hr != 0) {
        log_newline();
        heal_unit(u, u->drv.hr);
    }
}

void u_conds_t::on_turn_start() {
    if (!u || u->hp <= 0) return;
    tick_effects();
    if (u->hp <= 0) return;
    try_escape();
    if (u->hp <= 0) return;
    grap_hold();
    if (u->hp <= 0) return;
    tick(0);
}

void u_conds_t::on_turn_end() {
    if (u) tick(1);
}
