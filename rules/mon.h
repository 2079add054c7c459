#pragma once
// Monster templates: what sets a monster apart from a plain member of its race
// (rank, build, class tier, ability adjustments, powers, gear), and the columns
// the encounter generator chooses by (role, family, companions, levels).
#include <vector>

#include "app/text_info.h"

constexpr int MON_COUNT = 120;  // rows 0 to 119, row 0 empty
constexpr int MON_FAMILIES = 25;

// The class a monster takes (mon_t::cls_tier): class "no", the monster tier of
// the build's class (fighter to warrior, ...), or the build's class itself.
enum mon_cls_tier_e : int { MON_CLS_NONE = 0, MON_CLS_RAISED = 1, MON_CLS_BUILD = 2 };

class mon_t : public text_info_t {
public:
    int rank = 0;      // urank_t id: 1 normal, 2 elite, 3 solo, 4 minion
    int race = 0;
    int role = 0;      // 1..4, asked for as bit 1 << role of a mask
    int cls_tier = 0;  // MON_CLS_
    int bld = 0;       // u_bld_t id
    int gear = 0;      // eqpts_t::set_gear flags
    int abis[6] = {};  // added after race and class, Str .. Cha
    std::vector<int> pwrs;  // added after the race's; -p removes p
    std::vector<int> itms;  // 1..26 are natural attacks
    int family = 0;    // 1..25
    int joins = 0;     // bit f: may join family f as a companion
    int min_lv = 0;
    int max_lv = 0;    // UNLIMITED in every row

    // Support builds (healer, war priest, controller, summoner) and elites.
    bool is_sup_or_elite() const;
};

// Row id; ids come from the encounter data and save files, so one outside the
// table answers the empty row 0.
const mon_t& get_mon(int id);
