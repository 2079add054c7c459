#pragma once
// The d20 tests of the battle: the plain and the logged roll, the check a unit
// makes against an effect, the percent roll and the attack roll.
#include <cstdint>

class Str;
class unit_t;
struct u_cmd_t;

// One d20 roll as the battle shows it.
struct roll_t {
    int32_t roll = 0;    // the number on the die
    int32_t mod = 0;     // the signed bonus added to it
    int32_t target = 0;  // the number the total must reach
    // "<c=y>roll</c> +|- |mod| vs target".
    Str& get_text(Str& out) const;
};

// A natural 20 succeeds, a natural 1 fails, else d20 + bonus >= dc. Nothing logged.
bool roll_d20_vs(int32_t bonus, int32_t dc);
// The same rule; stores the die in *roll (when given) and logs the roll line.
bool roll_d20_log(int bonus, int dc, int* roll);
// Logs "<name>检定: ", then roll_d20_log; a failure floats "抵抗<name>" over the unit.
bool roll_unit_check(const wchar_t* name, unit_t* u, int bonus, int dc);
// False at once below 1; else rolls 1..100 and succeeds at 100 - chance or more.
bool roll_pct(int chance, const wchar_t* ok_text, const wchar_t* fail_text);

// Result bits of roll_atk.
constexpr int ATK_HIT = 1;       // the effect applies
constexpr int ATK_MISS_DMG = 2;  // it applies as the damage of a miss
constexpr int ATK_CRIT = 4;
// flags: 2 the action deals damage on a miss, 4 it can score a critical hit.
// A bonus of 1000000000 or a defence of -1000000000 means no real roll: a hit.
int roll_atk(int bonus, int def, int flags, int crit_rng);

// The condition by its source, with no save (difficulty 0, flags 2, amount 0).
void add_cond_no_save(int cond, unit_t* src, unit_t* tgt);

// Books a command's cost: flags 2 nothing, 1 a free command (counted), 8 a
// shift step (no points, but the move is used); else the power's action cost,
// the move marking the turn's move.
bool spend_act_pts(unit_t* u, const u_cmd_t& cmd);
