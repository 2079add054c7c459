// Attack values: d20 plus these against a defence, before the weapon, the action
// and the situation add theirs.
#include <vector>

#include "rules/unit.h"

int size_mod(int size) {
    static constexpr int mods[7] = {0, -2, -1, 0, 1, 2, 4};
    return size >= 0 && size < 7 ? mods[size] : 0;
}

int unit_t::get_atk(int kind) const {
    const int half_lv = base.lv / 2;
    const int m = size_mod(drv.size);
    const int w = has_pwr(36) ? 6 : has_pwr(35) ? 5 : 4;  // "atk2", "atk1"
    const int* mod = drv.abi_mod;
    switch (kind) {
    case 1: return half_lv + mod[0] - m + w + (has_pwr(82) ? 1 : 0);  // "th_atk1"
    case 2: return half_lv + mod[1] - m + w;
    case 3: return half_lv + spl_abi_val(3);
    case 4: return half_lv + mod[0] + m;
    case 5: return half_lv + mod[5] + (has_pwr(117) ? 2 : has_pwr(116) ? 1 : 0);  // "turn2", "turn1"
    default: return 0;
    }
}

int unit_t::spl_abi_val(int kind) const {
    if (kind != 3) return 0;
    const int a = cast_abi();
    return a >= 0 && a < 6 ? drv.abi_mod[a] : 0;
}

bool unit_t::has_formation_pwr() const {
    static const std::vector<int> pwrs = {257, 258};  // "phalanx2", "crowd_ac"
    for (int p : pwrs)
        if (has_pwr(p)) return true;
    return false;
}
