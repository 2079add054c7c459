// The derived statistics of a unit, recomputed whole in 24 steps, each with the
// breakdown lines that explain it.
//
// Sections: context, abilities, defences, hit points and speed, gear and powers,
// the driver.
#include <algorithm>

#include "app/str.h"
#include "battle/auras.h"
#include "battle/damage.h"
#include "battle/roster.h"
#include "rules/brk_line.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/gear.h"
#include "rules/load_type.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "rules/urank.h"

namespace {

constexpr int NO_MOVE = -1000000000;

// Everything the steps share.
struct rc_t {
    unit_t& u;
    u_drv_t& d;
    Str* const* t;
    const race_t* race = nullptr;
    const cls_t* cls = nullptr;
    int gear[GEAR_N];
    const itm_slot_t* src[GEAR_N];
    int L = 0, h = 0, A = 0, B = 0, M = 0;
    int stance = 0, stance_bonus = 0;
    brdn_t brdn;

    explicit rc_t(unit_t& u) : u(u), d(u.drv), t(u.text_ptrs) {}
    Str& text(int n) const { return *t[n]; }
    bool has(int pwr) const { return u.has_pwr(pwr); }
};

const wchar_t* safe(const wchar_t* s) { return s ? s : L""; }

const wchar_t* pwr_name(int id) {
    const Pwr* p = get_pwr(id);
    return p ? safe(p->n) : L"";
}

const wchar_t* cond_name(int id) { return safe(get_cond(id)->n); }

const wchar_t* abi_name(int i) { return safe(get_abi(i)->n); }

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
    if (c.u.conds.has(14)) {
        c.stance = 14;  // "def_full"
        c.stance_bonus = 4;
    } else if (c.u.conds.has(13)) {
        c.stance = 13;  // "def"
        c.stance_bonus = 2;
    }
    c.u.conds.upd_mask();
    collect_gear_bonuses(c.u, c.gear, c.src);
    c.L = c.u.base.lv;
    c.h = c.L / 2;
    c.A = c.L / 8 + c.L / 20 + c.L / 2;
    c.B = c.L / 8 + c.L / 2;
}

void step_size(rc_t& c) {
    c.d = u_drv_t();
    c.d.vision = c.race->vision;
    c.d.size = c.race->size + (c.has(220) ? 1 : 0);  // "sz_a1"
    c.M = size_mod(c.d.size);
}

// ---- abilities ----

void step_abilities(rc_t& c) {
    const int magic = (c.L / 5) * 2;
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
    if (type == 1) {
        fix_abi(c, 3, 10, true);
        set_imm(c, {10, 11, 12});
    } else if (type == 2) {
        fix_abi(c, 3, 2, false);
    } else if (type == 5 || type == 6) {
        fix_abi(c, 2, 10, true);
        c.d.res[8] = 100;  // "tox"
        set_imm(c, {5, 6, 7, 10, 11, 12, 20, 22});
        c.d.trait[4] = 100;
    } else if (type == 7) {
        c.d.res[8] = 100;
        set_imm(c, {5, 6, 7, 20, 22});
        c.d.trait[4] = 100;
    }
    if (type != 5) set_imm(c, {9});
    if (c.has(218)) {  // "created"
        fix_abi(c, 2, 10, true);
        if (!c.has(219)) fix_abi(c, 3, 10, true);  // "int"
        fix_abi(c, 4, 10, false);
        fix_abi(c, 5, 1, false);
    }
}

void step_burden(rc_t& c) {
    c.u.get_burden(c.brdn);
    c.d.asf = c.brdn.spl_fail;
}

void step_modifiers(rc_t& c) {
    for (int i = 0; i < ABIS; ++i) c.d.abi_mod[i] = abi_mod(c.d.abi[i]);
    if (c.u.conds.is_helpless())
        c.d.abi_mod[1] = -5;
    else if (c.u.conds.no_threat() && c.d.abi_mod[1] > 0)
        c.d.abi_mod[1] = 0;
}

// ---- defences ----

