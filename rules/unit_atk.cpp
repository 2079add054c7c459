// Attack values: d20 plus these against a defence, before the weapon, the action
// and the situation add theirs.
#include <vector>

#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

int size_mod(int size) {
    static constexpr int mods[U_SIZES] = {0, -2, -1, 0, 1, 2, 4};
    return size >= 0 && size < U_SIZES ? mods[size] : 0;
}

int unit_t::get_atk(int kind) const {
    const int half_lv = base.lv / 2;
    const int m = size_mod(drv.size);
    const int w = has_pwr(P_ATK2) ? 6 : has_pwr(P_ATK1) ? 5 : 4;
    const int* mod = drv.abi_mod;
    switch (kind) {
    case ATK_MELEE: return half_lv + mod[ABI_STR] - m + w + (has_pwr(P_TH_ATK1) ? 1 : 0);
    case ATK_RANGE: return half_lv + mod[ABI_DEX] - m + w;
    case ATK_SPL: return half_lv + spl_abi_val(ATK_SPL);
    case ATK_CM: return half_lv + mod[ABI_STR] + m;
    case ATK_TURN: return half_lv + mod[ABI_CHA] + (has_pwr(P_TURN2) ? 2 : has_pwr(P_TURN1) ? 1 : 0);
    default: return 0;
    }
}

int unit_t::spl_abi_val(int kind) const {
    if (kind != ATK_SPL) return 0;
    const int a = cast_abi();
    return a >= 0 && a < ABIS ? drv.abi_mod[a] : 0;
}

bool unit_t::has_formation_pwr() const {
    static const std::vector<int> pwrs = {P_PHALANX2, P_CROWD_AC};
    for (int p : pwrs)
        if (has_pwr(p)) return true;
    return false;
}
