#include "rules/act_texts.h"

#include "app/db.h"
#include "app/str.h"
#include "battle/rolls.h"

Str get_rng_text(int rng) {
    switch (rng) {
    case -12: return Str(L"移动速度");
    case -1: return Str(L"武器攻击距离");
    case 0: return Str(L"自身");
    case 1: return Str(L"触及");
    case 3: return Str(L"近距（3格）");
    case 7: return Str(L"中距（7格）");
    case 12: return Str(L"远距（12格）");
    default: return Str(L"%d格", rng);
    }
}

Str get_area_text(int area) {
    switch (area) {
    case 0: return Str(L"单体");
    case -1: return Str(L"爆发");
    case -2: return Str(L"喷射");
    case -3: return Str(L"直线");
    case -4: return Str(L"全场");
    case -5: return Str(L"2个邻接目标");
    case -6: return Str(L"3个邻接目标");
    default: return Str(L"%dx%d区域", 2 * area + 1, 2 * area + 1);
    }
}

Str& get_dur_text(Str& out, int n) {
    if (n == 1000000000) out = L"整场战斗";
    else out.format(L"%d%s回合", n, lang_wsp);
    return out;
}

Str& roll_t::get_text(Str& out) const {
    out.format(L"<c=y>%d</c> %c %d vs %d", roll, mod < 0 ? L'-' : L'+', mod < 0 ? -(long long)mod : (long long)mod, target);
    return out;
}

bool act_budget_spend(int& budget, int cost) {
    int left = budget;
    switch (cost) {
    case 4: left = budget == 4 ? 1 : 0; break;
    case 3: left = budget == 3 ? 1 : budget == 4 ? 2 : 0; break;
    case 2: left = budget == 2 || budget == 3 ? 1 : budget == 4 ? 3 : 0; break;
    default: return true;  // "No" and unknown costs take nothing
    }
    if (left == 0) return false;
    budget = left;
    return true;
}