int natural_armour(const rc_t& c) {
    int n = c.race->nac;
    if (n != 0 && c.u.eqpts.slots[EQ_BODY].empty()) n += c.L / 5;
    if (c.has(225)) n -= 2;       // "nac_d2"
    else if (c.has(224)) n += 4;  // "nac_a4"
    else if (c.has(223)) n += 2;  // "nac_a2"
    return n;
}

void step_ac(rc_t& c) {
    int& ac = c.d.def[1];
    const int n = natural_armour(c);
    const int t = BT_DEF + 1;
    ac = c.cls->def[1] - c.M + 10 + c.A + n;
    c.text(t).append(L"10\t基础数值\n");
    add_line(c, &ac, t, std::min(c.d.abi_mod[1], c.brdn.max_dex), L"敏捷修正");
    brk_line(c.text(t), c.A, L"等级修正");
    brk_line(c.text(t), n, L"天生护甲");
    brk_line(c.text(t), -c.M, L"体形修正");
    brk_line(c.text(t), c.cls->def[1], L"职业修正");
    for (int g : {G_AMR, G_SHD, G_NAC, G_DFLC}) add_gear(c, &ac, t, g);
    if (c.has(23) && !c.u.conds.no_threat()) add_line(c, &ac, t, 1, pwr_name(23));  // "dodge"
    if (c.u.eqpts.atk_slots(1).slots.size() == 2) {
        if (c.has(75)) add_line(c, &ac, t, 2, pwr_name(75));       // "tw_def1"
        else if (c.has(74)) add_line(c, &ac, t, 1, pwr_name(74));  // "tw_def"
    }
    if (c.stance) add_line(c, &ac, t, c.stance_bonus, cond_name(c.stance));
}

void step_saves(rc_t& c) {
    // def row, ability, and the ability increases whose half the level part gives back
    const struct { int row, abi; } saves[] = {{2, 2}, {3, 1}, {4, 4}};
    for (const auto& s : saves) {
        int& v = c.d.def[s.row];
        const int t = BT_DEF + s.row;
        const int lv_part = c.B - c.u.base.abi_ups[s.abi] / 2;
        v = 10 + lv_part + c.cls->def[s.row] + c.d.abi_mod[s.abi];
        c.text(t).append(L"10\t基础数值\n");
        brk_line(c.text(t), c.d.abi_mod[s.abi], mod_label(s.abi).buf);
        brk_line(c.text(t), lv_part, L"等级修正");
        brk_line(c.text(t), c.cls->def[s.row], L"职业修正");
        const int pwr = 17 + s.row;  // "ft1", "rf1", "wl1"
        if (c.has(pwr)) add_line(c, &v, t, 2, pwr_name(pwr));
        if (c.has(22)) add_line(c, &v, t, 1, pwr_name(22));  // "def1"
        add_gear(c, &v, t, G_SAVE);
        add_gear(c, &v, t, G_LUCK);
        if (s.row == 3) {
            add_gear(c, &v, t, G_SHD_RF);
            if (c.brdn.amr_pen != 0) add_line(c, &v, t, c.brdn.amr_pen, L"非擅长防具/负重减值");
        }
        if (c.stance) add_line(c, &v, t, c.stance_bonus, cond_name(c.stance));
    }
}

void step_cm(rc_t& c) {
    const int ups = c.d.abi[0] > c.d.abi[1] ? c.u.base.abi_ups[0] : c.u.base.abi_ups[1];
    c.d.def[5] = c.cls->def[5] + c.d.abi_mod[1] + c.d.abi_mod[0] + (c.B - ups) / 2 + c.M + 10 + c.stance_bonus;
}

void step_formation(rc_t& c) {
    if (c.u.base.race == 30)
        for (int row = 1; row <= 5; ++row) add_line(c, &c.d.def[row], BT_DEF + row, 1, L"半身人幸运");
    auto ac_rf = [&c](int v, int pwr) {
        add_line(c, &c.d.def[1], BT_DEF + 1, v, pwr_name(pwr));
        add_line(c, &c.d.def[3], BT_DEF + 3, v, pwr_name(pwr));
    };
    if (c.has(257) && count_adj_allies_with(&c.u, 257) > 0) ac_rf(2, 257);  // "phalanx2"
    if (c.has(258)) {                                                       // "crowd_ac"
        const int n = count_units_around(&c.u, 0);
        if (n > 0) ac_rf(n >= 2 ? 4 : 2, 258);
    }
}

