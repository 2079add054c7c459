#pragma once
// Carrying out a command: the action contexts (one object per command, on the
// stack of whoever carries it out), the action-point cost of a power, the
// recharge counters and the attacks of opportunity.
#include <cstdint>
#include <set>
#include <vector>

#include "app/types.h"

class act_t;
class unit_t;
struct atk_rec_t;
struct u_cmd_t;
struct zone_t;

// One context per command, on the stack of whoever carries the command out.
class act_ctx_base_t {
public:
    virtual ~act_ctx_base_t() = default;
    virtual bool run() = 0;
};

// Bits of act_ctx_t::flags.
constexpr uint32_t AF_CANCEL = 1;     // from the pre-checks: nothing happens, nothing is booked
constexpr uint32_t AF_NO_EFFECT = 2;  // booked, but without effect
constexpr uint32_t AF_FELL = 4;       // a target went from alive to below 1 hit point
constexpr uint32_t AF_PRONE = 8;      // a target that stood was knocked prone

// What lies on one cell for one attack record.
constexpr int TGT_UNIT = 1;    // a standing unit
constexpr int TGT_FALLEN = 2;  // a fallen unit
constexpr int TGT_ZONE = 3;
constexpr int TGT_CELL = 4;    // the bare cell

struct act_tgt_t {
    int kind = 0;  // TGT_
    pt_t pt;
    int value = 0;  // the total the attack must reach; AUTO_HIT or NO_TARGET
    unit_t* unit = nullptr;
    zone_t* zone = nullptr;
};

// The skeleton every action shares: find the cells, make the attack records,
// classify each cell and hand every target to record_result.
class act_ctx_t : public act_ctx_base_t {
public:
    unit_t* actor;
    const u_cmd_t* req;
    uint32_t flags = 0;
    const act_t* act;  // null when the command names a passive power
    int32_t atk_count = 0;
    bool labels = true;  // situation labels and outcome words for the tooltips; the AI's measure needs none

    act_ctx_t(unit_t* actor, const u_cmd_t* cmd);

    virtual void visit_targets(atk_rec_t& rec, const std::vector<pt_t>& cells);
    virtual void finish() {}
    virtual int classify_pt(atk_rec_t& rec, const pt_t& p);
    // The unit that what lands on p reaches: the first roster unit there.
    virtual unit_t* unit_on(const pt_t& p) const;
    // The zone lying on p as the action lands.
    virtual zone_t* zone_on(const pt_t& p) const;
    virtual void record_result(atk_rec_t&, act_tgt_t&) {}
    virtual void get_atk_situation(atk_rec_t& rec, unit_t* tgt, int def);

    // get_atks, the affected cells, slot 1 per record, then slot 2.
    void run_atks();
    // The zone variant visits its own cells whatever the area rules say.
    virtual bool visits_own_cells() const { return false; }
    // A ranged weapon attack over an area strikes only the seen foes it could aim at.
    void filter_rng_tgts(std::vector<pt_t>& cells);
    bool setup_unit_tgt(atk_rec_t& rec, const pt_t& p, unit_t* u);
    bool setup_zone_tgt(atk_rec_t& rec, const pt_t& p, zone_t* z);
};

// Carries a command out for real.
class do_act_t : public act_ctx_t {
public:
    struct result_t {
        unit_t* unit;
        int32_t hits;
    };
    unit_t* last_hit = nullptr;
    std::set<const unit_t*> rend_marks;  // keyed by the unit itself
    uint8_t shown = 0;
    uint8_t unseen = 0;
    zone_t* made_zone = nullptr;
    uint8_t chained = 0;
    uint8_t tgt_valid = 1;
    std::vector<result_t> results;
    bool cleave_result = false;  // what the cleave's own action answered
    bool seen_at_start = false;  // the player's side saw the actor as the action began
    bool nested = false;         // began with an enclosing action's text waiting in the log buffer

    do_act_t(unit_t* actor, const u_cmd_t* cmd) : act_ctx_t(actor, cmd) {}

    bool run() override;
    void visit_targets(atk_rec_t& rec, const std::vector<pt_t>& cells) override;
    void finish() override;
    int classify_pt(atk_rec_t& rec, const pt_t& p) override;
    void record_result(atk_rec_t& rec, act_tgt_t& t) override;
    virtual void log_header();

    void perform();
    // Writes the action's text so far to the log, or drops it unseen.
    void settle_log();
    int chain(atk_rec_t& rec, const pt_t& p);
    void note_result(unit_t* u, bool hit);
    bool after_effects();

    // The per-target outcome.
    void resolve_unit(atk_rec_t& rec, act_tgt_t& t);
    void resolve_other(atk_rec_t& rec, act_tgt_t& t);
    void deal_dmg(atk_rec_t& rec, int res, unit_t* tgt);
    void roll_dmg(atk_rec_t& rec, int res, unit_t* tgt);
    void hit_conds(atk_rec_t& rec, int res, unit_t* tgt);
    void rend(unit_t* tgt);
    void reflect_dmg();
    void counterattack();
};

