#pragma once
// Builds: ready-made character plans (race, class, scores, key ability and the
// powers wanted, in order), and the builders that turn a build or a monster
// template into a unit.
#include <vector>

#include "app/text_info.h"
#include "rules/bld_ids.h"
#include "rules/cls_ids.h"
#include "rules/enum_ids.h"
#include "rules/race_ids.h"

class unit_t;

constexpr int BLD_COUNT = 15;   // rows 0 to 14, row 0 empty
constexpr int BLD_CUSTOM = -2;  // the player makes every choice

// What a player's character may be made of: the peoples, the three classes
// and the premade builds (the other rows are monsters').
constexpr int PC_RACE_FIRST = RACE_HUM, PC_RACE_LAST = RACE_HFLING;
constexpr int PC_CLS_FIRST = CLS_FIGHTER, PC_CLS_LAST = CLS_WIZARD;
constexpr int PC_BLD_FIRST = BLD_TH, PC_BLD_LAST = BLD_SUM;

class u_bld_t : public text_info_t {
public:
    int race = 0;
    int cls = 0;
    int abi[ABIS] = {};   // Str .. Cha
    int key_abi = 0;   // abi index: +2 for races without fixed adjustments, +1 every fourth level
    std::vector<int> plan;  // power ids in the order the build takes them

    // All six 0, then +2 at key_abi.
    int* key_abi_bonus(int out[ABIS]) const;
};

// -2 the custom build; an id outside 0..14 (a damaged save) answers the empty row 0.
const u_bld_t* get_bld(int id);

// The base ability row of a monster's class tier 0..2 (other tiers: tier 0).
const int* mon_tier_abis(int tier);
// The row's values go to the abilities in falling order of prio; ties to the lower index.
void assign_abis_by_priority(int out[ABIS], const int row[ABIS], const int prio[ABIS]);
// n added to abi[first..last], never beyond the last ability.
void add_to_abis(int abi[ABIS], int n, int first, int last);
// > 0 appends, c < 0 removes every -c; then only the first of each id stays.
void apply_pwr_changes(std::vector<int>& ids, const std::vector<int>& changes);
// Humans and half-elves take the build's key-ability bonus instead of fixed adjustments.
bool race_takes_key_abi(int race);
// The six adjustments a new character of the race gets: the race's own, or
// when race_takes_key_abi +2 on the bonus ability the player chose (an ABI_ id).
void race_abi_adj(int race, int bonus_abi, int out[ABIS]);
// The race's adjustments (bonus instead when race_takes_key_abi), then the
// race's and the class's powers.
void apply_race_cls(unit_t& u, const int bonus[ABIS]);
// Replaces the unit's equipment with the starting gear of its class, powers or build.
void give_start_eqpt(unit_t& u);