void step_sr(rc_t& c) {
    c.d.sr = c.gear[G_SR] + c.cls->sr + (c.u.base.race == 25 ? 2 : 0);
    c.d.unsr = c.gear[G_UNSR] + (c.has(115) ? 5 : c.has(114) ? 2 : 0) + (c.u.base.race == 26 ? 2 : 0);
}

// ---- hit points and speed ----

void step_hp(rc_t& c) {
    int x = c.d.abi_mod[2], y = c.d.abi[2], abi = 2;
    const wchar_t* half = L"";
    if (c.has(290) && c.d.abi_mod[0] > 0 && c.d.abi_mod[0] / 2 > x) {  // "str_hp"
        x = c.d.abi_mod[0] / 2;
        y = c.d.abi[0];
        abi = 0;
        half = L"/2";
    } else if (c.has(289) && c.d.abi[5] > x) {  // "cha_hp" compares the score
        x = c.d.abi_mod[5];
        y = c.d.abi[5];
        abi = 5;
    }
    c.d.hp_max = (c.cls->hp_lv + x) * c.L + y;
    c.text(BT_HP).append_format(L"(%d %+d) x%d +%d\n<c=a>（职业每级生命 +%s修正%s） x等级 +%s</c>\n", c.cls->hp_lv, x, c.L,
                                y, abi_name(abi), half, abi_name(abi));
    if (c.has(18)) add_line(c, &c.d.hp_max, BT_HP, std::max(3, c.L), pwr_name(18));  // "hp1"
}

void step_init(rc_t& c) {
    c.d.init = c.h;
    add_line(c, &c.d.init, BT_INIT, c.d.abi_mod[1], mod_label(1).buf);
    if (c.h != 0) brk_line(c.text(BT_INIT), c.h, L"等级修正");
    if (c.has(16)) add_line(c, &c.d.init, BT_INIT, 4, pwr_name(16));  // "init1"
    c.d.aoo = c.has(68) ? 1000000000 : 1;                               // "ao_x"
}

void step_speed(rc_t& c) {
    int& spd = c.d.spd;
    Str& t = c.text(BT_SPD);
    spd = c.race->spd;
    brk_base(t, spd, L"基础数值（种族）");
    if (c.has(221)) add_line(c, &spd, BT_SPD, 2, pwr_name(221));        // "spd_a2"
    else if (c.has(222)) add_line(c, &spd, BT_SPD, -4, pwr_name(222));  // "spd_d4"
    add_gear(c, &spd, BT_SPD, G_SPD);
    const int p = c.brdn.spd_pen;
    if (p == NO_MOVE) {
        spd = 0;
        t.append(L"<c=r>无法移动</c>\t累赘\n");
    } else if (p < 0 && c.u.base.race == 25) {
        t.append_format(L"<c=y>%d</c>\t种族专长：慢而稳\n", spd);
    } else if (p < 0) {
        t.append_format(L"<c=r>%d</c>\t累赘\n", p);
        spd += p;
    }
    if (c.u.conds.is_slowed() && spd > 1) {
        spd /= 2;
        t.append(L"<c=r>半速</c>\t迟缓\n");
    }
    if (c.has(262)) c.d.trait[5] = 100;  // "web_mov"
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
    d.gear87 += g[G_AC_RNG];
    d.hr += g[G_HR];
    d.gear24[0] += g[G_CTR_ATK];
    for (int i = 0; i < 4; ++i) d.gear24[3 + i] += g[G_ELM_DMG + i];
    for (int i = 0; i < 3; ++i) d.gear93[i] += g[G_BE_HEAL + i];
    d.gear24[1] += g[G_BOUNCE_P];
    d.gear24[2] += g[G_BOUNCE_F];
    d.dr += g[G_DR];
    d.gear41 += g[G_ER];
    d.asf = c.brdn.spl_fail;
    for (int i = 0; i < DMG_TYPES; ++i) d.res[i] = std::max(d.res[i], g[G_RES + i]);
    for (int i = 0; i < 7; ++i) d.trait[i] = std::max(d.trait[i], g[G_TRAIT + i]);
    if (g[G_ELM] > d.gear_best[0]) {
        d.gear_best[0] = g[G_ELM];
        d.gear_best[1] = g[G_ELM_IE];
    }
}