// A zone's effect on the units on some of its cells.
class do_eff_area_t : public do_act_t {
public:
    zone_t* zone;
    std::vector<pt_t> cells;
    unit_t* entrant = nullptr;  // the unit stepping into the cells, if that is why the zone acts

    do_eff_area_t(unit_t* creator, const u_cmd_t* cmd, zone_t* z, const std::vector<pt_t>& cells)
        : do_act_t(creator, cmd), zone(z), cells(cells) {}

    bool run() override;
    void visit_targets(atk_rec_t& rec, const std::vector<pt_t>& cells) override;
    void get_atk_situation(atk_rec_t&, unit_t*, int) override {}
    void log_header() override;
    bool visits_own_cells() const override { return true; }
    unit_t* unit_on(const pt_t& p) const override;
};

// The zone's effect on the units on those of its cells; with an entrant, on
// that unit where it stands (a walk may pass through an ally's cell).
void run_zone_effect(zone_t* z, const std::vector<pt_t>& cells, unit_t* entrant = nullptr);

// The cure of conditions a healing hit brings.
void cure_cond(const atk_rec_t& rec, unit_t* tgt);

// ---- usability ----

// Why a unit may not use a power now, or a queued command may not run; USE_OK
// when it may. Cheap enough to ask for every button of the action bar.
enum use_why_t : int {
    USE_OK = 0,
    USE_NOT_ACT,      // no such power, or a passive one
    USE_NOT_HELD,     // neither a basic action nor one the unit holds
    USE_ABILITY,      // the casting ability is too low for the spell
    USE_RECHARGING,
    USE_SPENT,        // its uses in this battle are spent
    USE_NO_POINTS,
    USE_CANNOT_ACT,
    USE_GRAPPLED,     // held in a grapple, or holding one
    USE_NO_NEED,      // the condition it gives is there, or the one it removes is not
    USE_MOVED,        // the move of this turn is taken
    USE_CANNOT_MOVE,
    USE_WAITED,       // one wait a round
    USE_LAST_TO_ACT,  // nobody left in the round to wait behind
    USE_NO_SHIELD,
    USE_NO_WEAPON,
    USE_NO_TARGET,    // nobody asleep to wake, nobody fallen to raise
    USE_DEAD,         // the commands below are about the queue, not the power
    USE_NOT_TURN,
    USE_BAD_FLAGS,    // flags only the engine gives (free, no cost, provoked)
    USE_FELL,         // a walk's own attacks of opportunity laid its unit down
    USE_OUT_OF_REACH, // the ones below are about the aimed cell (aim_refusal)
    USE_LINE_BLOCKED,
    USE_NO_AIM,       // the unit's own cell for a blow or a burst, a wall it knows, off the map
};
int pwr_refusal(const unit_t* u, int pwr);
bool can_use_pwr(const unit_t* u, int pwr);
// pwr_refusal for a command from a player, the AI or forced behaviour: the
// unit must stand, hold the turn, send no flag reserved to the engine and aim
// at no cell its power skips (a blow never goes to its own cell).
int cmd_refusal(const unit_t* u, const u_cmd_t& cmd);
// Why the command's aim fails on the map as it is, where what the side has
// not explored or seen counts too; USE_OK when it holds or aims at nothing.
int true_aim_refusal(unit_t* u, const u_cmd_t& cmd);
// The reason as the battle log gives it.
const wchar_t* refusal_text(int why);
// "%s 无法使用 %s: why。" as a block of its own.
void log_refusal(const unit_t* u, int pwr, int why);

// The act_cost code of the power for u: "swap_wpn" is free (1) with "quick_draw";
// "end_turn" takes whatever is left, which act_cost_spend books.
int act_cost(const unit_t* u, int pwr);

// ---- recharge ----

// Both recharge counters 10 rounds since use, both waits 0.
void reset_cooldowns(unit_t* u);
// Each counter + 1, each wait - 1 down to 0: at every turn start.
void tick_cooldowns(unit_t* u);
void start_cooldown(unit_t* u, const act_t* a);
// Rounds before the action may be used again; 0 when it may.
int get_act_cooldown(const unit_t* u, const act_t* a);

// ---- attacks of opportunity ----

// u may still make an attack of opportunity this round: allowance left, its
// default attack the melee attack and nothing stops it threatening.
bool can_make_aoo(const unit_t* u);
// The adjacent enemies, other than exclude, that may still make an attack of
// opportunity on victim this round.
std::vector<unit_t*> threatening_units(const unit_t* victim, const unit_t* exclude);
bool is_threatened(const unit_t* u);
// Each threatening unit attacks victim with "atk_m" as a free command (flags | UCMD_FREE).
void provoke_aoos(unit_t* victim, const unit_t* exclude, int flags);
void do_aoo(unit_t* attacker, unit_t* victim, int flags);
// The AI's worth of the attacks of opportunity u would suffer.
int aoo_threat_score(unit_t* u);

// Hook for the AI's evaluation of one command (the AI installs it); null counts 0.
using eval_act_fn = int (*)(unit_t* u, const u_cmd_t& cmd);
void set_eval_act(eval_act_fn fn);
