#include "rules/act_texts.h"

#include "app/db.h"
#include "app/str.h"
#include "rules/cond.h"
#include "rules/pwr.h"

Str get_rng_text(int rng) {
    switch (rng) {
    case RNG_SPD: return Str(L"移动速度");
    case RNG_REACH: return Str(L"武器攻击距离");
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
    case AREA_BURST: return Str(L"爆发");
    case AREA_CONE: return Str(L"喷射");
    case AREA_LINE: return Str(L"直线");
    case AREA_MAP: return Str(L"全场");
    case AREA_ADJ2: return Str(L"2个邻接目标");
    case AREA_ADJ3: return Str(L"3个邻接目标");
    // What is cast: every cell within the radius of the aimed one, a disc, not a square.
    default: return Str(L"半径%d格", area);
    }
}

Str& get_dur_text(Str& out, int n) {
    if (n == COND_FOREVER) out = L"整场战斗";
    else out.format(L"%d%s回合", n, lang_wsp);
    return out;
}
