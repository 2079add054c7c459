#include "rules/ie_eff.h"

#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/damage.h"
#include "battle/rolls.h"
#include "rules/dice.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/gear.h"
#include "rules/ie.h"
#include "rules/ie_ids.h"
#include "rules/itm.h"
#include "rules/unit.h"

namespace {

// Enchantment groups (ie_t::grp) that are one bonus kind each.
int gear_kind_of_grp(int grp) {
    switch (grp) {
    case IEG_DR: return G_DR;
    case IEG_ER: return G_ER;
    case IEG_SR: return G_SR;
    case IEG_AC_RNG: return G_AC_RNG;
    case IEG_AMR: return G_AMR;
    case IEG_NAC: return G_NAC;
    case IEG_LUCK: return G_LUCK;
    case IEG_UNSR: return G_UNSR;
    case IEG_HR: return G_HR;
    case IEG_CTR_ATK: return G_CTR_ATK;
    case IEG_SPD: return G_SPD;
    case IEG_ELM: return G_ELM;
    default: return -1;
    }
}

int gear_kind_of_id(int e) {
    switch (e) {
    case IE_IMX_CH: return G_IMX_CH;
    case IE_DFLC: return G_DFLC;
    case IE_SAVE: return G_SAVE;
    case IE_IMM_TOX: return G_RES_TOX;
    case IE_ELM_DMG: return G_ELM_DMG;
    case IE_PE_DMG: return G_PE_DMG;
    case IE_NE_DMG: return G_NE_DMG;
    case IE_TO_HEAL: return G_TO_HEAL;
    case IE_BE_HEAL: return G_BE_HEAL;
    case IE_AUTO_HEAL1: return G_AUTO_HEAL1;
    case IE_AUTO_HEAL2: return G_AUTO_HEAL2;
    case IE_BOUNCE_P: return G_BOUNCE_P;
    case IE_BOUNCE_F: return G_BOUNCE_F;
    case IE_IMX_WEB: return G_IMX_WEB;
    case IE_IMX_HARD: return G_IMX_HARD;
    default: return -1;
    }
}

// The bonus kinds enchantment e feeds from equipment slot `slot`; their count.
int gear_kinds(int e, int slot, int out[6]) {
    const int grp = get_ie(e).grp;
    if (grp == IEG_DEF) {  // a defending weapon counts only in hand
        if (slot != EQ_MAIN && slot != EQ_OFF) return 0;
        out[0] = G_SHD;
        return 1;
    }
    if (e >= IE_STR && e <= IE_CHA) {
        out[0] = G_ABI + (e - IE_STR);
        return 1;
    }
    if (e >= IE_PHY && e <= IE_ABI) {  // phy: Str Dex Con; psy: Int Wis Cha; abi: all six
        const int first = e == IE_PSY ? ABI_INT : ABI_STR, n = e == IE_ABI ? ABIS : 3;
        for (int i = 0; i < n; ++i) out[i] = G_ABI + first + i;
        return n;
    }
    const int k = grp ? gear_kind_of_grp(grp) : gear_kind_of_id(e);
    if (k < 0) return 0;
    out[0] = k;
    return 1;
}

}  // namespace

void ie_best_bonuses(const unit_t& u, int* values, const itm_slot_t** sources) {
    for (int slot = 0; slot < EQPT_SLOTS; ++slot) {
        const itm_slot_t& s = u.eqpts.slots[slot];
        if (s.empty()) continue;
        for (int e : s.get_ies()) {
            int kinds[6];
            const int n = gear_kinds(e, slot, kinds);
            if (n == 0) continue;
            const int v = itm_ench_val(s, e);
            for (int i = 0; i < n; ++i) {
                const int k = kinds[i];
                if (v <= values[k]) continue;
                values[k] = v;
                sources[k] = &s;
                if (k == G_ELM) {
                    values[G_ELM_IE] = e;
                    sources[G_ELM_IE] = &s;
                }
            }
        }
    }
}

void itm_ench_dmg(const itm_slot_t& w, dmg_list_t& parts, Str& text) {
    for (int e : w.get_ies()) {
        const ie_t& ie = get_ie(e);
        if (ie.param == 0) continue;
        int count = 0, sides = 0;
        unpack_dice(&count, &sides, itm_ench_val(w, e));
        dmg_part_t p;
        p.count = count;
        p.sides = sides;
        // Keep the shift inside 32 bits whatever a row says.
        p.mask = ie.param == IE_PARAM_WPN_DMG ? get_itm(w.id).wpn.dmg.mask
                                              : (ie.param > 0 && ie.param < 32 ? 1u << ie.param : 0u);
        parts.push_back(p);
        text.append_format(L"%s\t%s\n", dice_rng_text(count, sides), or_empty(ie.n));
    }
}

bool itm_kill_on_hit(const itm_slot_t& w, unit_t* attacker, unit_t* target) {
    if (!target) return false;
    if (itm_has_ench(w, IE_KILL)) {
        if (rnd_rand() % 20 + 1 == 20) {
            set_unit_hp(target, 0, nullptr);
            log_cur_buf()->append(L"致命！");
            return true;
        }
    }
    if (attacker && itm_has_ench(w, IE_KILL_UD) && target->is_undead()) {
        if (roll_d20_vs(attacker->base.lv / 2 + attacker->drv.abi[ABI_CHA], target->get_def(DEF_WL))) {
            set_unit_hp(target, 0, nullptr);
            log_cur_buf()->append(L"摧毁！");
            return true;
        }
    }
    return false;
}

void itm_vampire_on_hit(const itm_slot_t& w, unit_t* wielder, unit_t* target) {
    if (!wielder || !target || !itm_has_ench(w, IE_VAMPIRE) || target->has_trait(TRAIT_LIFELESS)) return;
    int count = 0, sides = 0;
    unpack_dice(&count, &sides, itm_ench_val(w, IE_VAMPIRE));
    dmg_res_t r;
    r.amount = -roll_dice(count, sides);
    apply_dmg(wielder, &r);
}

void mk_fire_dmg(dmg_part_t& out, int packed) {
    out = dmg_part_t();
    unpack_dice(&out.count, &out.sides, packed);
    out.mask = dmg_bit(DMG_FIRE);
}

void mk_pierce_dmg(dmg_part_t& out, int packed) {
    out = dmg_part_t();
    unpack_dice(&out.count, &out.sides, packed);
    out.mask = dmg_bit(DMG_PIERCE);
}
