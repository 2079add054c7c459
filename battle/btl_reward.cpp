#include "battle/btl_reward.h"

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/listener.h"
#include "rules/bag.h"
#include "rules/enums.h"
#include "rules/ex_info.h"
#include "rules/itm.h"
#include "rules/loot.h"
#include "rules/mon.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "rules/urank.h"

namespace {

int pty_size() { return int(g_pty.units.size()); }

// Experience the encounter is worth for each member; the remainder is lost.
int share_xp(const enc_t& e) {
    const int size = pty_size();
    if (size == 0) return 0;
    const int per = int(enc_xp(e)) / size;
    for (unit_t* u : g_pty.units) u->xp += per;
    return per;
}

}  // namespace

int btl_fee_per_member(int lv) {
    const int t = lv / 5, r = lv - 5 * t;
    const int a = (t + 1) * (t + 1), b = (t + 2) * (t + 2);
    return 100 * a + r * (b - a) * 100 / 5;
}

int calc_btl_gold() { return btl_fee_per_member(g_pty.lv()) * pty_size(); }

double enc_mon_xp(const enc_mon_t& m) {
    const int rank = get_mon(m.mon).rank;
    const double v = 100.0 * m.lv;
    const int mul = rank == RANK_NORMAL ? 1 : get_urank(rank).xp_mul;
    if (mul > 0) return v * mul;
    return mul < 0 ? v / -mul : v;  // a rank without multiplier (row 0) would divide by zero
}

double enc_xp(const enc_t& e) {
    double xp = 0;
    for (const enc_mon_t& m : e.mons) xp += m.count * enc_mon_xp(m);
    return xp;
}

void gen_btl_loot(int lv, int size, int* gold, std::vector<itm_slot_t>* items) {
    const int t = lv / 5, r = lv - 5 * t;
    const int budget = 10 * size;  // percent
    const int c1 = r / 3 + 1;
    for (int i = 0; i < c1; ++i) add_rand_loot(*items, budget / c1, t + 1, 2, 6, lv);
    const int c2 = std::max(r, 1);
    for (int i = 0; i < c2; ++i) add_rand_loot(*items, budget / c2, t, 2, 6, lv);
    const int a = (t + 1) * (t + 1), b = (t + 2) * (t + 2);
    const int g = ((400 * (b - a) * r + 2000 * a) * 4) / 10;
    *gold = rnd_tri(2 * g);
}

void btl_win_rewards(const enc_t& e, Str& out) {
    const int xp = share_xp(e);
    int gold = 0;
    std::vector<itm_slot_t> loot;
    gen_btl_loot(g_pty.lv(), pty_size(), &gold, &loot);
    // Loot that finds no room is named on the page instead of vanishing
    // unseen, and only there: the loot listed is what the bag took.
    std::vector<itm_slot_t> placed;
    const std::vector<itm_slot_t> left = bag_add_all(g_pty.bag, loot, &placed);
    Str bonus_text;
    if (btl().no_death) {
        const int bonus = btl_fee_per_member(g_pty.lv());
        gold += bonus;
        bonus_text.format(L" (+%d 零阵亡奖励)", bonus);
    }
    g_pty.gold += calc_btl_gold() + gold;
    Str items = loot_text(placed);
    if (!left.empty()) items.append_format(L"<c=r>背包已满，未能放入：</c>\n%s", loot_text(left));
    // The picture's line is as tall as the picture: a small step down parts it from the heading.
    out.format(L"<s hr=c:lbl><m><img=misc/win c=lbl>\n<dy=16><h1 c=lbl hr=c>获得经验 & 战利品</h1>"
               L"<c=fc_gg><f=b7>%d</f> XP/每人</c>\n<c=fc_yy><f=b7>%s</f>%s</c>\n<f=b7>%s</f>\n\n"
               L"<h1 c=lbl hr=c>击败敌人</h1>%s",
               xp, gold_text(gold), bonus_text, items, enc_kills_text(e));
}

void btl_lose_text(Str& out) {
    // The heading in a red that reads on the page's dark grey; the picture keeps its dark red.
    out.format(L"<c=#600><s hr=c:fc_rr><m><img=misc/lost>\n<dy=16><h1 c=fc_r hr=c>战败损失</h1><f=b7>%s</f>",
               gold_text(-double(calc_btl_gold())));
}

Str enc_kills_text(const enc_t& e) {
    Str out;
    // A row too long for the page breaks before the bracket, never inside it.
    for (const enc_mon_t& m : e.mons)
        out.append_format(L"%s<c=#6C6C6C> <nobr>(%lld XP/每单位)</nobr></c>\n", enc_mon_text(m),
                          (long long)enc_mon_xp(m));
    return out;
}

Str enc_mon_text(const enc_mon_t& m) {
    const mon_t& t = get_mon(m.mon);
    Str rank;
    urank_lbl(rank, t.rank, true);
    return Str(L"%dx <c=a>等级</c> <c=lbl>%d</c> %s %s", m.count, m.lv, or_empty(t.n), rank);
}

Str enc_desc_text(const enc_t& e) {
    const ex_info_t* d = get_enc_diff(e.diff);
    const text_info_t* ty = get_enc_type(e.type);
    Str out(L"<b><c=lbl>难度：</c><c=#%08x>%s</c>\n<c=lbl>类型：</c>%s\n\n", uint32_t(d->clr), or_empty(d->n),
            or_empty(ty->n));
    for (const enc_mon_t& m : e.mons) out.append_format(L"%s\n", enc_mon_text(m));
    return out;
}

Str loot_text(const std::vector<itm_slot_t>& items) {
    Str out;
    for (const itm_slot_t& s : items) {
        const itm_t& t = get_itm(s.id);
        Str name;
        s.get_name(name);
        out.append_format(L"<tip=%s><ico_m=items/%s> %s</tip>\n", itm_tip_ref(s), or_empty(t.k), name);
    }
    return out;
}
