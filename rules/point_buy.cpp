#include "rules/point_buy.h"

int abi_buy_step_cost(int score) { return score < 14 ? 1 : score < 16 ? 2 : 3; }

int abi_buy_cost(int score) {
    static const int cost[] = {0, 1, 2, 3, 4, 5, 6, 8, 10, 13, 16};
    return score >= PB_MIN && score <= PB_MAX ? cost[score - PB_MIN] : -1;
}

bool is_bld_abis_valid(const int abi[6]) {
    int total = 0;
    for (int i = 0; i < 6; ++i) {
        const int c = abi_buy_cost(abi[i]);
        if (c < 0) return false;
        total += c;
    }
    return total == PB_TOTAL;
}
