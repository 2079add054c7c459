// The derived statistics of a unit, recomputed whole in 24 steps, each with the
// breakdown lines that explain it.
//
// Sections: context, abilities, defences, hit points and speed, gear and powers,
// the driver.
#include <algorithm>
#include <cstddef>

#include "app/str.h"
#include "battle/auras.h"
#include "battle/damage.h"
#include "battle/roster.h"
#include "rules/brk_line.h"
#include "rules/cls.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/gear.h"
#include "rules/itm.h"
#include "rules/load_type.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/u_cat.h"
#include "rules/unit.h"
#include "rules/urank.h"

// The gear values sit at the word of their gear entry, so word n stays at offset 4n.
static_assert(offsetof(u_drv_t, ctr_atk) == 4 * G_CTR_ATK && offsetof(u_drv_t, bounce_p) == 4 * G_BOUNCE_P &&
              offsetof(u_drv_t, bounce_f) == 4 * G_BOUNCE_F && offsetof(u_drv_t, elm_dmg) == 4 * G_ELM_DMG &&
              offsetof(u_drv_t, pe_dmg) == 4 * G_PE_DMG && offsetof(u_drv_t, ne_dmg) == 4 * G_NE_DMG &&
              offsetof(u_drv_t, to_heal) == 4 * G_TO_HEAL && offsetof(u_drv_t, er) == 4 * G_ER &&
              offsetof(u_drv_t, ac_rng) == 4 * G_AC_RNG && offsetof(u_drv_t, be_heal) == 4 * G_BE_HEAL &&
              offsetof(u_drv_t, auto_heal1) == 4 * G_AUTO_HEAL1 && offsetof(u_drv_t, auto_heal2) == 4 * G_AUTO_HEAL2,
              "a gear value keeps the derived word of its gear entry");

namespace {

// Everything the steps share.
struct rc_t {
    unit_t& u;
    u_drv_t& d;
    Str* const* t;
    const race_t* race = nullptr;
    const cls_t* cls = nullptr;
    int gear[GEAR_N];
    const itm_slot_t* src[GEAR_N];
    int lv = 0;             // the unit's level
    int half_lv = 0;        // lv / 2, the level part of initiative
    int ac_lv = 0;          // the level part of armour class
    int save_lv = 0;        // the level part of the saving and manoeuvre defences
    int size_modifier = 0;  // of the unit's size: taken off armour class, added to the manoeuvre defence
    int stance = 0, stance_bonus = 0;
    brdn_t brdn;

