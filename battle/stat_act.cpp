#include "battle/stat_act.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "app/geom.h"
#include "app/rnd.h"
#include "app/sentinels.h"
#include "battle/atk_rec.h"
#include "battle/damage.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/special.h"
#include "battle/summon.h"
#include "battle/target_area.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/zone.h"
#include "rules/cond_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {

constexpr double SUMMON_SCORE = UNLIMITED;

bool is_summon_pwr(int pwr) { return pwr == P_SUM || pwr == P_SUM_SPIDERS || pwr == P_MK_UD; }

// A zone of the same power (any web for a web) already lies on the cell.
bool zone_already_there(int pwr, const pt_t& p) {
    const zone_t* z = get_zone_at(p);
    if (!z) return false;
    return z->pwr == pwr || (is_web_pwr(pwr) && is_web_pwr(z->pwr));
}

// Worth to the actor of v (damage or condition points) with chance in percent.
double weigh(const unit_t* actor, const unit_t* tgt, int chance, double v) {
    if (v == 0) return 0;
    const double w = chance * v / 100.0;
    const bool hostile = tgt->btl.side != actor->btl.side && actor->btl.side != SIDE_NONE;
    const double mag = unit_class_weight(tgt) * std::fabs(w);
    return (w > 0) == hostile ? mag : -mag;
}

// A player-side unit under the computer's control leaves sleeping units be,
// but only while a foe of it is awake: with every foe asleep, ignoring them
// all left it nothing to do, and the battle could never end.
bool leaves_asleep(const unit_t* a, const unit_t* t) {
    if (a->btl.side != SIDE_PLAYER || !a->btl.ai || !t->conds.has(C_SLEEP)) return false;
    const auto& r = btl_roster();
    return std::any_of(r.begin(), r.end(), [&](const unit_t* v) { return units_are_enemies(a, v) && !v->conds.has(C_SLEEP); });
}

double hit_score(const stat_act_t& c, const stat_tgt_t& e, const stat_hit_t& h) {
    if (h.dmg.empty() && h.conds.empty()) return 0;
    if (zone_already_there(c.act->id, e.tgt.pt)) return 0;
    const unit_t* t = e.tgt.unit;
    if (!t) return 0;
    const unit_t* a = c.actor;
    if (leaves_asleep(a, t)) return 0;
    return weigh(a, t, h.chance, expected_dmg(h.dmg, t)) + weigh(a, t, h.chance, cond_score(h.conds, t));
}

double score_of(const stat_act_t& c) {
    double total = 0;
    const int pwr = c.act ? c.act->id : 0;
    for (const auto& [p, e] : c.tgts) {
        if (!is_pt_visible_for(p, c.actor)) continue;
        for (const stat_hit_t& h : e.hits) {
            if (is_summon_pwr(pwr)) {
                if (count_summons(c.actor, pwr) < summon_limit(pwr)) total += SUMMON_SCORE;
                continue;
            }
            total += hit_score(c, e, h);
        }
    }
    return total;
}

// The chance, damage and outcome texts of the tooltip for one entry.
struct tip_parts_t {
    Str chance, dmg;
};

tip_parts_t tip_parts(const stat_tgt_t& e) {
    tip_parts_t t;
    for (const stat_hit_t& h : e.hits) {
        t.chance.append_format(L"%d<f=4>%%</f>/", h.chance);
        if (!h.dmg.empty()) t.dmg.append_format(L"%s/", dmg_list_text(h.dmg, 0));
    }
    for (Str* s : {&t.chance, &t.dmg})
        if (!s->empty()) s->drop_back(1);
    return t;
}

void tip_area_line(Str& text, const stat_tgt_t& e, wchar_t clr) {
    const tip_parts_t t = tip_parts(e);
    if (e.tgt.unit)
        text.append_format(L"%s: ", unit_caption(e.tgt.unit));
    else if (e.tgt.zone)
        text.append_format(L"<c=y>%s</c>区域: ", pwr_name(e.tgt.zone->pwr));
    text.append_format(L"<r>%s", t.chance);
    if (!t.dmg.empty()) text.append_format(L", <c=%c>%s</c>", clr, t.dmg);
    if (!e.outcome.empty()) text.append_format(L", %s", e.outcome);
    text.append(L"</r>\n");
}

