#include "battle/enc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/rnd.h"
#include "rules/dice.h"
#include "rules/enum_ids.h"
#include "rules/mon.h"
#include "rules/mon_ids.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "rules/urank.h"

namespace {

constexpr int FALLBACK_MON = MON_RAT_D;
constexpr int MAX_SLOTS = 4;

struct enc_slot_t {
    int roles = 0;  // bit 1 << role
    int min_n = 0, max_n = 0;
    int lo_off = 0, hi_off = 0;
    bool leaders = false;
    int rank = 0;
};

struct enc_pattern_t {
    int n = 0;
    enc_slot_t slots[MAX_SLOTS];
};

constexpr enc_pattern_t patterns[ENC_TYPES + 1] = {
    {},
    {2, {{16, 1, 1, 0, 0, false, 1}, {4, 2, 8, -4, -1, false, 1}}},
    {3, {{22, 1, 1, 0, 0, true, 1}, {2, 2, 8, -4, -1, false, 1}, {8, 0, 2, -4, -1, false, 1}}},
    {2, {{30, 1, 1, 0, 0, false, 3}, {30, 0, 2, -4, -1, false, 2}}},
    {2, {{2, 2, 4, 0, 0, false, 1}, {28, 2, 2, -4, 4, false, 1}}},
    {1, {{6, 1, 8, 0, 0, false, 1}}},
};

constexpr double xp_tbl[41] = {75,    100,   125,   150,   175,   200,   250,   300,   350,   400,   500,
                               600,   700,   800,   1000,  1200,  1400,  1600,  2000,  2400,  2800,  3200,
                               4150,  5100,  6050,  7000,  9000,  11000, 13000, 15000, 19000, 23000, 27000,
                               31000, 39000, 47000, 55000, 63000, 79000, 95000, 111000};

// One search: the party, the allowed levels and the bands.
struct enc_search_t {
    int lv = 0, size = 0, diff = 0;
    int lv_min = 0, lv_max = 0;
    enc_bands_t bands;
};

struct slot_pick_t {
    int lv = 0, count = 0, mon = 0;
};

int first_of_range(int a, int b) {
    std::vector<int> v;
    shuffled_range(&v, a, b);
    return v.front();
}

int classify(const enc_bands_t& b, double xp) {
    for (int d = DIFF_EASY; d <= DIFF_HARD; ++d)
        if (xp >= b.lo[d] && xp <= b.hi[d]) return d;
    return 0;
}

bool valid_at(const mon_t& m, int lv) { return m.min_lv <= lv && lv <= m.max_lv; }

// Ids of the templates that fit, in id order.
template <class F>
std::vector<int> mon_ids_if(F fit) {
    std::vector<int> ids;
    for (int id = 1; id < MON_COUNT; ++id)
        if (fit(get_mon(id))) ids.push_back(id);
    return ids;
}

int pick_id(const std::vector<int>& ids) { return ids.empty() ? 0 : ids[rnd_rand() % int(ids.size())]; }

// Levels and counts of every slot; the running experience total.
double roll_slots(const enc_search_t& s, const enc_pattern_t& p, int base, slot_pick_t* out) {
    double xp = 0;
    for (int i = 0; i < p.n; ++i) {
        const enc_slot_t& sl = p.slots[i];
        if (i == 0) {
            out[i].lv = base;
        } else {
            const int a = std::clamp(base + sl.lo_off, s.lv_min, s.lv_max);
            const int b = std::clamp(base + sl.hi_off, s.lv_min, s.lv_max);
            out[i].lv = first_of_range(a, b);
        }
        out[i].count = first_of_range(sl.min_n, sl.max_n);
        xp += out[i].count * xp_for_level(out[i].lv, sl.rank);
    }
    return xp;
}

// One try at the pattern of type for a family and base level.
bool fill_enc_slots(const enc_search_t& s, int type, int fam, int base, enc_t* out) {
    const enc_pattern_t& p = patterns[type];
    slot_pick_t picks[MAX_SLOTS];
    if (classify(s.bands, roll_slots(s, p, base, picks)) != s.diff) return false;
    for (int i = 0; i < p.n; ++i) {
        const enc_slot_t& sl = p.slots[i];
        const int lv = picks[i].lv;
        picks[i].mon = pick_id(mon_ids_if([&](const mon_t& m) {
            return m.rank == sl.rank && ((1 << m.role) & sl.roles) && m.family == fam && m.min_lv <= s.lv &&
                   valid_at(m, lv) && (!sl.leaders || m.is_sup_or_elite());
        }));
        if (!picks[i].mon) return false;
    }
    out->diff = s.diff;
    out->type = type;
    out->mons.clear();
    for (int i = 0; i < p.n; ++i)
        if (picks[i].count > 0) out->mons.push_back({picks[i].mon, picks[i].lv, picks[i].count});
    return true;
}

// k units of entry i become n units of template mon; the entry keeps the rest.
void split_entry(enc_t* e, size_t i, int k, int mon, int n) {
    enc_mon_t& m = e->mons[i];
    const enc_mon_t add{mon, m.lv, n};
    if (k == m.count) {
        m = add;
    } else {
        m.count -= k;
        e->mons.push_back(add);
    }
}

void add_partner(enc_t* e) {
    if (rnd_rand() % 100 >= 50) return;
    for (size_t i = 0; i < e->mons.size(); ++i) {
        const enc_mon_t m = e->mons[i];
        if (m.count == 1) continue;
        const mon_t& t = get_mon(m.mon);
        const std::vector<int> ids = mon_ids_if([&](const mon_t& c) {
            return c.rank == t.rank && c.role == t.role && (c.joins & (1 << t.family)) && valid_at(c, m.lv);
        });
        if (ids.empty()) continue;
        const int partner = pick_id(ids);
        const int k = rnd_rand() % m.count + 1;
        split_entry(e, i, k, partner, k);
        return;
    }
}

// Normal monsters turned into elites (even k) or minions (odd k).
void promote_ranks(enc_t* e, int party_lv) {
    if (e->mons.size() >= 4 || party_lv < 3) return;
    bool changed = false;
    for (size_t i = 0; i < e->mons.size() && e->mons.size() < 4; ++i) {
        const enc_mon_t m = e->mons[i];
        const mon_t& t = get_mon(m.mon);
        if (m.count == 1 || t.rank != RANK_NORMAL) continue;
        if (changed && rnd_rand() % 100 >= 50) continue;
        int k = rnd_rand() % m.count + 1;
        if (party_lv < 5 && k % 2) k = k == 1 ? 2 : k - 1;
        const int rank = k % 2 ? RANK_MINION : RANK_ELITE;
        const int mon = pick_id(mon_ids_if([&](const mon_t& c) {
            return c.rank == rank && c.role == t.role && c.family == t.family && valid_at(c, m.lv);
        }));
        if (!mon) continue;
        split_entry(e, i, k, mon, rank == RANK_MINION ? 4 * k : k / 2);
        changed = true;
    }
}

std::vector<int> type_order(int first) {
    std::vector<int> v;
    shuffled_range(&v, ENCT_CONTROL, ENC_TYPES);
    const auto it = std::find(v.begin(), v.end(), first);
    if (it != v.end()) std::rotate(v.begin(), it, it + 1);
    return v;
}

// Each allowed level 2^(4 - distance) times, shuffled.
std::vector<int> base_levels(const enc_search_t& s) {
    std::vector<int> v;
    for (int lv = s.lv_min; lv <= s.lv_max; ++lv)
        v.insert(v.end(), size_t(1) << (4 - std::abs(lv - s.lv)), lv);
    rnd_shuffle(v);
    return v;
}

}  // namespace

