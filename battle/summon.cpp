#include "battle/summon.h"

#include <algorithm>
#include <set>

#include "app/rnd.h"
#include "app/sentinels.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/enum_ids.h"
#include "rules/ie_ids.h"
#include "rules/mon_ids.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"

namespace {
const std::vector<int>& summon_tpls(int pwr) {
    static const std::vector<int> sum = {MON_ELM_A, MON_ELM_E, MON_ELM_F, MON_ELM_W},
                                  ud = {MON_SKELETON_SHD, MON_ZOMBIE}, spiders = {MON_SPIDER_HUNT, MON_SPIDER_WEB}, none;
    return pwr == P_SUM ? sum : pwr == P_MK_UD ? ud : pwr == P_SUM_SPIDERS ? spiders : none;
}

// The creator's summon of the power standing farthest from it; null for none.
unit_t* farthest_summon(const unit_t* creator, int pwr) {
    unit_t* best = nullptr;
    int bd = -1;
    for (unit_t* v : btl().roster)
        if (v->creator == creator && v->sum_pwr == pwr && v->hp > 0) {
            const int d = unit_sq_dist(v->pos, creator->pos);
            if (d > bd) bd = d, best = v;
        }
    return best;
}

void dismiss_excess(const unit_t* creator, int pwr, int times) {
    for (int i = 0; i < times; ++i)
        if (unit_t* s = farthest_summon(creator, pwr)) dismiss_summon(s);
}

bool place_summon(unit_t* creator, int pwr, const pt_t& at) {
    const pt_t cell = nearest_free_cell(at);
    if (cell.x < 0) return false;
    const auto& tpls = summon_tpls(pwr);
    if (tpls.empty()) return false;
    const int tpl = tpls.size() >= 2 ? tpls[rnd_rand() % int(tpls.size())] : tpls[0];
    unit_t* s = new_summon(creator, tpl, creator->base.lv);
    s->pos = cell;
    s->sum_pwr = pwr;
    insert_after_creator(s, creator);
    s->btl.reset();
    reset_cooldowns(s);
    s->turn_reset();
    update_view(s, true, true, true);
    cur_scene()->on_roster_changed();
    if (pwr == P_MK_UD) log_cur_buf()->append(L"被转化为 ");
    log_cur_buf()->append_format(L"%s。", unit_disp_name(s));
    return true;
}
}  // namespace

unit_t* new_summon(unit_t* creator, int tpl, int lv) {
    unit_t* s = new unit_t();
    s->from_mon(tpl, lv);
    s->btl.ai = 1;
    s->btl.side = creator->btl.side;
    s->creator = creator;
    s->sum_atk = creator->get_atk(ATK_SPL);
    s->sum_dur = UNLIMITED;
    const int cha = creator->drv.abi_mod[ABI_CHA];
    for (int i = ABI_STR; i <= ABI_CON; ++i) s->base.abi[i] += cha;
    if (creator->has_pwr(P_SPL_SUMM1)) s->base.abi[ABI_STR] += 4, s->base.abi[ABI_CON] += 4;
    s->recalc();
    s->hp = s->drv.hp_max;
    btl().summons.push_back(s);
    return s;
}

int count_summons(const unit_t* creator, int pwr) {
    int n = 0;
    for (const unit_t* v : btl().roster)
        if (v->creator == creator && v->sum_pwr == pwr && v->hp > 0) ++n;
    return n;
}

int summon_limit(int pwr) { return pwr == P_SUM ? 1 : 2; }

bool summon(unit_t* creator, int pwr, const pt_t& cell) {
    dismiss_excess(creator, pwr, count_summons(creator, pwr));
    const int n = pwr == P_SUM_SPIDERS ? 2 : 1;
    int placed = 0;
    while (placed < n && place_summon(creator, pwr, cell)) ++placed;
    return placed > 0;
}

bool raise_fallen(unit_t* creator, unit_t* fallen) {
    const pt_t at = fallen->pos;
    remove_fallen(fallen);
    dismiss_excess(creator, P_MK_UD, count_summons(creator, P_MK_UD) - 1);
    return place_summon(creator, P_MK_UD, at);
}

unit_t* add_companion(unit_t* u) {
    if (u->drv.companion_lv == 0) return nullptr;
    static_assert(MON_ELM_E - MON_ELM_A == IE_ELM_E - IE_ELM_A, "one elemental an enchantment, in the same order");
    const int tpl = MON_ELM_A + (u->drv.companion_ie - IE_ELM_A);
    unit_t* c = new_summon(u, tpl, u->drv.companion_lv);
    insert_after_creator(c, u);
    return c;
}

void dismiss_summon(unit_t* s) {
    s->conds.drop_partners();
    remove_from_roster(s);
    auto& full = btl().full;
    full.erase(std::remove(full.begin(), full.end(), s), full.end());
    remove_fallen(s);
    cur_scene()->on_roster_changed();
}

void free_summons() {
    btl_t& b = btl();
    const std::set<const unit_t*> doomed(b.summons.begin(), b.summons.end());
    std::vector<unit_t*> keep;
    for (unit_grp_t* g : b.grps)
        if (g) keep.insert(keep.end(), g->units.begin(), g->units.end());
    for (unit_t* u : b.full)
        if (!doomed.count(u)) keep.push_back(u);
    // Nothing that outlives the battle may point at a summon.
    for (unit_t* u : keep) {
        if (doomed.count(u->creator)) u->creator = nullptr;
        auto& au = u->btl.auras;
        au.erase(std::remove_if(au.begin(), au.end(), [&](const u_aura_t& a) { return doomed.count(a.src) != 0; }),
                 au.end());
        for (auto& [id, ci] : u->conds.map)
            if (doomed.count(ci.src)) ci.src = nullptr;
    }
    for (auto* v : {&b.full, &b.roster, &b.fallen})
        v->erase(std::remove_if(v->begin(), v->end(), [&](unit_t* u) { return doomed.count(u) != 0; }), v->end());
    if (doomed.count(b.cur)) b.cur = nullptr;
    for (unit_t* s : b.summons) delete s;
    b.summons.clear();
}