void tip_single_line(Str& text, const stat_tgt_t& e, wchar_t clr, const wchar_t* label) {
    const tip_parts_t t = tip_parts(e);
    text.append_format(L"<f=b7>%s</f><c=a> 命中</c>", t.chance);
    if (!t.dmg.empty()) text.append_format(L"\n<f=b7 c=%c>%s</f><c=a> %s</c>", clr, t.dmg, label);
    if (!e.outcome.empty()) text.append_format(L"\n<b>%s</b>", e.outcome);
    text.append(L"\n");
    if (!e.sit.empty()) text.append(e.sit.c_str());
}

Str chance_label(int chance) { return Str(L"<f=b7 shadow>%d<f=n4>%%", chance); }

// The attacks of opportunity are priced by this evaluation; an attack's worth
// is far inside int, so the hook's narrower result loses nothing.
int eval_for_aoo(unit_t* u, const u_cmd_t& cmd) {
    int64_t s = 0;
    eval_act(u, cmd, &s);
    return int(std::clamp<int64_t>(s, INT32_MIN, INT32_MAX));
}
const bool aoo_hook_set = (set_eval_act(eval_for_aoo), true);

}  // namespace

int32_t d20_chance(int32_t bonus, int32_t value) {
    if (bonus == NO_TARGET || value == AUTO_HIT) return 100;
    const int64_t b = bonus, v = value;  // a bonus near the sentinels must not wrap
    if (b + 1 >= v) return 95;
    if (b + 20 >= v) return int32_t((b - v + 21) * 5);
    return 5;
}

stat_act_t::stat_act_t(unit_t* actor, const u_cmd_t* cmd) : act_ctx_t(actor, cmd) {
    if (act && act->zone_dur != 0) laid_ = zone_t{actor, 0, act->id, act->zone_dur, {}};
}

zone_t* stat_act_t::zone_on(const pt_t& p) const { return laid_ ? &*laid_ : act_ctx_t::zone_on(p); }

void stat_act_t::get_atk_situation(atk_rec_t& rec, unit_t* tgt, int def) {
    if (!laid_) act_ctx_t::get_atk_situation(rec, tgt, def);
}

bool stat_act_t::run() {
    if (!act) return true;  // a passive power reaches nothing
    plan_rnd_t plan;        // the records' own draws must not move the battle's generator
    run_atks();
    return true;
}

void stat_act_t::record_result(atk_rec_t& rec, act_tgt_t& t) {
    if (!is_pt_visible_for(t.pt, actor)) return;
    auto [it, made] = tgts.try_emplace(t.pt);
    stat_tgt_t& e = it->second;
    if (made) e.tgt = t;
    stat_hit_t& h = e.hits.emplace_back();
    h.chance = d20_chance(rec.atk, t.value);
    if (t.kind == TGT_UNIT) {
        h.dmg = rec.dmg;
        h.conds = rec.conds;
        h.effs = rec.effs;
        if (e.sit.empty()) e.sit = rec.sit_tip;
    }
    if (labels) e.outcome = special_result_text(act->id, t.kind, actor, t.unit, t.zone);
}

double cond_score(const std::vector<cond_inst_t>& conds, const unit_t* tgt) {
    double sum = 0;
    for (const cond_inst_t& ci : conds) {
        if (tgt->imm_cond(ci.id)) continue;
        const cond_t* row = get_cond(ci.id);
        const bool removal = ci.flags & CI_REMOVE;
        if (!removal && row->dis_rank) {
            bool worse_held = false;
            for (const auto& [id, held] : tgt->conds.map) worse_held |= get_cond(id)->dis_rank >= row->dis_rank;
            if (worse_held) continue;
        }
        double v = double(tgt->hp) * row->ai_pct / 100.0;
        if (ci.dc != NO_TARGET) v = v * d20_chance(ci.dc, get_cond_def(tgt, ci.id)) / 100.0;
        sum += removal ? -v : v;
    }
    return sum;
}

