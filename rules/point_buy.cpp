#include "rules/point_buy.h"

#include <algorithm>

int abi_buy_step_cost(int score) { return score < 14 ? 1 : score < 16 ? 2 : 3; }

int abi_buy_cost(int score) {
    static const int cost[] = {0, 1, 2, 3, 4, 5, 6, 8, 10, 13, 16};
    return score >= PB_MIN && score <= PB_MAX ? cost[score - PB_MIN] : -1;
}

bool is_bld_abis_valid(const int abi[ABIS]) {
    int total = 0;
    for (int i = 0; i < ABIS; ++i) {
        const int c = abi_buy_cost(abi[i]);
        if (c < 0) return false;
        total += c;
    }
    return total == PB_TOTAL;
}

void abi_alloc_t::start(int abi[ABIS], bool lv_up) {
    lv_up_ = lv_up;
    chosen_ = -1;
    pts_ = lv_up ? 1 : PB_TOTAL;
    if (!lv_up) std::fill(abi, abi + ABIS, PB_MIN);
}

bool abi_alloc_t::can_raise(const int abi[ABIS], int i) const {
    if (i < 0 || i >= ABIS) return false;
    if (lv_up_) return pts_ > 0;  // the one point is spent while an increase is chosen
    return abi[i] < PB_MAX && abi_buy_step_cost(abi[i]) <= pts_;
}

bool abi_alloc_t::can_lower(const int abi[ABIS], int i) const {
    if (i < 0 || i >= ABIS) return false;
    return lv_up_ ? chosen_ == i : abi[i] > PB_MIN;
}

bool abi_alloc_t::raise(int abi[ABIS], int i) {
    if (!can_raise(abi, i)) return false;
    if (lv_up_) {
        --pts_;
        chosen_ = i;
    } else {
        pts_ -= abi_buy_step_cost(abi[i]);
    }
    ++abi[i];
    return true;
}

bool abi_alloc_t::lower(int abi[ABIS], int i) {
    if (!can_lower(abi, i)) return false;
    if (lv_up_) {
        ++pts_;
        chosen_ = -1;
    } else {
        pts_ += abi_buy_step_cost(abi[i] - 1);
    }
    --abi[i];
    return true;
}

void abi_alloc_t::book(int abi_ups[ABIS]) const {
    if (lv_up_ && chosen_ >= 0) ++abi_ups[chosen_];
}
