#pragma once
// Effects: forced outcomes a hit can carry besides its damage (knock back, knock
// back and over), and the defence that resists them.
#include "app/sentinels.h"
#include "app/text_info.h"

class unit_t;

constexpr int EFF_COUNT = 4;  // rows 0 to 3, row 0 empty
constexpr int EFF_NO_ROLL = UNLIMITED;  // an entry bonus that applies the effect without a roll

class eff_t : public text_info_t {
public:
    int def = 0;  // def enum row the target resists with
};

// An effect entry {effect id, bonus}, or any (kind, value) pair of the attack evaluation.
struct int_pair_t {
    int a = 0;
    int b = 0;
    friend constexpr bool operator==(const int_pair_t&, const int_pair_t&) = default;
};

inline int_pair_t make_int_pair(int a, int b) { return {a, b}; }

// Ids outside the table answer the empty row 0.
const eff_t* get_eff(int id);

// Rolls the entry's bonus against the target's defence (unless EFF_NO_ROLL), then
// knocks the target back from src, and over for ids 2 and 3.
void try_apply_eff(const int_pair_t& e, unit_t* src, unit_t* tgt);
