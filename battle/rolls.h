#pragma once
// The d20 tests of the battle: the plain and the logged roll, the check a unit
// makes against an effect, the percent roll and the attack roll.
#include <cstdint>

#include "app/sentinels.h"

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
// False at once below 1; else rolls 1..100 and succeeds on exactly chance in 100
// (a roll above 100 - chance). The log line shows the roll against 100 - chance.
bool roll_pct(int chance, const wchar_t* ok_text, const wchar_t* fail_text);

// Target values, the total an attack must reach: these two, or a number.
constexpr int NO_TARGET = UNLIMITED;  // cannot be affected; as an attack bonus: no roll
constexpr int AUTO_HIT = -UNLIMITED;  // affected without a roll

// Result bits of roll_atk.
constexpr int ATK_HIT = 1;       // the effect applies
constexpr int ATK_MISS_DMG = 2;  // it applies as the damage of a miss
constexpr int ATK_CRIT = 4;
// flags: ATK_MISS_DMG the action deals damage on a miss, ATK_CRIT it can score a critical hit.
// A bonus of NO_TARGET or a defence of AUTO_HIT means no real roll: a hit.
int roll_atk(int bonus, int def, int flags, int crit_rng);

// The condition by its source, with no save (difficulty 0, CI_NO_ROLL, amount 0).
void add_cond_no_save(int cond, unit_t* src, unit_t* tgt);

// ---- defence values and uses ----

// The defence value cmd's attack must reach against tgt.
int tgt_def_value(const u_cmd_t& cmd, const unit_t* atk, const unit_t* tgt);
// Both UNLIMITED for a power not limited per battle.
int pwr_uses_max(const unit_t* u, int pwr);
int pwr_uses_left(const unit_t* u, int pwr);
// A power limited per battle counts one use.
void count_pwr_use(unit_t* u, const u_cmd_t& cmd);
bool is_wpn_atk_kind(int kind);
// The AI's weight of a unit, from its armour and hit points.
int64_t unit_threat_value(const unit_t* u);
int unit_class_weight(const unit_t* u);

// ---- pre-checks and costs of a command ----

constexpr int PC_CANCEL = 1;     // nothing happens, nothing is booked
constexpr int PC_NO_EFFECT = 2;  // booked, but without effect

// Whether the power provokes attacks of opportunity from u's threateners.
bool pwr_provokes(const unit_t* u, int pwr);
bool cmd_provokes(const unit_t* u, const u_cmd_t& cmd);
// Asks the player about provoking, lets the threateners strike; PC_* bits.
// A command the strikes leave without effect is logged with its reason, as
// a refused one, when its unit lives and the party saw it before or after.
int pre_check_cmd(unit_t* u, const u_cmd_t& cmd);
// Books the command's cost: a free command counts, flag 2 costs nothing, else spend_act_pts.
void finish_cmd(unit_t* u, const u_cmd_t& cmd);
// The action points of the command: a shift step is free but uses the move,
// "end_turn" takes all that is left, a full-round power the whole turn.
bool spend_act_pts(unit_t* u, const u_cmd_t& cmd);