bool act_may_score(unit_t* u, const u_cmd_t& cmd) {
    if (is_summon_pwr(cmd.pwr) || cmd.pwr == P_RESURRECT) return true;
    std::vector<pt_t> cells;
    // No seen unit within the radius of the aim, or among the candidates of
    // another area: none in the area either, without its line tests.
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(cmd.pwr));
    const int area = a ? a->get_area(u) : -1;
    if (area >= 0) {
        const int64_t r2 = int64_t(area) * area;
        const auto& roster = btl_roster();
        if (std::none_of(roster.begin(), roster.end(), [&](const unit_t* v) {
                const int64_t dx = v->pos.x - cmd.tgt.x, dy = v->pos.y - cmd.tgt.y;
                return dx * dx + dy * dy <= r2 && is_pt_visible_for(v->pos, u);
            }))
            return false;
    } else if (act_area_cands(u, cmd.pwr, cmd.tgt, &cells)) {
        const auto& roster = btl_roster();
        const bool any = std::any_of(cells.begin(), cells.end(), [&](const pt_t& p) {
            return std::any_of(roster.begin(), roster.end(), [&](const unit_t* v) { return v->pos == p; }) &&
                   is_pt_visible_for(p, u);
        });
        if (!any) return false;
    }
    if (!get_act_area_pts(u, cmd.pwr, cmd.tgt, &cells)) return false;
    for (const pt_t& p : cells)
        if (get_unit_at(p) && is_pt_visible_for(p, u)) return true;
    return false;
}

bool eval_act(unit_t* u, const u_cmd_t& cmd, int64_t* score) {
    stat_act_t c(u, &cmd);
    c.labels = false;  // the score reads no label
    c.run();
    *score = int64_t(score_of(c));
    return true;
}

aim_scorer_t::aim_scorer_t(unit_t* u, int pwr)
    : u_(u), cmd_{.pwr = pwr, .param = 0, .tgt = {-1, -1}, .flags = 0}, ctx_(u, &cmd_) {
    ctx_.labels = false;
    const tmap_t* m = get_btl_map();
    full_ = !ctx_.act || !m || is_summon_pwr(pwr);
    if (full_) return;
    map_ = {0, 0, m->get_w(), m->get_h()};
    idx_.assign(size_t(map_.w) * size_t(map_.h), -1);
    for (const unit_t* v : btl_roster())
        if (is_pt_visible_for(v->pos, u)) seen_units_.push_back(v->pos);
    std::sort(seen_units_.begin(), seen_units_.end());
    seen_units_.erase(std::unique(seen_units_.begin(), seen_units_.end()), seen_units_.end());
    make_recs();
    // Most aims of a radius reach no unit, which a map of the cells near one
    // tells at once.
    area_ = ctx_.act->get_area(u);
    burst_ = area_ == AREA_BURST;
    if (area_ < 0) return;
    near_.assign(idx_.size(), 0);
    for (const pt_t& c : seen_units_)
        for_each_cell_in_radius(c, area_, [&](const pt_t& p) { return near_[cell_no(p)] = 1, true; }, 0, &map_);
}

aim_scorer_t::~aim_scorer_t() = default;

bool aim_scorer_t::may_score(const pt_t& at) const {
    if (full_) return true;
    if (!near_.empty()) return map_.contains(at) && near_[cell_no(at)];
    rect box;
    if (!act_area_box(u_->pos, area_, at, &box)) return !seen_units_.empty();
    return std::any_of(seen_units_.begin(), seen_units_.end(), [&](const pt_t& p) { return box.contains(p); });
}

size_t aim_scorer_t::cell_no(const pt_t& p) const { return size_t(p.y) * size_t(map_.w) + size_t(p.x); }

int64_t eval_aim(unit_t* u, const u_cmd_t& cmd) {
    int64_t s = 0;
    if (act_may_score(u, cmd)) eval_act(u, cmd, &s);
    return s;
}

void aim_scorer_t::make_recs() {
    plan_rnd_t plan;
    const uint32_t before = rnd_get_state();
    get_atks(recs_, u_, cmd_.pwr, cmd_.flags);
    if (rnd_get_state() != before) {
        // Records that draw differ from one measure to the next; this look
        // must not count as a draw.
        rnd_set_state(before);
        full_ = true;
    }
}

