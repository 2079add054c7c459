#include "rules/cond.h"

#include <algorithm>

#include "app/db.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/listener.h"
#include "battle/rolls.h"
#include "rules/cond_ids.h"
#include "rules/pwr_ids.h"
#include "rules/race_ids.h"
#include "rules/unit.h"

const std::vector<int> mind_cond_ids = {C_SLEEP, C_CHARM, C_MAD, C_FEAR};

namespace {

bool is_mind_cond(int id) { return std::find(mind_cond_ids.begin(), mind_cond_ids.end(), id) != mind_cond_ids.end(); }

}  // namespace

const wchar_t* cond_name(int id) { return or_empty(get_cond(id)->n); }

cond_inst_t& make_cond_inst(cond_inst_t& out, int id, unit_t* src, int dc, int flags, int amt) {
    out.src = src;
    out.dc = dc;
    out.id = id;
    out.dur = get_cond(id)->dur;
    out.flags = flags;
    if (id >= C_BLEED && id <= C_HR) {
        // No giver (or one gone) counts as level 0.
        const int lv = src ? src->base.lv : 0;
        out.amt = amt != 0 ? amt : (lv / 10 + 1) * 5;
    } else {
        out.amt = 0;
    }
    return out;
}

cond_inst_t& make_cond_rm(cond_inst_t& out, int id) {
    out.src = nullptr;
    out.dc = 0;
    out.id = id;
    out.dur = 0;
    out.flags = CI_REMOVE;
    out.amt = 0;
    return out;
}

void apply_cond(const cond_inst_t& inst, unit_t* tgt) {
    if (!tgt) return;
    if (inst.flags & CI_REMOVE) {
        tgt->conds.remove(inst.id);
        return;
    }
    if (tgt->conds.is_blocked(inst.id)) return;
    if (tgt->imm_cond(inst.id)) {
        const Str text(L"免疫%s", cond_name(inst.id));
        unit_float_text(text.buf, tgt, FLOAT_RESISTED);
        log_cur_buf()->append_format(L"<c=a>%s%s</c>", text.buf, lang_dot.buf);
        return;
    }
    if (!(inst.flags & CI_NO_ROLL) && !roll_unit_check(cond_name(inst.id), tgt, inst.dc, get_cond_def(tgt, inst.id)))
        return;
    tgt->conds.add(inst, true);
}

int get_cond_def(const unit_t* u, int id) { return u->get_def(get_cond(id)->def) + get_cond_bonus(u, id); }

int get_cond_bonus(const unit_t* u, int id) {
    if (id == C_FEAR && u->base.race == RACE_HFLING) return 2;
    if (is_mind_cond(id) && (u->base.race == RACE_GNM || u->has_pwr(P_FEY_BLOOD))) return 2;
    return 0;
}

int get_cond_dc_bonus(const unit_t* actor, int id) { return is_mind_cond(id) && actor->base.race == RACE_GNM ? 1 : 0; }

void upd_blood_rage(unit_t* u) {
    const int hp = u->hp;
    const int max = u->drv.hp_max;
    int id = 0;
    if (u->has_pwr(P_BLOOD_RAGE2)) {
        if (hp <= max / 2)
            id = C_BLOOD_RAGE2;
        else if (hp < max)
            id = C_BLOOD_RAGE;
    } else if (u->has_pwr(P_BLOOD_RAGE) && hp <= max / 2) {
        id = C_BLOOD_RAGE;
    }
    if (id) add_cond_no_save(id, u, u);
}

bool is_good_cond(int id) { return id == C_DEF || id == C_DEF_FULL || id == C_GRAPPER || id == C_HR; }

bool cond_is_logged(int id) { return id != C_DEF && id != C_DEF_FULL && id != C_GRAPPER; }

bool cond_ticks_at_start(int id) { return id == C_DEF || id == C_DEF_FULL || (id >= C_BLEED && id <= C_HR); }

bool is_timed_cond(int id) {
    const int d = get_cond(id)->dur;
    return d != 1 && d != COND_FOREVER;
}

bool cond_ends_def(int id) { return (id >= C_STUN && id <= C_MAD) || id == C_GRAP; }

std::vector<int> cond_blockers(int id) {
    return id == C_BLOOD_RAGE ? std::vector<int>{C_BLOOD_RAGE2} : std::vector<int>{};
}

std::vector<int> cond_replaces(int id) {
    return id == C_BLOOD_RAGE2 ? std::vector<int>{C_BLOOD_RAGE} : std::vector<int>{};
}
