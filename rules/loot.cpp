#include "rules/loot.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "app/rnd.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/rare_lv.h"

namespace {

constexpr int MIN_RARE = 0;
constexpr int MAX_RARE = RARE_RELIC;
// The party level each rarity level 0 to 6 needs.
constexpr int party_lv_needed[MAX_RARE + 1] = {1, 1, 1, 2, 4, 6, 8};
constexpr int FIRST_UNIQUE = ITM_BELT_STR;
constexpr int LAST_UNIQUE = ITM_BOOK_CHA;

const std::vector<int>& plain_pool() {
    static const std::vector<int> pool = [] {
        std::vector<int> v = int_range_vec(ITM_SWD_T, ITM_SHD4);  // the weapons, armour and shields
        // These eleven common arms come up twice as often.
        for (int id : {ITM_SWD_T, ITM_SWD_S, ITM_SWD_M, ITM_SWD_B, ITM_AXE_S, ITM_HMR_S, ITM_MSTAR, ITM_SPEAR_B,
                       ITM_BOW_B, ITM_BOW_X_T, ITM_BOW_X_B})
            v.push_back(id);
        return v;
    }();
    return pool;
}

}  // namespace

std::vector<int> int_range_vec(int a, int b) {
    std::vector<int> v;
    if (a > b) return v;
    v.resize(size_t(b - a) + 1);
    std::iota(v.begin(), v.end(), a);
    return v;
}

int rand_plain_itm() {
    const std::vector<int>& pool = plain_pool();
    return pool[rnd_rand() % int(pool.size())];
}

int loot_rarity(int rare_min, int rare_max, int party_lv) {
    // Bounds come from callers' tables; keep them inside the threshold table.
    rare_min = std::clamp(rare_min, MIN_RARE, MAX_RARE);
    rare_max = std::clamp(rare_max, MIN_RARE, MAX_RARE);
    int lv = rnd_pick_weighted({256, 128, 32, 4, 1}) + RARE_MAGIC;
    lv = lv < rare_min ? rare_min : std::min(lv, rare_max);
    if (party_lv_needed[lv] > party_lv) {
        lv = 0;
        for (int i = MAX_RARE; i >= 0; --i) {
            if (party_lv_needed[i] <= party_lv) {
                lv = i;
                break;
            }
        }
    }
    return lv < rare_min ? rare_min : std::min(lv, rare_max);
}

std::vector<int> loot_uniques(int rare_lv, int tl) {
    std::vector<int> v;
    for (int id = FIRST_UNIQUE; id <= LAST_UNIQUE; ++id) {
        const itm_t& it = get_itm(id);
        if (it.rare_lv == rare_lv && it.min_lv <= tl) v.push_back(id);
    }
    return v;
}

void itm_add_rand_enchs(itm_slot_t& it, int n) {
    std::vector<int> list = ie_list_for_itm(it);
    rnd_shuffle(list);
    std::set<int> groups;
    std::vector<int> kept;
    for (int e : list) {
        const int g = get_ie(e).grp;
        if (g != 0 && !groups.insert(g).second) continue;
        kept.push_back(e);
    }
    const int k = std::clamp(n, 0, std::min(int(kept.size()), 4));
    for (int i = 0; i < k; ++i) it.ies[i] = kept[kept.size() - 1 - i];
}

void roll_loot_itm(itm_slot_t& it, int tl, int rare_min, int rare_max, int party_lv) {
    const int r = loot_rarity(rare_min, rare_max, party_lv);
    if (rnd_rand() % 100 < 50) {
        const std::vector<int> uniques = loot_uniques(r, tl);
        if (!uniques.empty()) {
            const int pick = uniques.size() == 1 ? 0 : rnd_rand() % int(uniques.size());
            it.set(uniques[pick], 0);
            it.set_bonus(tl);
            return;
        }
    }
    it.set(rand_plain_itm(), 0);
    it.set_bonus(tl);
    if (r - RARE_MAGIC > 0) itm_add_rand_enchs(it, r - RARE_MAGIC);  // a rare item has one, an epic two, ...
}

void add_rand_loot(std::vector<itm_slot_t>& loot, int chance, int tl, int rare_min, int rare_max, int party_lv) {
    if (chance < 100 && rnd_rand() % 100 >= chance) return;
    itm_slot_t& it = loot.emplace_back();
    if (tl == 0)
        it.set(rand_plain_itm(), 0);
    else
        roll_loot_itm(it, tl, rare_min, rare_max, party_lv);
}
