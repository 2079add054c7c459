#include "rules/itm.h"

#include <array>
#include <cassert>

#include "app/db.h"
#include "rules/enums.h"
#include "rules/eqpts.h"
#include "rules/itm_ids.h"
#include "rules/itm_rows.h"
#include "rules/tbl_texts.h"

itm_wpn_t::itm_wpn_t(int cat, int hands, const char* dmg_text, int crit_rng, int crit_mul, int range, int flags)
    : cat(cat), hands(hands), crit_rng(crit_rng), crit_mul(crit_mul), range(range), flags(flags) {
    dmg_part_parse_dice(&dmg, dmg_text);
}

int32_t itm_wpn_t::get_rng(int use) const {
    const int melee = (flags & WF_LONG) ? 2 : 1;
    if (use == RNG_USE_MELEE) return ranged() ? 0 : melee;
    if (use == RNG_USE_OWN) return ranged() ? range : melee;
    return range;
}

bool itm_t::fits_slot(int slot) const {
    // The dart and the net are thrown from the quick slots only.
    const bool hand_wpn = type == IT_WPN && !(wpn.ranged() && wpn.thrown());
    switch (slot) {
    case EQ_MAIN: return hand_wpn;
    case EQ_OFF: return (hand_wpn && wpn.hands == HANDS_ONE) || type == IT_SHD;
    case EQ_QUICK: case EQ_QUICK + 1: case EQ_QUICK + 2: case EQ_QUICK + 3:
        return type == IT_AMMO || (type == IT_WPN && wpn.thrown());
    case EQ_BODY: return type == IT_AMR || type == IT_ROBE;
    case EQ_HEAD: return type == IT_HEAD;
    case EQ_NECK: return type == IT_NECK;
    case EQ_BELT: return type == IT_BELT;
    case EQ_BOOT: return type == IT_BOOT;
    case EQ_ARM: return type == IT_ARM;
    case EQ_BACK: return type == IT_BACK;
    case EQ_RING: case EQ_RING + 1: return type == IT_RING;
    case EQ_ACC: case EQ_ACC + 1: return type == IT_ACC;
    default: return false;
    }
}

int32_t itm_t::get_ammo_id() const {
    switch (grp) {
    case WG_BOW: return ITM_BOW_A;
    case WG_XBOW: return ITM_BOW_X_A;
    case WG_THROWN: return ITM_SLING_A;
    default: return 0;
    }
}

int32_t itm_t::max_stack() const {
    if (type != IT_AMMO) return 5;
    if (grp == WG_BOW) return 30;
    if (grp == WG_XBOW || grp == WG_THROWN) return 20;
    return 1;
}

// ---- the table ----

namespace {

using itm_table_t = std::array<itm_t, ITM_COUNT>;

void start_row(itm_t& it, int id, const wchar_t* key, int type, bool* seen) {
    assert(id > 0 && id < ITM_COUNT && !seen[id] && "every item id is given exactly once");
    seen[id] = true;
    text_info_t::set(&it.k, key);
    it.type = type;
}

void fill_weapons(itm_table_t& t, const itm_rows_t& rows, bool* seen) {
    for (const itm_nat_row_t& r : rows.nat) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, IT_WPN, seen);
        it.grp = WG_UNARMED;
        it.wpn = itm_wpn_t(WCAT_NATURAL, r.hands, r.dmg, r.crit_rng, 2, 0, WF_LIGHT);
        it.ies[0] = r.ies[0];
        it.ies[1] = r.ies[1];
    }
    for (const itm_wpn_row_t& r : rows.wpn) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, IT_WPN, seen);
        it.grp = r.grp;
        it.price = r.price;
        it.wt = r.wt;
        it.wpn = itm_wpn_t(r.cat, r.hands, r.dmg, r.crit_rng, r.crit_mul, r.range, r.flags);
    }
}

void fill_others(itm_table_t& t, const itm_rows_t& rows, bool* seen) {
    for (const itm_amr_row_t& r : rows.amr) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, r.type, seen);
        it.grp = r.grp;
        it.price = r.price;
        it.wt = r.wt;
        it.amr = itm_amr_t{r.max_dex, r.np_pen, r.spd, r.asf, r.def};
        if (r.bash) it.wpn = itm_wpn_t(WCAT_MILITARY, HANDS_ONE, r.bash, 1, 2, 0, r.bash_flags);
    }
    for (const itm_wear_row_t& r : rows.wear) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, r.type, seen);
        it.wt = r.wt;
        it.min_lv = r.min_lv;
        it.rare_lv = r.rare_lv;
        for (int i = 0; i < 4; ++i) it.ies[i] = r.ies[i];
    }
    for (const itm_ammo_row_t& r : rows.ammo) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, IT_AMMO, seen);
        it.grp = r.grp;
        it.price = r.price;
        it.wt = r.wt;
    }
    for (const itm_drug_row_t& r : rows.drug) {
        itm_t& it = t[r.id];
        start_row(it, r.id, r.key, IT_DRUG, seen);
        it.price = r.price;
        it.wt = r.wt;
        it.wpn = itm_wpn_t(WCAT_SIMPLE, HANDS_ONE, r.dmg, 1, 2, r.range, r.flags);
    }
}

itm_table_t& itm_table() {
    static itm_table_t table = [] {
        itm_table_t t;
        bool seen[ITM_COUNT] = {};
        fill_weapons(t, itm_rows(), seen);
        fill_others(t, itm_rows(), seen);
        for (int id = 1; id < ITM_COUNT; ++id) assert(seen[id] && "no item id is left out");
        return t;
    }();
    return table;
}

}  // namespace

bool itm_valid_id(int id) { return id > 0 && id < ITM_COUNT; }

const itm_t& get_itm(int id) {
    static tbl_texts_t texts;
    itm_table_t& t = itm_table();
    if (texts.due()) {
        std::vector<text_info_t*> recs = row_ptrs(std::span<itm_t>(t.data(), t.size()), 0, ITM_COUNT - 1);
        db_read_recs(L"itms", recs, nullptr);
    }
    return t[id >= 0 && id < ITM_COUNT ? id : 0];
}

const text_info_t& get_itm_type(int type) {
    static const wchar_t* const keys[IT_TYPE_COUNT] = {nullptr, L"wpn", L"shd", L"ammo", L"amr", L"head", L"belt",
        L"back", L"robe", L"arm", L"boot", L"neck", L"ring", L"acc", L"drug", L"misc"};
    static std::array<text_info_t, IT_TYPE_COUNT> table = [] {
        std::array<text_info_t, IT_TYPE_COUNT> t;
        for (int i = 1; i < IT_TYPE_COUNT; ++i) text_info_t::set(&t[i].k, keys[i]);
        return t;
    }();
    static tbl_texts_t texts;
    if (texts.due()) {
        std::vector<text_info_t*> recs =
            row_ptrs(std::span<text_info_t>(table.data(), table.size()), 0, IT_TYPE_COUNT - 1);
        db_read_recs(L"strs:itm_types", recs, nullptr);
    }
    return table[type >= 0 && type < IT_TYPE_COUNT ? type : 0];
}