    explicit rc_t(unit_t& u) : u(u), d(u.drv), t(u.text_ptrs) {}
    Str& text(int n) const { return *t[n]; }
    bool has(int pwr) const { return u.has_pwr(pwr); }
};

const wchar_t* abi_name(int i) { return or_empty(get_abi(i)->n); }

// "<ability>修正", the label of an ability modifier.
Str mod_label(int i) { return Str(abi_name(i)) + L"修正"; }

// The instance name of the item that gave a gear value.
Str item_name(const itm_slot_t* s) {
    Str n;
    if (s) s->get_name(n);
    return n;
}

int abi_mod(int score) {
    const int x = score - 10;
    return x >= 0 ? x / 2 : (x - 1) / 2;  // rounds down: 9 and 8 give -1, 7 gives -2
}

// Adds v to *word with a breakdown line on text n.
void add_line(const rc_t& c, int* word, int n, int v, const wchar_t* label) {
    *word += v;
    brk_line(c.text(n), v, label);
}

void add_gear(const rc_t& c, int* word, int n, int g) {
    if (c.gear[g] != 0) add_line(c, word, n, c.gear[g], item_name(c.src[g]).buf);
}

// ---- context ----

void step_context(rc_t& c) {
    c.race = get_race(c.u.base.race);
    c.cls = get_cls(c.u.base.cls);
    if (c.u.conds.has(C_DEF_FULL)) {
        c.stance = C_DEF_FULL;
        c.stance_bonus = 4;
    } else if (c.u.conds.has(C_DEF)) {
        c.stance = C_DEF;
        c.stance_bonus = 2;
    }
    c.u.conds.upd_mask();
    collect_gear_bonuses(c.u, c.gear, c.src);
    c.lv = c.u.base.lv;
    c.half_lv = c.lv / 2;
    c.ac_lv = c.lv / 8 + c.lv / 20 + c.lv / 2;
    c.save_lv = c.lv / 8 + c.lv / 2;
}

void step_size(rc_t& c) {
    c.d = u_drv_t();
    c.d.vision = c.race->vision;
    c.d.size = c.race->size + (c.has(P_SZ_A1) ? 1 : 0);
    c.size_modifier = size_mod(c.d.size);
}

// ---- abilities ----

void step_abilities(rc_t& c) {
    const int magic = (c.lv / 5) * 2;
    for (int i = 0; i < ABIS; ++i) {
        c.d.abi[i] = c.u.base.abi[i];
        brk_base(c.text(BT_ABI + i), c.d.abi[i], L"基础数值");
        if (c.u.base.kind == UK_MON && magic != 0) add_line(c, &c.d.abi[i], BT_ABI + i, magic, L"魔法加值");
        add_gear(c, &c.d.abi[i], BT_ABI + i, G_ABI + i);
    }
}

void fix_abi(rc_t& c, int i, int v, bool none) {
    c.d.abi[i] = v;
    if (none) {
        c.d.no_abi[i] = 1;
        c.text(BT_ABI + i).assign(L"-\t无\n");
    } else {
        c.text(BT_ABI + i).assign(L"");
        brk_base(c.text(BT_ABI + i), v, L"基础数值");
    }
}

void set_imm(rc_t& c, std::initializer_list<int> ids) {
    for (int id : ids) c.d.imm[id] = 1;
}

void step_creature_type(rc_t& c) {
    const int type = c.race->type;
    if (type == UCAT_VERMIN) {  // mindless
        fix_abi(c, ABI_INT, 10, true);
        set_imm(c, {C_FEAR, C_MAD, C_CHARM});
    } else if (type == UCAT_ANIMAL) {
        fix_abi(c, ABI_INT, 2, false);
    } else if (type == UCAT_UNDEAD || type == UCAT_CONSTRUCT) {
        fix_abi(c, ABI_CON, 10, true);
        c.d.res[DMG_TOX] = 100;
        set_imm(c, {C_STUN, C_SLEEP, C_STONE, C_FEAR, C_MAD, C_CHARM, C_BLEED, C_TOX});
        c.d.trait[TRAIT_LIFELESS] = 100;
    } else if (type == UCAT_ELEMENTAL) {
        c.d.res[DMG_TOX] = 100;
        set_imm(c, {C_STUN, C_SLEEP, C_STONE, C_BLEED, C_TOX});
        c.d.trait[TRAIT_LIFELESS] = 100;
    }
    if (type != UCAT_UNDEAD) set_imm(c, {C_TURN});
    if (c.has(P_CREATED)) {
        fix_abi(c, ABI_CON, 10, true);
        if (!c.has(P_INT)) fix_abi(c, ABI_INT, 10, true);
        fix_abi(c, ABI_WIS, 10, false);
        fix_abi(c, ABI_CHA, 1, false);
    }
}

void step_burden(rc_t& c) {
    c.u.get_burden(c.brdn);
    c.d.asf = c.brdn.spl_fail;
}

void step_modifiers(rc_t& c) {
    for (int i = 0; i < ABIS; ++i) c.d.abi_mod[i] = abi_mod(c.d.abi[i]);
    if (c.u.conds.is_helpless())
        c.d.abi_mod[ABI_DEX] = -5;
    else if (c.u.conds.no_threat() && c.d.abi_mod[ABI_DEX] > 0)
        c.d.abi_mod[ABI_DEX] = 0;
}

// ---- defences ----

int natural_armour(const rc_t& c) {
    int n = c.race->nac;
    if (n != 0 && c.u.eqpts.slots[EQ_BODY].empty()) n += c.lv / 5;
    if (c.has(P_NAC_D2)) n -= 2;
    else if (c.has(P_NAC_A4)) n += 4;
    else if (c.has(P_NAC_A2)) n += 2;
    return n;
}

void step_ac(rc_t& c) {
    int& ac = c.d.def[DEF_AC];
    const int n = natural_armour(c);
    const int t = BT_DEF + DEF_AC;
    ac = c.cls->def[DEF_AC] - c.size_modifier + 10 + c.ac_lv + n;
    c.text(t).append(L"10\t基础数值\n");
    add_line(c, &ac, t, std::min(c.d.abi_mod[ABI_DEX], c.brdn.max_dex), L"敏捷修正");
    brk_line(c.text(t), c.ac_lv, L"等级修正");
    brk_line(c.text(t), n, L"天生护甲");
    brk_line(c.text(t), -c.size_modifier, L"体形修正");
    brk_line(c.text(t), c.cls->def[DEF_AC], L"职业修正");
    for (int g : {G_AMR, G_SHD, G_NAC, G_DFLC}) add_gear(c, &ac, t, g);
    if (c.has(P_DODGE) && !c.u.conds.no_threat()) add_line(c, &ac, t, 1, pwr_name(P_DODGE));
    if (c.u.eqpts.atk_slots(ATK_MELEE).slots.size() == 2) {
        if (c.has(P_TW_DEF1)) add_line(c, &ac, t, 2, pwr_name(P_TW_DEF1));
        else if (c.has(P_TW_DEF)) add_line(c, &ac, t, 1, pwr_name(P_TW_DEF));
    }
    if (c.stance) add_line(c, &ac, t, c.stance_bonus, cond_name(c.stance));
}

void step_saves(rc_t& c) {
    // def row, ability, and the ability increases whose half the level part gives back; the feat of +2
    const struct { int row, abi, feat; } saves[] = {
        {DEF_FT, ABI_CON, P_FT1}, {DEF_RF, ABI_DEX, P_RF1}, {DEF_WL, ABI_WIS, P_WL1}};
    for (const auto& s : saves) {
        int& v = c.d.def[s.row];
        const int t = BT_DEF + s.row;
        const int lv_part = c.save_lv - c.u.base.abi_ups[s.abi] / 2;
        v = 10 + lv_part + c.cls->def[s.row] + c.d.abi_mod[s.abi];
        c.text(t).append(L"10\t基础数值\n");
        brk_line(c.text(t), c.d.abi_mod[s.abi], mod_label(s.abi).buf);
        brk_line(c.text(t), lv_part, L"等级修正");
        brk_line(c.text(t), c.cls->def[s.row], L"职业修正");
        if (c.has(s.feat)) add_line(c, &v, t, 2, pwr_name(s.feat));
        if (c.has(P_DEF1)) add_line(c, &v, t, 1, pwr_name(P_DEF1));
        add_gear(c, &v, t, G_SAVE);
        add_gear(c, &v, t, G_LUCK);
        if (s.row == DEF_RF) {
            add_gear(c, &v, t, G_SHD_RF);
            if (c.brdn.amr_pen != 0) add_line(c, &v, t, c.brdn.amr_pen, L"非擅长防具/负重减值");
        }
        if (c.stance) add_line(c, &v, t, c.stance_bonus, cond_name(c.stance));
    }
}

void step_cm(rc_t& c) {
    const int* ups = c.u.base.abi_ups;
    const int up = c.d.abi[ABI_STR] > c.d.abi[ABI_DEX] ? ups[ABI_STR] : ups[ABI_DEX];
    c.d.def[DEF_CM] = c.cls->def[DEF_CM] + c.d.abi_mod[ABI_DEX] + c.d.abi_mod[ABI_STR] + (c.save_lv - up) / 2 +
                      c.size_modifier + 10 + c.stance_bonus;
}

void step_formation(rc_t& c) {
    if (c.u.base.race == RACE_HFLING)
        for (int row = DEF_AC; row <= DEF_CM; ++row) add_line(c, &c.d.def[row], BT_DEF + row, 1, L"半身人幸运");
    auto ac_rf = [&c](int v, int pwr) {
        add_line(c, &c.d.def[DEF_AC], BT_DEF + DEF_AC, v, pwr_name(pwr));
        add_line(c, &c.d.def[DEF_RF], BT_DEF + DEF_RF, v, pwr_name(pwr));
    };
    if (c.has(P_PHALANX2) && count_adj_allies_with(&c.u, P_PHALANX2) > 0) ac_rf(2, P_PHALANX2);
    if (c.has(P_CROWD_AC)) {
        const int n = count_units_around(&c.u, 0);
        if (n > 0) ac_rf(n >= 2 ? 4 : 2, P_CROWD_AC);
    }
}

void step_sr(rc_t& c) {
    c.d.sr = c.gear[G_SR] + c.cls->sr + (c.u.base.race == RACE_DWF ? 2 : 0);
    const int feat = c.has(P_SPL_UNSR2) ? 5 : c.has(P_SPL_UNSR1) ? 2 : 0;
    c.d.unsr = c.gear[G_UNSR] + feat + (c.u.base.race == RACE_ELF ? 2 : 0);
}

// ---- hit points and speed ----

void step_hp(rc_t& c) {
    // per-level modifier x, the score y added once, and the ability they come from
    int x = c.d.abi_mod[ABI_CON], y = c.d.abi[ABI_CON], abi = ABI_CON;
    const wchar_t* half = L"";
    if (c.has(P_STR_HP) && c.d.abi_mod[ABI_STR] > 0 && c.d.abi_mod[ABI_STR] / 2 > x) {
        x = c.d.abi_mod[ABI_STR] / 2;
        y = c.d.abi[ABI_STR];
        abi = ABI_STR;
        half = L"/2";
    } else if (c.has(P_CHA_HP) && c.d.abi[ABI_CHA] > x) {  // compares the score
        x = c.d.abi_mod[ABI_CHA];
        y = c.d.abi[ABI_CHA];
        abi = ABI_CHA;
    }
    c.d.hp_max = (c.cls->hp_lv + x) * c.lv + y;
    c.text(BT_HP).append_format(L"(%d %+d) x%d +%d\n<c=a>（职业每级生命 +%s修正%s） x等级 +%s</c>\n", c.cls->hp_lv, x, c.lv,
                                y, abi_name(abi), half, abi_name(abi));
    if (c.has(P_HP1)) add_line(c, &c.d.hp_max, BT_HP, std::max(3, c.lv), pwr_name(P_HP1));
}

void step_init(rc_t& c) {
    c.d.init = c.half_lv;
    add_line(c, &c.d.init, BT_INIT, c.d.abi_mod[ABI_DEX], mod_label(ABI_DEX).buf);
    if (c.half_lv != 0) brk_line(c.text(BT_INIT), c.half_lv, L"等级修正");
    if (c.has(P_INIT1)) add_line(c, &c.d.init, BT_INIT, 4, pwr_name(P_INIT1));
    c.d.aoo = c.has(P_AO_X) ? UNLIMITED : 1;  // attacks of opportunity a round
}

void step_speed(rc_t& c) {
    int& spd = c.d.spd;
    Str& t = c.text(BT_SPD);
    spd = c.race->spd;
    brk_base(t, spd, L"基础数值（种族）");
    if (c.has(P_SPD_A2)) add_line(c, &spd, BT_SPD, 2, pwr_name(P_SPD_A2));
    else if (c.has(P_SPD_D4)) add_line(c, &spd, BT_SPD, -4, pwr_name(P_SPD_D4));
    add_gear(c, &spd, BT_SPD, G_SPD);
    const int p = c.brdn.spd_pen;
    if (p == NO_MOVE) {
        spd = 0;
        t.append(L"<c=r>无法移动</c>\t累赘\n");
    } else if (p < 0 && c.u.base.race == RACE_DWF) {
        t.append_format(L"<c=y>%d</c>\t种族专长：慢而稳\n", spd);
    } else if (p < 0) {
        t.append_format(L"<c=r>%d</c>\t累赘\n", p);
        spd += p;
    }
    if (c.u.conds.is_slowed() && spd > 1) {
        spd /= 2;
        t.append(L"<c=r>半速</c>\t迟缓\n");
    }
    if (c.has(P_WEB_MOV)) c.d.trait[TRAIT_IMM_WEB] = 100;
}

void step_atk_dmg(rc_t& c) {
    if (c.gear[G_LUCK] != 0) {
        add_gear(c, &c.d.atk, BT_ATK, G_LUCK);
        add_gear(c, &c.d.dmg, BT_DMG, G_LUCK);
    }
    if (c.gear[G_TOWER] != 0) add_line(c, &c.d.atk, BT_ATK, -2, item_name(c.src[G_TOWER]).buf);
    if (c.brdn.amr_pen != 0) add_line(c, &c.d.atk, BT_ATK, c.brdn.amr_pen, L"非擅长防具/负重减值");
    apply_aura_bonuses(&c.u);
}

// ---- gear and powers ----

void step_gear_values(rc_t& c) {
    u_drv_t& d = c.d;
    const int* g = c.gear;
    d.ac_rng += g[G_AC_RNG];
    d.hr += g[G_HR];
    d.ctr_atk += g[G_CTR_ATK];
    d.elm_dmg += g[G_ELM_DMG];
    d.pe_dmg += g[G_PE_DMG];
    d.ne_dmg += g[G_NE_DMG];
    d.to_heal += g[G_TO_HEAL];
    d.be_heal += g[G_BE_HEAL];
    d.auto_heal1 += g[G_AUTO_HEAL1];
    d.auto_heal2 += g[G_AUTO_HEAL2];
    d.bounce_p += g[G_BOUNCE_P];
    d.bounce_f += g[G_BOUNCE_F];
    d.dr += g[G_DR];
    d.er += g[G_ER];
    d.asf = c.brdn.spl_fail;
    for (int i = 0; i < DMG_TYPES; ++i) d.res[i] = std::max(d.res[i], g[G_RES + i]);
    for (int i = 0; i < TRAITS; ++i) d.trait[i] = std::max(d.trait[i], g[G_TRAIT + i]);
    if (g[G_ELM] > d.companion_lv) {
        d.companion_lv = g[G_ELM];
        d.companion_ie = g[G_ELM_IE];
    }
}

// The first held of three tier powers (10, 5, 2; ids ascending to p10), as that value; 0 for none.
int tier(const rc_t& c, int p10) {
    if (c.has(p10)) return 10;
    if (c.has(p10 - 1)) return 5;
    if (c.has(p10 - 2)) return 2;
    return 0;
}

void step_tiers(rc_t& c) {
    const int tiers = c.lv / 10 + 1;
    c.d.dr += tiers * tier(c, P_DR10);
    c.d.hr += tiers * tier(c, P_HR10);
    c.d.sr += tier(c, P_SR10);
    c.d.tr += tier(c, P_TR10);
}

void step_dmg_types(rc_t& c) {
    // imm_*, aff_*, res_*, vul_*: later groups override earlier ones.
    const struct { int first, pct; } groups[] = {{P_IMM_S, 100}, {P_AFF_S, 200}, {P_RES_S, 50}, {P_VUL_S, -100}};
    for (const auto& grp : groups)
        for (int type = DMG_SLASH; type <= DMG_VOID; ++type)
            if (c.has(grp.first + type - DMG_SLASH)) c.d.res[type] = grp.pct;
    if (c.has(P_RES_ELM))
        for (int type = DMG_FIRE; type <= DMG_ACID; ++type) c.d.res[type] = 50;
    set_energy_res(&c.u);
}

void step_immunities(rc_t& c) {
    if (c.has(P_NO_FIXED)) set_imm(c, {C_NO_MOV, C_PRONE, C_GRAP});
    if (c.has(P_FEY_BLOOD)) set_imm(c, {C_SLEEP});
    if (c.d.hr > 0 || c.u.conds.has(C_HR)) set_imm(c, {C_BLEED});
    if (c.d.res[DMG_FIRE] == 100) set_imm(c, {C_BURN});
    if (c.d.res[DMG_TOX] == 100) set_imm(c, {C_TOX});
    if (c.d.res[DMG_ACID] == 100) set_imm(c, {C_CORRODE});
    if (c.has(P_IMM_M)) c.d.trait[TRAIT_IMM_SPELL] = 100;
}

void step_xp(rc_t& c) {
    int& xp = c.d.xp_val;
    xp = (c.lv + 1) * c.lv / 2 + 4;
    if (c.u.base.kind == UK_PC) {
        xp = (c.lv * c.lv + 10) * xp;
        return;
    }
    const int rank = c.u.base.rank;
    const int m = get_urank(rank).xp_mul;
    // A normal rank changes nothing; an unknown rank (multiplier 0) from a damaged file neither.
    if (rank == RANK_NORMAL || m == 0) return;
    const wchar_t* name = or_empty(get_urank(rank).n);
    if (m < 1) {
        xp = -(xp / m);
        c.d.hp_max = 1;
        c.text(BT_HP).append_format(L"<c=r>1</c>\t%s\n", name);
        return;
    }
    xp *= m;
    c.d.hp_max *= m;
    c.text(BT_HP).append_format(L"<c=g>x%d</c>\t%s\n", m, name);
    if (rank == RANK_SOLO) c.d.trait[TRAIT_SOLO] = 100;
}

void step_hp_fill(rc_t& c) {
    if (!c.u.hp_ready) c.u.hp = c.d.hp_max;
    if (c.u.hp > c.d.hp_max) c.u.hp = c.d.hp_max;
}

void step_rage(rc_t& c) {
    const int id = c.u.conds.has(C_BLOOD_RAGE2) ? C_BLOOD_RAGE2 : c.u.conds.has(C_BLOOD_RAGE) ? C_BLOOD_RAGE : 0;
    if (!id) return;
    const wchar_t* name = cond_name(id);
    for (int row = DEF_AC; row <= DEF_CM; ++row) add_line(c, &c.d.def[row], BT_DEF + row, -2, name);
    add_line(c, &c.d.atk, BT_ATK, 2, name);
    add_line(c, &c.d.dmg, BT_DMG, (c.lv / 10 + 1) * (id == C_BLOOD_RAGE2 ? 10 : 5), name);
}

}  // namespace

// ---- driver ----

void unit_t::recalc() {
    for (int i = 0; i < U_TEXTS; ++i) {
        text_ptrs[i] = &texts[i];
        texts[i].assign(L"");
    }
    rc_t c(*this);
    step_context(c);
    step_size(c);
    step_abilities(c);
    step_creature_type(c);
    step_burden(c);
    step_modifiers(c);
    step_ac(c);
    step_saves(c);
    step_cm(c);
    step_formation(c);
    step_sr(c);
    step_hp(c);
    step_init(c);
    step_speed(c);
    step_atk_dmg(c);
    step_gear_values(c);
    step_tiers(c);
    step_dmg_types(c);
    step_immunities(c);
    step_xp(c);
    step_hp_fill(c);
    step_rage(c);
    for (Str& t : texts)
        if (!t.empty()) t.drop_back(1);  // the final new line
}
