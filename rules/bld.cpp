#include "rules/bld.h"

#include <algorithm>
#include <iterator>

#include "app/db.h"
#include "rules/bld_ids.h"
#include "rules/bld_rows.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/itm_ids.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/tbl_rows.h"
#include "rules/tbl_texts.h"
#include "rules/unit.h"

namespace {

struct bld_tbl_t {
    u_bld_t rows[BLD_COUNT];
    u_bld_t custom;  // id -2: texts only
    tbl_texts_t texts;

    bld_tbl_t() {
        for (const bld_row_t& r : bld_rows()) {
            if (r.id == 0) continue;
            u_bld_t& b = rows[r.id];
            text_info_t::set(&b.k, r.key);
            b.race = r.race;
            b.cls = r.cls;
            std::copy(std::begin(r.abi), std::end(r.abi), b.abi);
            b.key_abi = r.key_abi;
            b.plan.assign(r.plan.begin(), r.plan.end());
        }
    }
};

bld_tbl_t& bld_tbl() {
    static bld_tbl_t tbl;
    if (tbl.texts.due()) {
        read_tbl_texts(L"builds:builds", tbl.rows, BLD_COUNT);
        db_read_text_info(L"builds:custom_build", &tbl.custom, L"strs");
    }
    return tbl;
}

}  // namespace

int* u_bld_t::key_abi_bonus(int out[ABIS]) const {
    std::fill(out, out + ABIS, 0);
    if (key_abi >= 0 && key_abi < ABIS) out[key_abi] = 2;
    return out;
}

const u_bld_t* get_bld(int id) {
    bld_tbl_t& t = bld_tbl();
    if (id == BLD_CUSTOM) return &t.custom;
    return &t.rows[id >= 0 && id < BLD_COUNT ? id : 0];
}

const int* mon_tier_abis(int tier) {
    static constexpr int tiers[3][ABIS] = {
        {11, 11, 11, 10, 10, 10},
        {13, 12, 11, 10, 9, 8},
        {15, 14, 13, 12, 10, 8},
    };
    return tiers[tier >= 0 && tier < 3 ? tier : 0];
}

void assign_abis_by_priority(int out[ABIS], const int row[ABIS], const int prio[ABIS]) {
    int order[ABIS] = {0, 1, 2, 3, 4, 5};
    // Stable: equal scores keep the lower index first.
    std::stable_sort(std::begin(order), std::end(order), [&](int a, int b) { return prio[a] > prio[b]; });
    for (int i = 0; i < ABIS; ++i) out[order[i]] = row[i];
}

void add_to_abis(int abi[ABIS], int n, int first, int last) {
    for (int i = std::max(first, 0); i <= last && i < ABIS; ++i) abi[i] += n;
}

void apply_pwr_changes(std::vector<int>& ids, const std::vector<int>& changes) {
    for (int c : changes) {
        if (c > 0)
            ids.push_back(c);
        else if (c < 0)
            std::erase(ids, -c);
    }
    std::vector<int> kept;
    for (int id : ids)
        if (std::find(kept.begin(), kept.end(), id) == kept.end()) kept.push_back(id);
    ids.swap(kept);
}

bool race_takes_key_abi(int race) { return race == RACE_HUM || race == RACE_HF_ELF; }

void race_abi_adj(int race, int bonus_abi, int out[ABIS]) {
    if (race_takes_key_abi(race)) {
        std::fill(out, out + ABIS, 0);
        if (bonus_abi >= 0 && bonus_abi < ABIS) out[bonus_abi] = 2;
    } else {
        std::copy(std::begin(get_race(race)->abi_adj), std::end(get_race(race)->abi_adj), out);
    }
}

void apply_race_cls(unit_t& u, const int bonus[ABIS]) {
    const race_t* race = get_race(u.base.race);
    const int* adj = race_takes_key_abi(u.base.race) ? bonus : race->abi_adj;
    for (int i = 0; i < ABIS; ++i) u.base.abi[i] += adj[i];
    u.pwrs.apply_changes(race->pwrs);
    u.pwrs.apply_changes(get_cls(u.base.cls)->pwrs);
}

// ---- starting equipment ----

namespace {

struct start_gear_t {
    int main = 0, off = 0, quick = 0, quick_cnt = 1, body = 0, set1_main = 0;
};

const start_gear_t& start_gear_for(const unit_t& u) {
    static constexpr start_gear_t caster{
        .main = ITM_BOW_X_S, .quick = ITM_BOW_X_A, .quick_cnt = 20, .set1_main = ITM_STAFF};
    static constexpr start_gear_t priest{.main = ITM_MACE_S, .off = ITM_SHD1, .body = ITM_AMR5};
    static constexpr start_gear_t two_wpn{.main = ITM_SWD_S, .off = ITM_SWD_S, .body = ITM_AMR3};
    static constexpr start_gear_t archer{
        .main = ITM_BOW_B, .quick = ITM_BOW_A, .quick_cnt = 30, .body = ITM_AMR3, .set1_main = ITM_SWD_T};
    static constexpr start_gear_t shield{.main = ITM_SWD_M, .off = ITM_SHD2, .body = ITM_AMR5};
    static constexpr start_gear_t other{.main = ITM_SWD_B, .body = ITM_AMR5};
    const int cls = u.base.cls;
    if (cls == CLS_WIZARD || cls == CLS_SHAMAN) return caster;
    if (cls == CLS_CLERIC || cls == CLS_PRIEST) return priest;
    if (u.has_pwr(P_TW)) return two_wpn;
    if (u.has_pwr(P_RNG_NEAR)) return archer;
    if (u.base.bld == BLD_SHD) return shield;
    return other;
}

}  // namespace

void give_start_eqpt(unit_t& u) {
    const start_gear_t& g = start_gear_for(u);
    eqpts_t& e = u.eqpts;
    e.clear();
    if (g.main) e.slots[EQ_MAIN].set(g.main, 1);
    if (g.off) e.slots[EQ_OFF].set(g.off, 1);
    if (g.quick) e.slots[EQ_QUICK].set(g.quick, g.quick_cnt);
    if (g.body) e.slots[EQ_BODY].set(g.body, 1);
    if (g.set1_main) e.sets[0][0].set(g.set1_main, 1);
}
