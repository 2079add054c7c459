#include "rules/gear.h"

#include <algorithm>

#include "rules/enum_ids.h"
#include "rules/ie_eff.h"
#include "rules/itm.h"
#include "rules/load_type.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

void put_best(int* values, const itm_slot_t** sources, int i, int v, const itm_slot_t* s) {
    if (v <= values[i]) return;
    values[i] = v;
    sources[i] = s;
}

}  // namespace

void collect_gear_bonuses(const unit_t& u, int values[GEAR_N], const itm_slot_t* sources[GEAR_N]) {
    std::fill(values, values + GEAR_N, 0);
    std::fill(sources, sources + GEAR_N, nullptr);
    const itm_slot_t& body = u.eqpts.slots[EQ_BODY];
    if (!body.empty() && get_itm(body.id).type == IT_AMR) put_best(values, sources, G_AMR, body.get_amr().def, &body);
    const itm_slot_t& off = u.eqpts.slots[EQ_OFF];
    if (!off.empty() && get_itm(off.id).type == IT_SHD) {
        int v = off.get_amr().def;
        if (u.has_pwr(P_SHD_DEF2)) v += 2;
        else if (u.has_pwr(P_SHD_DEF1)) v += 1;
        put_best(values, sources, G_SHD, v, &off);
        values[G_SHD_RF] = v;
        sources[G_SHD_RF] = &off;
        if (get_itm(off.id).grp == SHD_TOWER) {
            values[G_TOWER] = -2;
            sources[G_TOWER] = &off;
        }
    }
    ie_best_bonuses(u, values, sources);
}

void unit_t::get_burden(brdn_t& out) const {
    for (const itm_slot_t& s : eqpts.slots) {
        if (s.empty()) continue;
        const int type = get_itm(s.id).type;
        if (type != IT_AMR && type != IT_SHD) continue;
        const itm_amr_t a = s.get_amr();
        int spd = a.spd;
        if (!is_proficient(s)) {
            out.amr_pen += a.np_pen;
            if (type == IT_AMR) spd -= 1;
        }
        out.spl_fail += a.asf;
        out.max_dex = std::min(out.max_dex, a.max_dex);
        out.spd_pen = std::min(out.spd_pen, spd);
    }
    const load_type_t* l = get_load_type(eqpts.load_lv());
    out.spl_fail += l->spl_fail;
    out.amr_pen = std::min(out.amr_pen, l->amr_pen);
    out.max_dex = std::min(out.max_dex, l->max_dex);
    out.spd_pen = std::min(out.spd_pen, l->spd_pen);
}
