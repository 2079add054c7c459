#include "rules/shop.h"

#include <bit>
#include <cstdint>

#include "app/rnd.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/loot.h"
#include "rules/pty.h"
#include "rules/rare_lv.h"

namespace {
constexpr int minor_lv_step = 5;                    // batch levels per point of the minor shelves' bonus
constexpr int limited_min = 3, limited_spread = 3;  // 3 to 5 limited items
constexpr int sell_divisor = 10;
constexpr int ammo_ids[] = {ITM_BOW_A, ITM_BOW_X_A, ITM_SLING_A};

int beaten_count(const arena_rec_t& a) { return std::popcount(uint32_t(a.beaten)); }

// Why n of s cannot be bought, or done when they can.
buy_res_e buy_refusal(const pty_t& p, const itm_slot_t& s, int n) {
    if (n < 1 || s.get_count() < n) return buy_res_e::no_stock;
    return n * s.get_price() > p.gold ? buy_res_e::no_gold : buy_res_e::done;
}
}  // namespace

int shop_minor_bonus(int batch_lv) { return batch_lv / minor_lv_step; }

bool shop_shelf_open(int shelf, int batch_lv) {
    if (shelf == SHELF_WONDROUS || shelf == SHELF_ENCH_GEAR) return shop_minor_bonus(batch_lv) >= 1;
    return shelf >= 0 && shelf < SHELVES;
}

bool shop_shelf_grouped(int shelf) { return shelf == SHELF_ENCH_GEAR || shelf == SHELF_GEAR; }

int shop_itm_grp(const itm_slot_t& it) {
    const itm_t& k = get_itm(it.id);
    return k.type == IT_WPN ? k.grp : WG_AMR;
}

void shop_fill_limited(std::vector<itm_slot_t>& out, const arena_rec_t& a, int lv) {
    uint32_t seed = uint32_t(a.seed);
    if (beaten_count(a) > 1) seed += uint32_t(a.beaten);
    // The state itself is put back: browsing the shop changes no later draw.
    const uint32_t state = rnd_get_state();
    rnd_seed_fixed(seed);
    const int n = rnd_rand() % limited_spread + limited_min;
    for (int i = 0; i < n; ++i) {
        itm_slot_t it;
        roll_loot_itm(it, a.lv / minor_lv_step + 1, RARE_MAGIC, RARE_RELIC, lv);
        it.cnt = 1;
        out.push_back(it);
    }
    rnd_set_state(state);
}

void shop_fill_wondrous(std::vector<itm_slot_t>& out, int batch_lv) {
    const int b = shop_minor_bonus(batch_lv);
    if (b < 1) return;
    for (int id = ITM_BELT_STR; id <= ITM_BOOK_CHA; ++id) {
        const itm_t& k = get_itm(id);
        if (k.rare_lv != RARE_MAGIC || k.min_lv > b) continue;
        itm_slot_t it;
        mk_itm_slot_bonus(it, id, UNLIMITED, b);
        out.push_back(it);
    }
}

void shop_fill_ench_gear(std::vector<itm_slot_t>& out, int batch_lv) {
    const int b = shop_minor_bonus(batch_lv);
    if (b < 1) return;
    for (int id = ITM_SWD_T; id <= ITM_SHD4; ++id) {
        itm_slot_t it;
        mk_itm_slot_enchs(it, id, UNLIMITED, b, 0, 0, 0, 0);
        out.push_back(it);
    }
}

void shop_fill_gear(std::vector<itm_slot_t>& out) {
    for (int id = ITM_SWD_T; id <= ITM_SHD4; ++id) out.emplace_back(id, UNLIMITED);
}

void shop_fill_ammo(std::vector<itm_slot_t>& out) {
    for (int id : ammo_ids) out.emplace_back(id, UNLIMITED);
}

std::vector<itm_slot_t> shop_stock(int shelf, const pty_t& p) {
    std::vector<itm_slot_t> v;
    const int lv = p.arena.lv;
    switch (shelf) {
    case SHELF_LIMITED:
        shop_fill_limited(v, p.arena, p.lv());
        for (size_t i = 0; i < v.size(); ++i)
            if (uint32_t(p.arena.sold) & (1u << i)) v[i].clear();
        break;
    case SHELF_WONDROUS: shop_fill_wondrous(v, lv); break;
    case SHELF_ENCH_GEAR: shop_fill_ench_gear(v, lv); break;
    case SHELF_GEAR: shop_fill_gear(v); break;
    case SHELF_AMMO: shop_fill_ammo(v); break;
    default: break;
    }
    return v;
}

bool shop_can_buy(const pty_t& p, const itm_slot_t& s, int n) { return buy_refusal(p, s, n) == buy_res_e::done; }

buy_res_t shop_buy(pty_t& p, std::vector<itm_slot_t>& stock, int shelf, int i, int n) {
    if (i < 0 || i >= int(stock.size())) return {buy_res_e::no_stock, 0};
    itm_slot_t& src = stock[size_t(i)];
    if (const buy_res_e no = buy_refusal(p, src, n); no != buy_res_e::done) return {no, 0};
    const double price = src.get_price();
    itm_slot_t goods;
    goods.assign(src, n);
    bag_add_itm(p.bag, goods, n);
    // The bag may take nothing (or, in principle, part): only what it took is paid for.
    const int placed = n - goods.get_count();
    if (placed == 0) return {buy_res_e::bag_full, 0};
    p.gold -= placed * price;
    // Every limited item sold is marked, whatever its bonus.
    if (shelf == SHELF_LIMITED && i < 32) p.arena.sold = int32_t(uint32_t(p.arena.sold) | (1u << i));
    if (src.get_count() < UNLIMITED) src.add_count(-placed);
    return {placed < n ? buy_res_e::bag_full : buy_res_e::done, placed};
}

double shop_sell_price(const itm_slot_t& it) { return it.get_price() / sell_divisor; }

bool shop_can_sell(const itm_slot_t& it, int n) {
    const int have = it.get_count();
    if (n == SELL_STACK) n = have;
    return have > 0 && n >= 1 && n <= have;
}

int shop_sell(pty_t& p, int b, int n) {
    if (b < 0 || b >= BAG_SLOTS) return 0;
    itm_slot_t& it = p.bag[b];
    // Never pays for more than the slot holds (a click that arrives before the buttons caught up).
    if (!shop_can_sell(it, n)) return 0;
    if (n == SELL_STACK) n = it.get_count();
    p.gold += n * shop_sell_price(it);
    it.add_count(-n);
    return n;
}

void shop_restock_check(arena_rec_t& a) {
    if (beaten_count(a) >= 2) a.sold = 0;
}
