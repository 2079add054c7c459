#include "battle/damage.h"

#include <algorithm>

#include "app/sentinels.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/listener.h"
#include "battle/turn.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dice.h"
#include "rules/dmg_ids.h"
#include "rules/ie.h"
#include "rules/ie_ids.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

void halve_dmg(int* amount) {
    const int a = *amount;
    *amount = a / 2;
    if (*amount == 0 && a != 0) *amount = a > 0 ? 1 : -1;
}

void set_energy_res(unit_t* u) {
    // Percentages of "rpr", "pe", "ne" by race group: living, undead, construct, elemental.
    static const int pct[4][3] = {{100, 200, 0}, {100, 0, 200}, {200, 100, 100}, {100, 100, 100}};
    const int g = u->race_grp();
    const int* row = pct[g >= RG_LIVING && g <= RG_ELEMENTAL ? g - RG_LIVING : RG_CONSTRUCT - RG_LIVING];
    for (int i = 0; i < 3; ++i) u->drv.res[DMG_RPR + i] = row[i];
}

// ---- rolling and applying ----

namespace {

constexpr int PCT_FULL = 100;

const wchar_t* ie_name(int id) {
    const wchar_t* n = get_ie(id).n;
    return or_empty(n);
}

// One part against u: raw amount, percentage, then reduction and energy resistance.
void roll_part(dmg_res_t& r, const dmg_part_t& p, const unit_t* u) {
    long long amount;
    if (p.count == DMG_PCT)
        amount = (long long)u->hp * p.sides / 100;
    else if (p.count != 0)
        amount = std::max(1, roll_dice(p.count, p.sides) + p.bonus);
    else
        amount = p.bonus;
    amount = (PCT_FULL - type_pct(u, p.mask)) * amount / PCT_FULL;
    int absorbed = 0;
    if (amount >= 1) {
        if (u->drv.dr != 0 && (p.mask & DMG_PHYS_MASK) && !dr_bypassed(p.mask, u)) {
            const long long a = std::min<long long>(amount, u->drv.dr);
            absorbed += int(a);
            amount -= a;
        }
        if (u->drv.er != 0 && (p.mask & DMG_ENERGY_MASK)) {
            const long long a = std::min<long long>(amount, u->drv.er);
            absorbed += int(a);
            amount -= a;
        }
        amount = std::max<long long>(amount, 0);
    }
    if (amount < 0) amount -= u->drv.be_heal;  // the healing bonus
    r.amount += int(std::clamp<long long>(amount, -UNLIMITED, UNLIMITED));
    r.absorbed += absorbed;
    if (amount != 0) r.types |= p.mask;
}

}  // namespace

int type_pct(const unit_t* u, uint32_t mask) {
    int best = 0;
    bool any = false;
    for (int k = DMG_SLASH; k <= DMG_VOID; ++k) {
        if (!(mask & dmg_bit(k))) continue;
        best = any ? std::min(best, u->drv.res[k]) : u->drv.res[k];
        any = true;
    }
    return best;
}

bool dr_bypassed(uint32_t mask, const unit_t* u) {
    if (u->has_pwr(P_UNR_MS) && (mask & DMG_WPN_MASK)) return true;
    if (u->has_pwr(P_UNR_MA) && (mask & DMG_MA_MASK)) return true;
    for (int k = DMG_SLASH; k <= DMG_VOID; ++k)
        if ((mask & dmg_bit(k)) && u->has_pwr(P_UNR_S + k - DMG_SLASH)) return true;
    return false;
}

void roll_dmg(dmg_res_t& out, const dmg_list_t& parts, const unit_t* u) {
    out = dmg_res_t();
    for (const dmg_part_t& p : parts) roll_part(out, p, u);
}

void roll_apply_dmg(unit_t* u, const dmg_list_t& parts) {
    if (!u) return;
    dmg_res_t r;
    roll_dmg(r, parts, u);
    apply_dmg(u, &r);
}

void heal_unit(unit_t* u, int n) {
    dmg_res_t r;
    r.amount = -n;
    apply_dmg(u, &r);
}