int64_t aim_scorer_t::score(const pt_t& at) {
    cmd_.tgt = at;
    if (full_) return eval_aim(u_, cmd_);
    if (!may_score(at)) return 0;
    if (same_for_every_aim() && burst_score_) return *burst_score_;
    // eval_act keeps one entry a cell and adds them by x, then y; cells
    // without a unit add nothing.
    if (!act_area_pick(u_, cmd_.pwr, at, seen_units_, &picked_)) return eval_aim(u_, cmd_);
    ctx_.filter_rng_tgts(picked_);
    double total = 0;
    for (const pt_t& p : picked_)
        for (double h : cell_hits(p)) total += h;
    if (same_for_every_aim()) burst_score_ = int64_t(total);
    return int64_t(total);
}

const std::vector<double>& aim_scorer_t::cell_hits(const pt_t& p) {
    static const std::vector<double> none;
    if (!map_.contains(p)) return none;
    int& i = idx_[cell_no(p)];
    if (i >= 0) return hits_[size_t(i)];
    ctx_.tgts.clear();
    {
        plan_rnd_t plan;
        for (atk_rec_t& r : recs_) ctx_.classify_pt(r, p);
    }
    std::vector<double> v;
    const auto it = ctx_.tgts.find(p);
    if (it != ctx_.tgts.end() && is_pt_visible_for(p, u_))
        for (const stat_hit_t& h : it->second.hits) v.push_back(hit_score(ctx_, it->second, h));
    sums_t sums;
    for (double h : v) {
        sums.gain += std::max(h, 0.0);
        sums.size += std::fabs(h);
    }
    i = int(hits_.size());
    hits_.push_back(std::move(v));
    sums_.push_back(sums);
    return hits_.back();
}

aim_scorer_t::sums_t aim_scorer_t::cell_sums(const pt_t& p) {
    if (!map_.contains(p)) return {};
    cell_hits(p);
    return sums_[size_t(idx_[cell_no(p)])];
}

bool aim_scorer_t::scores_below(const pt_t& at, int64_t need) {
    if (full_ || need <= 0) return false;
    rect box;
    const bool boxed = act_area_box(u_->pos, area_, at, &box);
    const int64_t r2 = int64_t(area_) * area_;
    sums_t all;
    for (const pt_t& p : seen_units_) {
        const int64_t dx = p.x - at.x, dy = p.y - at.y;
        if (area_ >= 0 ? dx * dx + dy * dy > r2 : boxed && !box.contains(p)) continue;
        const sums_t c = cell_sums(p);
        all.gain += c.gain;
        all.size += c.size;
    }
    // The score adds some of these hits and what hurts too, in another order:
    // a margin far above the rounding of such sums keeps the answer sure.
    return all.gain + all.size * 1e-9 + 1e-6 < double(need);
}

void stat_act_hit_labels(unit_t* u, const u_cmd_t& cmd, std::vector<hit_label_t>* out) {
    stat_act_t c(u, &cmd);
    c.run();
    for (const auto& [p, e] : c.tgts)
        if (e.tgt.unit && is_fit_target(cmd.pwr, u, e.tgt.unit) && !e.hits.empty())
            out->push_back({p.x, p.y, chance_label(e.hits[0].chance)});
}

void stat_act_tip(unit_t* u, const u_cmd_t& cmd, std::vector<hit_label_t>* labels, Str& text) {
    stat_act_t c(u, &cmd);
    c.run();
    text = pwr_heading(cmd.pwr);
    if (c.tgts.empty()) {
        text.append_format(L"<c=a>%s</c>", L"无效目标");
        return;
    }
    const bool heal = is_heal_pwr(cmd.pwr);
    const wchar_t clr = heal ? L'g' : L'r';
    const bool area = c.act && c.act->get_area(u) != 0;
    for (const auto& [p, e] : c.tgts) {
        if (area)
            tip_area_line(text, e, clr);
        else
            tip_single_line(text, e, clr, heal ? L"治愈" : L"伤害");
        if (!e.hits.empty()) labels->push_back({p.x, p.y, chance_label(e.hits[0].chance)});
    }
    if (area) text.drop_back(1);
}
