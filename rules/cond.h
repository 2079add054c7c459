#pragma once
// Conditions: the table of lasting states a unit can hold, the instance record
// actions hand around, and the one entry point that applies one after immunity
// and the resistance roll.
#include <vector>

#include "app/sentinels.h"
#include "app/text_info.h"

class unit_t;

constexpr int COND_COUNT = 25;  // rows 0 to 24, row 0 empty
constexpr int COND_FOREVER = UNLIMITED;  // a duration that lasts until removed

class cond_t : public text_info_t {
public:
    int dur = 0;        // default duration in rounds; COND_FOREVER = until removed
    int def = 0;        // def enum row the target resists with; 0 none
    int flags = 0;      // condition-flag word, bits 0..5 read by u_conds_t
    int dmg_types = 0;  // damage-type mask dealt at the holder's turn start; 0 none
    int ai_pct = 0;     // worth to the AI in percent of the target's hit points
    int dis_rank = 0;   // disabling rank 0..9
};

// Bits of cond_inst_t::flags.
constexpr int CI_REMOVE = 1;
constexpr int CI_NO_ROLL = 2;

struct cond_inst_t {
    unit_t* src = nullptr;  // may be null: a condition nobody gave, or whose giver left
    int dc = 0;
    int id = 0;
    int dur = 0;            // rounds left; COND_FOREVER = until removed
    int flags = 0;
    int amt = 0;            // damage per turn of a damage-over-time condition
};

// Ids come from save files and actions: one outside 0..24 answers the empty row 0.
const cond_t* get_cond(int id);
// Its name, or empty: never null.
const wchar_t* cond_name(int id);

cond_inst_t& make_cond_inst(cond_inst_t& out, int id, unit_t* src, int dc, int flags, int amt);
cond_inst_t& make_cond_rm(cond_inst_t& out, int id);
void apply_cond(const cond_inst_t& inst, unit_t* tgt);

int get_cond_def(const unit_t* u, int id);
int get_cond_bonus(const unit_t* u, int id);
int get_cond_dc_bonus(const unit_t* actor, int id);
void upd_blood_rage(unit_t* u);

// Mind-affecting conditions: sleep, charm, mad, fear.
extern const std::vector<int> mind_cond_ids;

bool is_good_cond(int id);
bool cond_is_logged(int id);
bool cond_ticks_at_start(int id);
bool is_timed_cond(int id);
bool cond_ends_def(int id);
std::vector<int> cond_blockers(int id);
std::vector<int> cond_replaces(int id);