namespace {

// The once-per-battle heals of enchantments 66 and 67, then blood rage.
void after_hit(unit_t* u) {
    if (u->drv.auto_heal1 > 0 && !u->btl.auto_heal1_used) {
        log_cur_buf()->append_format(L"%s: ", ie_name(IE_AUTO_HEAL1));
        u->btl.auto_heal1_used = 1;
        heal_unit(u, u->drv.auto_heal1);
    }
    if (u->drv.auto_heal2 > 0 && !u->btl.auto_heal2_used && u->hp <= u->drv.hp_max / 2) {
        log_cur_buf()->append_format(L"%s: ", ie_name(IE_AUTO_HEAL2));
        u->btl.auto_heal2_used = 1;
        heal_unit(u, u->drv.auto_heal2);
    }
    upd_blood_rage(u);
}

}  // namespace

void apply_dmg(unit_t* u, const dmg_res_t* r) {
    if (!u || !r) return;
    const int before = u->hp;
    // The fallen come back only through set_unit_hp, which returns them to the
    // roster; healed here they would stand up outside it.
    if (before < 1 && r->amount < 0) return;
    const int change = u->add_hp(-r->amount);
    u->hp_pend += change;
    u->hp_pend_t = 0.0;
    if (r->amount < 0) {
        log_cur_buf()->append_format(L"恢复<c=r>%d</c>点生命。", u->hp - before);
    } else {
        const Str absorbed = r->absorbed ? Str(L"<c=a> (-%d)</c>", r->absorbed) : Str();
        log_cur_buf()->append_format(L"造成<c=r>%d</c>%s点伤害。", r->amount, absorbed);
        if (u->drv.hr != 0 && dr_bypassed(r->types, u)) {
            u->btl.regen_off = 1;
            log_cur_buf()->append(L"再生能力被抑制1回合。");
        }
        if (r->amount > 0) {
            if (u->hp < 1) {
                if (before > 0) log_cur_buf()->append(L"<c=r>死亡！</c>");  // a body dies once
            } else {
                u->conds.remove(C_SLEEP);  // a hit wakes a sleeper
                after_hit(u);
            }
        }
    }
    if (u->hp > 0) u->recalc();
    dmg_res_t told = *r;
    if (r->amount < 0) told.healed = change;
    cur_scene()->on_hp_change(u, &told);
    if (before > 0 && u->hp < 1) unit_dies(u);
}

void set_unit_hp(unit_t* u, int32_t hp, unit_t* creator) {
    if (!u) return;
    const int before = u->hp;
    u->set_hp(hp);
    if (before > 0 && u->hp <= 0) unit_dies(u);
    // Only a unit that is up again rejoins: one left at 0 would take turns dead.
    else if (before <= 0 && u->hp > 0) unit_rejoins(u, creator);
}

// ---- expected damage ----

namespace {
// Steps 2 to 4 of a part's roll on a given raw amount, then the cap.
double reduce_raw(long long amount, const dmg_part_t& p, const unit_t* u) {
    dmg_part_t fixed = p;
    fixed.count = 0;
    fixed.bonus = int(std::clamp<long long>(amount, -UNLIMITED, UNLIMITED));
    dmg_res_t r;
    roll_part(r, fixed, u);
    if (r.amount > 0) return std::min(r.amount, u->hp);
    if (r.amount < 0) return -std::min(-r.amount, std::max(0, u->drv.hp_max - u->hp));
    return 0;
}
}  // namespace

double expected_dmg(const dmg_list_t& parts, const unit_t* u) {
    double lo = 0, hi = 0;
    for (const dmg_part_t& p : parts) {
        long long a, b;
        if (p.count == DMG_PCT) {
            a = b = (long long)u->hp * p.sides / 100;
        } else if (p.count != 0) {
            a = std::max<long long>(1, (long long)p.count + p.bonus);
            b = std::max<long long>(1, (long long)p.count * p.sides + p.bonus);
        } else {
            a = b = p.bonus;
        }
        lo += reduce_raw(a, p, u);
        hi += reduce_raw(b, p, u);
    }
    return (lo + hi) / 2;
}
