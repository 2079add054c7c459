#pragma once
// Hit statistics: an action measured exactly as it would be carried out (same
// attack records, cells, classification and situation modifiers) without
// changing anything. The AI scores commands with it, the battle scene shows
// its per-cell chances and the action tooltip.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "app/str.h"
#include "battle/act_ctx.h"
#include "battle/zone.h"
#include "rules/cond.h"
#include "rules/dmg.h"
#include "rules/eff.h"
#include "rules/u_cmd.h"

// What one attack record would bring to one cell.
struct stat_hit_t {
    int32_t chance = 0;  // percent
    dmg_list_t dmg;      // unit targets only, as are the two lists below
    std::vector<cond_inst_t> conds;
    std::vector<int_pair_t> effs;
};

struct stat_tgt_t {
    act_tgt_t tgt;  // of the first attack that reached the cell
    std::vector<stat_hit_t> hits;
    Str sit;      // the first situation labels met
    Str outcome;  // the special outcome's word
};

// A cast that lays a zone strikes nothing itself: the zone's first effect
// does, finding the new zone on its cells and applying no situation
// modifiers. Such a cast is measured as that effect will act, so the chances
// shown are the ones rolled.
class stat_act_t : public act_ctx_t {
public:
    std::map<pt_t, stat_tgt_t> tgts;  // ordered by x, then y

    stat_act_t(unit_t* actor, const u_cmd_t* cmd);
    bool run() override;
    zone_t* zone_on(const pt_t& p) const override;
    void record_result(atk_rec_t& rec, act_tgt_t& t) override;
    void get_atk_situation(atk_rec_t& rec, unit_t* tgt, int def) override;

private:
    mutable std::optional<zone_t> laid_;  // the zone the cast lays, found on every cell it strikes
};

struct hit_label_t {
    int32_t x = 0, y = 0;
    Str label;
};

// Percent, 5 to 95 in steps of 5, or 100 when no roll is made.
int32_t d20_chance(int32_t bonus, int32_t value);
// The command's worth to u; 64-bit because a summon alone scores UNLIMITED.
bool eval_act(unit_t* u, const u_cmd_t& cmd, int64_t* score);
// What the AI counts for a command: eval_act's score where act_may_score
// allows it, else 0.
int64_t eval_aim(unit_t* u, const u_cmd_t& cmd);
// False only when eval_act would score 0: no seen unit in the area and no
// summoning or raising. A cheap test that spares the AI the full measure.
bool act_may_score(unit_t* u, const u_cmd_t& cmd);
// eval_act for one power of u aimed at many cells while u stays where it is:
// the attack records are made once, and what they bring to one cell is worked
// out once however many aims cover it. The scores are eval_act's to the bit.
// A power whose records draw from the generator, or that summons, is measured
// in full for every aim, so that planning draws stay as many as they were.
// Only cells holding a seen unit can score, so only those are looked at.
class aim_scorer_t {
public:
    aim_scorer_t(unit_t* u, int pwr);
    ~aim_scorer_t();
    aim_scorer_t(const aim_scorer_t&) = delete;
    aim_scorer_t& operator=(const aim_scorer_t&) = delete;
    // What the AI counts for the aim: 0 where act_may_score says no, else eval_act's score.
    int64_t score(const pt_t& at);
    // The scores of a power measured in full are not foretold.
    bool foretells() const { return !full_; }
    // False only when the aim surely scores 0.
    bool may_score(const pt_t& at) const;
    // Every aim scores the same.
    bool same_for_every_aim() const { return !full_ && burst_; }
    // The aim surely scores below need: all that helps within its area's
    // bounds, counted without the line tests, falls short.
    bool scores_below(const pt_t& at, int64_t need);

private:
    size_t cell_no(const pt_t& p) const;
    void make_recs();
    // The worth of each hit on the cell, in the order eval_act adds them.
    const std::vector<double>& cell_hits(const pt_t& p);
    struct sums_t {
        double gain = 0;  // the hits on a cell that count for the unit
        double size = 0;  // every hit, whichever way it counts
    };
    sums_t cell_sums(const pt_t& p);

    unit_t* u_;
    u_cmd_t cmd_;
    stat_act_t ctx_;
    bool full_ = false;
    int area_ = 0;
    bool burst_ = false;  // the area is a burst around the user
    std::optional<int64_t> burst_score_;
    std::vector<atk_rec_t> recs_;
    std::vector<pt_t> seen_units_;  // the cells of the seen units, by x, then y
    rect map_;
    std::vector<int> idx_;      // per map cell: into hits_, -1 not worked out yet
    std::vector<uint8_t> near_;  // per map cell: a seen unit within the radius; empty for other areas
    std::vector<std::vector<double>> hits_;
    std::vector<sums_t> sums_;  // beside hits_
    std::vector<pt_t> picked_;
};

// The overlay's labels: fit unit targets only.
void stat_act_hit_labels(unit_t* u, const u_cmd_t& cmd, std::vector<hit_label_t>* out);
void stat_act_tip(unit_t* u, const u_cmd_t& cmd, std::vector<hit_label_t>* labels, Str& text);
// The expected worth of the conditions to tgt, in hit points.
double cond_score(const std::vector<cond_inst_t>& conds, const unit_t* tgt);
