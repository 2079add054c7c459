#include "rules/ie.h"

#include <algorithm>
#include <array>

#include "app/db.h"
#include "rules/dice.h"
#include "rules/dmg_ids.h"
#include "rules/enums.h"
#include "rules/ie_rows.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/rare_lv.h"
#include "rules/tbl_texts.h"

namespace {

using ie_table_t = std::array<ie_t, IE_COUNT>;

ie_table_t& ie_table() {
    static ie_table_t table = [] {
        ie_table_t t;
        for (const ie_row_t& r : ie_table_rows()) {
            ie_t& e = t[r.id];
            text_info_t::set(&e.k, r.key);
            e.lv = r.lv;
            e.val = r.val;
            e.cost = r.cost;
            e.grp = r.grp;
            e.flags = r.flags;
            e.param = r.param;
        }
        return t;
    }();
    return table;
}

}  // namespace

bool ie_valid_id(int id) { return id > 0 && id < IE_COUNT; }

const ie_t& get_ie(int id) {
    static tbl_texts_t texts;
    ie_table_t& t = ie_table();
    if (texts.due()) {
        std::vector<text_info_t*> recs = row_ptrs(std::span<ie_t>(t.data(), t.size()), 0, IE_COUNT - 1);
        db_read_recs(L"itm_enchs", recs, nullptr);
    }
    return t[ie_valid_id(id) ? id : 0];
}

// ---- rules ----

int32_t itm_ench_val(const itm_slot_t& it, int e) {
    const ie_t& ie = get_ie(e);
    // Bonuses come from save files: a cap keeps the product and the packed dice whole.
    const int m = ie.scales() ? std::clamp(it.bonus, 1, 9999) : 1;
    if (is_packed_dice(ie.val)) {
        int count = 0, sides = 0;
        unpack_dice(&count, &sides, ie.val);
        return pack_dice(std::min(count * m, 9999), sides);
    }
    if (ie.val < 1) return 0;
    return ie.val * m + ((ie.flags & IEF_ADD_LV) ? ie.lv : 0);
}

bool itm_has_ench(const itm_slot_t& it, int e) {
    const std::vector<int> v = it.get_ies();
    return std::find(v.begin(), v.end(), e) != v.end();
}

bool itm_ies_fixed(int itm_id) {
    for (int e : get_itm(itm_id).ies)
        if (e && get_ie(e).scales()) return false;
    return true;
}

bool itm_is_fixed_rarity(const itm_slot_t& it) { return get_itm(it.id).rare_lv >= RARE_MAGIC && itm_ies_fixed(it.id); }

int itm_rare_lv(const itm_slot_t& it) {
    const itm_t& kind = get_itm(it.id);
    if (kind.rare_lv != 0) return kind.rare_lv;
    if (it.bonus <= 0) return RARE_NORMAL;
    return RARE_MAGIC + int(std::count_if(it.ies, it.ies + 4, [](int e) { return e != 0; }));
}

namespace {

bool fits_weapon(const ie_t& e, const itm_t& w) {
    const uint32_t mask = w.wpn.dmg.mask;
    const bool reach = ((e.flags & IEF_MELEE) && !w.wpn.ranged()) || ((e.flags & IEF_RANGED) && w.wpn.ranged());
    const bool dmg = ((e.flags & IEF_SP) && (mask & (dmg_bit(DMG_SLASH) | dmg_bit(DMG_PIERCE)))) ||
                     ((e.flags & IEF_B) && (mask & dmg_bit(DMG_BLUNT)));
    const bool bow = !(e.flags & IEF_BOW) || w.grp == WG_BOW;
    return reach && dmg && bow;
}

}  // namespace

std::vector<int> ie_list_for_itm(const itm_slot_t& it) {
    std::vector<int> v;
    if (it.empty()) return v;
    const itm_t& kind = get_itm(it.id);
    for (int id = 1; id < IE_COUNT; ++id) {
        const ie_t& e = get_ie(id);
        if (e.lv > it.bonus) continue;
        bool keep;
        if ((e.flags & IEF_WPN) && kind.type == IT_WPN)
            keep = fits_weapon(e, kind);
        else
            keep = ((e.flags & IEF_AMR) && kind.type == IT_AMR) || ((e.flags & IEF_SHD) && kind.type == IT_SHD);
        if (keep) v.push_back(id);
    }
    return v;
}