int roll_enc_diff() {
    const int d = roll_dice(1, 20);
    return d <= 4 ? DIFF_EASY : d <= 16 ? DIFF_NORMAL : DIFF_HARD;
}

double xp_for_level(int lv, int rank) {
    double v;
    if (lv < 0)
        v = 100.0 - 25.0 * (1 - lv);
    else if (lv <= 40)
        v = xp_tbl[lv];
    else
        v = 111000.0 * std::pow(1.2, lv - 40);
    if (rank == RANK_NORMAL) return v;
    const int m = get_urank(rank).xp_mul;
    if (m > 0) return v * m;
    return m < 0 ? v / -m : v;  // a rank without multiplier counts as it is
}

void enc_bands(int lv, int size, enc_bands_t* out) {
    auto xp = [](int l) { return xp_for_level(l, RANK_NORMAL); };
    out->lo[DIFF_EASY] = xp(lv - 2) * size;
    out->hi[DIFF_EASY] = std::max(xp(lv) * size - 1, xp(1));
    out->lo[DIFF_NORMAL] = xp(lv) * size;
    out->hi[DIFF_NORMAL] = xp(lv + 1) * size;
    out->lo[DIFF_HARD] = xp(lv + 1) * size + 1;
    out->hi[DIFF_HARD] = xp(lv + 4) * size;
}

enc_t gen_enc(int lv, int size, int diff, int first_type) {
    enc_search_t s;
    s.lv = lv;
    s.size = size;
    s.diff = diff == ENC_ROLL ? roll_enc_diff() : diff;
    s.lv_min = std::max(1, lv - 4);
    s.lv_max = lv + 4;
    enc_bands(lv, size, &s.bands);
    const std::vector<int> types = type_order(first_type);
    std::vector<int> fams;
    shuffled_range(&fams, 1, MON_FAMILIES);
    const std::vector<int> bases = base_levels(s);
    enc_t e;
    for (int type : types)
        for (int fam : fams)
            for (int base : bases)
                if (fill_enc_slots(s, type, fam, base, &e)) {
                    add_partner(&e);
                    promote_ranks(&e, lv);
                    return e;
                }
    return {DIFF_EASY, ENCT_PACK, {{FALLBACK_MON, 1, 1}}};
}

unit_grp_t* enc_to_grp(const enc_t& e) {
    unit_grp_t* g = new unit_grp_t;
    for (const enc_mon_t& m : e.mons)
        for (int i = 0; i < m.count; ++i) {
            unit_t* u = new unit_t;
            u->from_mon(m.mon, m.lv);
            g->units.push_back(u);
        }
    return g;
}
