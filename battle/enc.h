#pragma once
// Generated encounters: monster templates with level and count, built from one
// of five patterns so that their experience falls into the band of the wanted
// difficulty. The arena regenerates its challenges from a stored seed, so the
// order of every draw here is part of the save format.
#include <vector>

class unit_grp_t;

constexpr int ENC_ROLL = -666666666;  // difficulty: roll it as roll_enc_diff does
constexpr int ENC_TYPES = 5;

struct enc_mon_t {
    int mon = 0;  // monster template id
    int lv = 0;
    int count = 0;
    bool operator==(const enc_mon_t&) const = default;
};

struct enc_t {
    int diff = 0;  // DIFF_EASY .. DIFF_HARD
    int type = 0;  // ENCT_CONTROL .. ENCT_PACK
    std::vector<enc_mon_t> mons;
    bool operator==(const enc_t&) const = default;
};

// Experience bands by difficulty, [lo, hi] inclusive; index 0 unused.
struct enc_bands_t {
    double lo[4] = {};
    double hi[4] = {};
};

// d20: 1..4 easy, 5..16 medium, 17..20 hard.
int roll_enc_diff();
// The worth of one unit of that level and rank, by the experience table.
double xp_for_level(int lv, int rank);
void enc_bands(int lv, int size, enc_bands_t* out);
// first_type 0: no preference. Never empty: with no fitting pattern, one
// template-8 monster at level 1.
enc_t gen_enc(int lv, int size, int diff, int first_type);
// New units from the templates, entry by entry; the caller owns the group.
unit_grp_t* enc_to_grp(const enc_t& e);