// The first held of three tier powers (10, 5, 2), as that value; 0 for none.
int tier(const rc_t& c, int p10) {
    if (c.has(p10)) return 10;
    if (c.has(p10 - 1)) return 5;
    if (c.has(p10 - 2)) return 2;
    return 0;
}

void step_tiers(rc_t& c) {
    const int T = c.L / 10 + 1;
    c.d.dr += T * tier(c, 146);  // "dr10"
    c.d.hr += T * tier(c, 149);  // "hr10"
    c.d.sr += tier(c, 152);      // "sr10"
    c.d.tr += tier(c, 155);      // "tr10"
}

void step_dmg_types(rc_t& c) {
    // imm_*, aff_*, res_*, vul_*: later groups override earlier ones.
    const struct { int first, pct; } groups[] = {{170, 100}, {182, 200}, {194, 50}, {206, -100}};
    for (const auto& grp : groups)
        for (int type = 1; type <= 12; ++type)
            if (c.has(grp.first + type - 1)) c.d.res[type] = grp.pct;
    if (c.has(228))  // "res_elm"
        for (int type = 4; type <= 7; ++type) c.d.res[type] = 50;
    set_energy_res(&c.u);
}

void step_immunities(rc_t& c) {
    if (c.has(226)) set_imm(c, {2, 3, 16});  // "no_fixed"
    if (c.has(266)) set_imm(c, {6});         // "fey_blood"
    if (c.d.hr > 0 || c.u.conds.has(24)) set_imm(c, {20});
    if (c.d.res[4] == 100) set_imm(c, {21});
    if (c.d.res[8] == 100) set_imm(c, {22});
    if (c.d.res[7] == 100) set_imm(c, {23});
    if (c.has(227)) c.d.trait[1] = 100;  // "imm_m"
}

void step_xp(rc_t& c) {
    int& xp = c.d.xp_val;
    xp = (c.L + 1) * c.L / 2 + 4;
    if (c.u.base.kind == UK_PC) {
        xp = (c.L * c.L + 10) * xp;
        return;
    }
    const int rank = c.u.base.rank;
    const int m = get_urank(rank).xp_mul;
    // Rank 1 changes nothing; an unknown rank (multiplier 0) from a damaged file neither.
    if (rank == 1 || m == 0) return;
    const wchar_t* name = safe(get_urank(rank).n);
    if (m < 1) {
        xp = -(xp / m);
        c.d.hp_max = 1;
        c.text(BT_HP).append_format(L"<c=r>1</c>\t%s\n", name);
        return;
    }
    xp *= m;
    c.d.hp_max *= m;
    c.text(BT_HP).append_format(L"<c=g>x%d</c>\t%s\n", m, name);
    if (rank == 3) c.d.trait[2] = 100;  // "solo"
}

void step_hp_fill(rc_t& c) {
    if (!c.u.hp_ready) c.u.hp = c.d.hp_max;
    if (c.u.hp > c.d.hp_max) c.u.hp = c.d.hp_max;
}

void step_rage(rc_t& c) {
    const int id = c.u.conds.has(19) ? 19 : c.u.conds.has(18) ? 18 : 0;
    if (!id) return;
    const wchar_t* name = cond_name(id);
    for (int row = 1; row <= 5; ++row) add_line(c, &c.d.def[row], BT_DEF + row, -2, name);
    add_line(c, &c.d.atk, BT_ATK, 2, name);
    add_line(c, &c.d.dmg, BT_DMG, (c.L / 10 + 1) * (id == 19 ? 10 : 5), name);
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
