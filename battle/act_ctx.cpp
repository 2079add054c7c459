#include "battle/act_ctx.h"

// Sections: carrying out an action; the common driver and the classification
// of cells; the do_act_t slots; the zone variant; after-effects; usability;
// cost and recharge; attacks of opportunity.

#include <algorithm>

#include "app/db.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/atk_rec.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/move_search.h"
#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/simple_act.h"
#include "battle/special.h"
#include "battle/target_area.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/zone.h"
#include "rules/cls_ids.h"
#include "rules/cond_ids.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
const act_t* as_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

void drop_log_buf() { *log_cur_buf() = Str(); }

// u may aim the power at the cell on the map as it is, not as its side knows it.
bool aims_in_truth(unit_t* u, int pwr, const pt_t& at) {
    std::vector<pt_t> pts;
    set_fog_in_search(false);
    get_act_tgt_pts(u, pwr, &pts);
    set_fog_in_search(true);
    return contains(pts, at);
}
}  // namespace

act_ctx_t::act_ctx_t(unit_t* actor, const u_cmd_t* cmd) : actor(actor), req(cmd), act(as_act(cmd->pwr)) {}

// ---- carrying out an action ----

bool do_act_t::run() {
    if (!act) return false;
    // Judged before the action: a blow that fells the side's last member took
    // its sight with it, yet the side saw the blow struck.
    seen_at_start = is_pt_visible(actor->pos);
    nested = !log_cur_buf()->empty();
    tgt_valid = aims_in_truth(actor, act->id, req->tgt);
    // An attack of opportunity provokes none in turn: two unarmed units would
    // otherwise strike each other without end, the allowance being booked
    // only once an attack is finished.
    if (!(req->flags & UCMD_FREE)) flags |= uint32_t(pre_check_cmd(actor, *req));
    if (flags & AF_CANCEL) return false;
    if (!(flags & AF_NO_EFFECT)) perform();
    finish_cmd(actor, *req);
    start_cooldown(actor, act);
    count_pwr_use(actor, *req);
    const bool res = (flags & AF_NO_EFFECT) ? false : after_effects();
    settle_log();
    return res;
}

void do_act_t::settle_log() {
    // An unseen actor's action is told when a target record fell on a cell the
    // side sees (a zone laid is none): the banner names the actor, and a member
    // hurt or felled must have its line.
    const bool reached_seen = shown && act->zone_dur == 0;
    if (seen_at_start || is_pt_visible(actor->pos) || reached_seen) log_flush();
    // A cleave or a counterattack is written or dropped with the action it
    // follows, which may have felled a member the side saw.
    else if (!nested) drop_log_buf();
}

void do_act_t::log_header() {
    if (act->id >= P_BASIC_FIRST && act->id <= P_BASIC_LAST)
        log_cur_buf()->append_format(L"%s %s ", unit_disp_name(actor), pwr_name(act->id));
    else
        log_cur_buf()->append_format(L"%s 施放 <c=key>%s</c>: ", unit_disp_name(actor), pwr_name(act->id));
}

void do_act_t::perform() {
    log_header();
    cur_scene()->on_act_start(actor, req);
    const int cls = actor->base.cls;
    if ((cls == CLS_WIZARD || cls == CLS_SHAMAN) && act->school != 0 && actor->drv.asf != 0 &&
        !roll_pct(100 - actor->drv.asf, L"<c=a>施法成功</c>", L"<c=r>施法失败</c>")) {
        flags |= AF_NO_EFFECT;
        cur_scene()->on_act_end(actor, req);
        return;
    }
    // These have no attack visual to carry their sound.
    const int id = act->id;
    if (id == P_MK_UD || id == P_DISPEL || id == P_TELEPORT || id == P_RESURRECT)
        btl_sfx(Str(L"pwr_%s", or_empty(act->k)));
    run_atks();
    cur_scene()->on_act_end(actor, req);
}

// ---- the common driver and the classification of cells ----

void act_ctx_t::run_atks() {
    std::vector<atk_rec_t> recs;
    get_atks(recs, actor, act->id, req->flags);
    atk_count = int32_t(recs.size());
    std::vector<pt_t> cells;
    if (get_act_area_pts(actor, act->id, req->tgt, &cells) || visits_own_cells()) {
        filter_rng_tgts(cells);
        for (atk_rec_t& r : recs) visit_targets(r, cells);
    }
    finish();
}

void act_ctx_t::filter_rng_tgts(std::vector<pt_t>& cells) {
    if (act->atk != ATK_RANGE || act->get_area(actor) == 0) return;
    std::vector<pt_t> aim;
    get_act_tgt_pts(actor, act->id, &aim);
    std::vector<pt_t> kept;
    for (const pt_t& p : cells) {
        const unit_t* u = get_unit_at(p);
        if (!u || u->btl.side == actor->btl.side || u->btl.side == SIDE_NONE) continue;
        if (is_pt_visible_to_side(p, actor->btl.side) && contains(aim, p)) kept.push_back(p);
    }
    cells = std::move(kept);
}

void act_ctx_t::visit_targets(atk_rec_t& rec, const std::vector<pt_t>& cells) {
    for (const pt_t& p : cells) classify_pt(rec, p);
}

unit_t* act_ctx_t::unit_on(const pt_t& p) const { return get_unit_at(p); }

zone_t* act_ctx_t::zone_on(const pt_t& p) const { return get_zone_at(p); }

int act_ctx_t::classify_pt(atk_rec_t& rec, const pt_t& p) {
    unit_t* u = unit_on(p);
    zone_t* z = zone_on(p);
    if (z && act->atk == ATK_MELEE && is_web_pwr(z->pwr)) {
        if (u && u->btl.side != actor->btl.side && actor->btl.side != SIDE_NONE) setup_unit_tgt(rec, p, u);
        else setup_zone_tgt(rec, p, z);
        return 1;
    }
    int n = 0;
    if (u && setup_unit_tgt(rec, p, u)) ++n;
    for (unit_t* f : fallen_units_at(p)) {
        const int v = fallen_tgt_value(act->id, actor, f);
        if (v == NO_TARGET) continue;
        act_tgt_t t{TGT_FALLEN, p, v, f, nullptr};
        record_result(rec, t);
        ++n;
        break;
    }
    // What happened to the unit or the body may have burnt or cleared the zone.
    z = zone_on(p);
    if (z && setup_zone_tgt(rec, p, z)) ++n;
    if (u) return n;
    const tmap_t* map = get_btl_map();
    if (map && map->get_pass1(p.x, p.y) == PASS_BLOCK) return n;
    const int v = ground_value(act->id, p);
    if (v == NO_TARGET) return n;
    act_tgt_t t{TGT_CELL, p, v, nullptr, nullptr};
    record_result(rec, t);
    return n + 1;
}

bool act_ctx_t::setup_unit_tgt(atk_rec_t& rec, const pt_t& p, unit_t* u) {
    const int def = tgt_def_value(*req, actor, u);
    if (def == NO_TARGET) return false;
    act_tgt_t t{TGT_UNIT, p, def, u, nullptr};
    // The situation of one target must never reach the next.
    atk_rec_t copy = rec;
    get_atk_situation(copy, u, def);
    record_result(copy, t);
    return true;
}

bool act_ctx_t::setup_zone_tgt(atk_rec_t& rec, const pt_t& p, zone_t* z) {
    const int v = zone_tgt_value(actor, act->id, &rec, z);
    if (v == NO_TARGET) return false;
    act_tgt_t t{TGT_ZONE, p, v, nullptr, z};
    record_result(rec, t);
    return true;
}

// ---- the do_act_t slots ----

void do_act_t::visit_targets(atk_rec_t& rec, const std::vector<pt_t>& cells) {
    cur_scene()->on_atk_visual(this, &rec, cells);
    if (act->zone_dur == 0) {
        act_ctx_t::visit_targets(rec, cells);
        return;
    }
    if (!tgt_valid) return;
    made_zone = create_zone(actor, req, cells);
    shown = 1;
}

int do_act_t::classify_pt(atk_rec_t& rec, const pt_t& p) {
    const int n = act->id == P_LITN_X ? chain(rec, p) : act_ctx_t::classify_pt(rec, p);
    if (!is_pt_visible(p)) unseen = 1;
    if (n > 0 && act->atk == ATK_RANGE && rec.wpn) actor->eqpts.spend_ammo(*rec.wpn);
    return n;
}

int do_act_t::chain(atk_rec_t& rec, const pt_t& p) {
    std::vector<pt_t> visited;
    pt_t cur = p;
    int total = 0;
    for (int j = 0; j < 4; ++j) {
        chained = j > 0;
        const int n = act_ctx_t::classify_pt(rec, cur);
        if (n == 0) break;
        total += n;
        visited.push_back(cur);
        const unit_t* next = nullptr;
        int best = 10;
        for (const unit_t* v : btl_roster()) {
            const int d = unit_sq_dist(v->pos, cur);
            if (d < best && !contains(visited, v->pos)) best = d, next = v;
        }
        if (!next) break;
        cur = next->pos;
    }
    chained = 0;
    return total;
}

void do_act_t::record_result(atk_rec_t& rec, act_tgt_t& t) {
    if (!tgt_valid) return;
    if (is_pt_visible(t.pt)) shown = 1;
    else set_btl_feedback(false);
    // A jump of a chain opens its line here, not before it is known to strike:
    // one out of sight, or one that found nothing, left an empty line.
    if (atk_count > 1 || act->get_area(actor) != 0 || act->id == P_LITN_X) log_cur_buf()->append(L"\n    ");
    if (t.kind == TGT_UNIT) resolve_unit(rec, t);
    else resolve_other(rec, t);
    set_btl_feedback(true);
}

void do_act_t::note_result(unit_t* u, bool hit) {
    for (result_t& r : results)
        if (r.unit == u) {
            if (hit) ++r.hits;
            return;
        }
    results.push_back({u, hit ? 1 : 0});
}

void do_act_t::finish() {
    if (shown) return;
    log_cur_buf()->append_format(L"<c=a>%s</c>%s", unseen ? L"未知结果" : L"无效目标", lang_dot);
}

// ---- the zone variant ----

void do_eff_area_t::log_header() { log_cur_buf()->append_format(L"<c=key>%s</c> %s: ", pwr_name(act->id), L"区域"); }

bool do_eff_area_t::run() {
    if (!act) return false;
    // The text of an action still being written (a walk into the zone) waits
    // aside, so the zone's lines cannot wipe it.
    Str pending(std::move(*log_cur_buf()));
    drop_log_buf();
    log_header();
    cur_scene()->on_act_start(actor, req);
    run_atks();
    cur_scene()->on_act_end(actor, req);
    if (shown) log_flush();
    else drop_log_buf();
    *log_cur_buf() = std::move(pending);
    return true;
}

void do_eff_area_t::visit_targets(atk_rec_t& rec, const std::vector<pt_t>&) { act_ctx_t::visit_targets(rec, cells); }

// A unit walking through an ally's cell shares it for a moment: what it steps
// into is its own, not the ally's, who stood there all along.
unit_t* do_eff_area_t::unit_on(const pt_t& p) const {
    if (entrant && entrant->pos == p) return entrant->hp > 0 ? entrant : nullptr;
    return act_ctx_t::unit_on(p);
}

void run_zone_effect(zone_t* z, const std::vector<pt_t>& cells, unit_t* entrant) {
    if (!z || !z->creator) return;
    const u_cmd_t cmd{.pwr = z->pwr, .param = 0, .tgt = z->creator->pos, .flags = UCMD_NO_ANI};
    do_eff_area_t ctx(z->creator, &cmd, z, cells);
    ctx.entrant = entrant;
    ctx.run();
}

// ---- after-effects ----

namespace {
bool try_cleave(do_act_t& c) {
    unit_t* a = c.actor;
    const bool trigger = (c.flags & AF_FELL) || ((c.flags & AF_PRONE) && a->has_pwr(P_CLEAVE_KO));
    if (!trigger || !a->has_pwr(P_CLEAVE)) return false;
    if ((a->btl.turn_flags & TF_CLEAVED) && !a->has_pwr(P_CLEAVE_X)) return false;
    const std::vector<unit_t*> foes = enemies_in_area(a, P_ATK_M);
    if (foes.empty()) return false;
    a->btl.turn_flags |= TF_CLEAVED;
    log_cur_buf()->append_format(L"\n    %s: ", pwr_name(P_CLEAVE));
    unit_float_text(pwr_name(P_CLEAVE), a, FLOAT_NOTE);
    c.cleave_result = false;
    const u_cmd_t cmd{.pwr = P_ATK_M, .param = 0, .tgt = foes.front()->pos, .flags = UCMD_NO_COST};
    c.cleave_result = perform_cmd(a, &cmd);
    return true;
}
}  // namespace

bool do_act_t::after_effects() {
    if (actor->hp >= 1 && act->atk == ATK_MELEE) {
        if (try_cleave(*this)) return cleave_result;
        reflect_dmg();
        counterattack();
    }
    // A manoeuvre with its improved feat lets the victim's other foes strike.
    static constexpr int improved[4][2] = {
        {P_TRIP, P_TRIP2}, {P_RAM, P_RAM2}, {P_DRAG, P_DRAG2}, {P_OVERRUN, P_OVERRUN2}};
    for (const auto& p : improved)
        if (act->id == p[0] && actor->has_pwr(p[1]) && last_hit && last_hit->hp >= 1) provoke_aoos(last_hit, actor, 0);
    if (made_zone) {
        // The cast is over once the zone lies: its line comes before what the zone does.
        settle_log();
        run_zone_effect(made_zone, made_zone->cells);
    }
    return true;
}

// ---- usability ----

namespace {
// Flags of u_cmd_t that only the engine sets: free, no cost, provoked by casting or moving.
constexpr int ENGINE_FLAGS = UCMD_FREE | UCMD_NO_COST | UCMD_VS_SPELL | UCMD_VS_MOVE;

int usable_now(const unit_t* u, const act_t* a) {
    if (a->school != 0 && u->drv.abi[u->cast_abi()] < 10 + a->lv) return USE_ABILITY;
    if (get_act_cooldown(u, a) != 0) return USE_RECHARGING;
    if (pwr_uses_left(u, a->id) < 1) return USE_SPENT;
    if (u->btl.act_budget < act_cost(u, a->id)) return USE_NO_POINTS;
    return u->conds.can_act() ? USE_OK : USE_CANNOT_ACT;
}

int roster_allows(const unit_t* u, const act_t* a) {
    switch (a->id) {
    case P_WAKE:
        return find_unit([&](unit_t* v) { return v->btl.side == u->btl.side && v->conds.has(C_SLEEP); })
                   ? USE_OK
                   : USE_NO_TARGET;
    case P_MOVE:
        if (u->btl.turn_flags & TF_MOVED) return USE_MOVED;
        return u->conds.can_move() ? USE_OK : USE_CANNOT_MOVE;
    case P_WAIT:
        if (u->btl.turn_flags & TF_DELAYED) return USE_WAITED;
        return can_delay_turn(u) ? USE_OK : USE_LAST_TO_ACT;
    case P_SHD_BASH: return get_itm(u->eqpts.slots[EQ_OFF].id).type == IT_SHD ? USE_OK : USE_NO_SHIELD;
    case P_RESURRECT:
        return find_fallen([&](unit_t* v) { return v->btl.side == u->btl.side; }) ? USE_OK : USE_NO_TARGET;
    case P_MK_UD: return find_fallen([](unit_t*) { return true; }) ? USE_OK : USE_NO_TARGET;
    default: return USE_OK;
    }
}

// The fifteen basic actions are every unit's; any other power must be held.
bool holds_act(const unit_t* u, int id) { return (id >= P_MOVE && id <= P_END_TURN) || u->pwrs.has(id); }
}  // namespace

int pwr_refusal(const unit_t* u, int id) {
    const act_t* a = as_act(id);
    if (!a) return USE_NOT_ACT;  // a passive power is never used
    if (!holds_act(u, id)) return USE_NOT_HELD;
    // Before usable_now: a grapple, not the "cannot act" it brings, is the reason to give.
    if (u->conds.has(C_GRAP) && id != P_END_TURN) return USE_GRAPPLED;
    if (u->conds.has(C_GRAPPER) && id != P_END_TURN && id != P_GRAP_END) return USE_GRAPPLED;
    if (const int why = usable_now(u, a)) return why;
    if (a->rng == RNG_SELF && a->dmg.empty() && a->cond != 0) {
        const bool needed = a->cond > 0 ? !u->conds.has(a->cond) : u->conds.has(-a->cond);
        return needed ? USE_OK : USE_NO_NEED;
    }
    if (const int why = roster_allows(u, a)) return why;
    if (a->atk == ATK_MELEE || a->atk == ATK_RANGE)
        return const_cast<eqpts_t&>(u->eqpts).can_atk(a->atk, true) ? USE_OK : USE_NO_WEAPON;
    return USE_OK;
}

bool can_use_pwr(const unit_t* u, int id) { return pwr_refusal(u, id) == USE_OK; }

int cmd_refusal(const unit_t* u, const u_cmd_t& cmd) {
    if (u->hp <= 0) return USE_DEAD;
    if (btl().cur != u) return USE_NOT_TURN;
    if (cmd.flags & ENGINE_FLAGS) return USE_BAD_FLAGS;
    if (const int why = pwr_refusal(u, cmd.pwr)) return why;
    // Whoever queued it: a blow at oneself is no order.
    if (!is_simple_cmd(cmd.pwr) && cmd.tgt == u->pos && as_act(cmd.pwr)->skips_own_cell()) return USE_NO_AIM;
    return USE_OK;
}

int true_aim_refusal(unit_t* u, const u_cmd_t& cmd) {
    if (is_simple_cmd(cmd.pwr) || !as_act(cmd.pwr) || aims_in_truth(u, cmd.pwr, cmd.tgt)) return USE_OK;
    set_fog_in_search(false);
    const int why = aim_refusal(u, cmd.pwr, cmd.tgt);
    set_fog_in_search(true);
    return why != USE_OK ? why : USE_NO_AIM;
}

const wchar_t* refusal_text(int why) {
    switch (why) {
    case USE_OK: return L"";
    case USE_NOT_ACT: return L"不是可用的行动";
    case USE_NOT_HELD: return L"未掌握该能力";
    case USE_ABILITY: return L"施法属性不足";
    case USE_RECHARGING: return L"尚在冷却";
    case USE_SPENT: return L"本场战斗已用尽";
    case USE_NO_POINTS: return L"行动点不足";
    case USE_CANNOT_ACT: return L"无法行动";
    case USE_GRAPPLED: return L"处于擒抱中";
    case USE_NO_NEED: return L"无需使用";
    case USE_MOVED: return L"本回合已移动";
    case USE_CANNOT_MOVE: return L"无法移动";
    case USE_WAITED: return L"本轮已等待过";
    case USE_LAST_TO_ACT: return L"本轮最后行动";
    case USE_NO_SHIELD: return L"没有盾牌";
    case USE_NO_WEAPON: return L"没有可用的武器";
    case USE_NO_TARGET: return L"没有可用的目标";
    case USE_DEAD: return L"已倒下";
    case USE_NOT_TURN: return L"不在其回合";
    case USE_BAD_FLAGS: return L"无效的命令";
    case USE_FELL: return L"倒地";
    case USE_OUT_OF_REACH: return L"超出范围";
    case USE_LINE_BLOCKED: return L"视线受阻";
    case USE_NO_AIM: return L"无法瞄准该处";
    default: return L"无法使用";
    }
}

void log_refusal(const unit_t* u, int pwr, int why) {
    log_cur_buf()->append_format(L"%s <c=a>无法使用</c> %s: %s%s", unit_disp_name(u), pwr_name(pwr), refusal_text(why),
                                 lang_dot);
    log_flush();
}

// ---- cost and recharge ----

int act_cost(const unit_t* u, int pwr) {
    const act_t* a = as_act(pwr);
    if (!a) return 1;
    if (pwr == P_SWAP_WPN && u->has_pwr(P_QUICK_DRAW)) return COST_NO;
    if (pwr == P_END_TURN) return u->btl.act_budget;  // takes what is left
    return a->cost;
}

namespace {
// Recharge categories of u_btl_state_t::cooldowns: spells (attack kind 3) and
// every other action.
constexpr int CD_SPELLS = 0;
constexpr int CD_OTHER = 1;
constexpr int CD_FRESH = 10;  // rounds since use at a battle's start
int cd_cat(const act_t* a) { return a->atk == ATK_SPL ? CD_SPELLS : CD_OTHER; }
}  // namespace

void reset_cooldowns(unit_t* u) {
    for (u_cooldown_t& c : u->btl.cooldowns) c = {.since = CD_FRESH, .wait = 0};
}

void tick_cooldowns(unit_t* u) {
    for (u_cooldown_t& c : u->btl.cooldowns) {
        ++c.since;
        if (c.wait > 0) --c.wait;
    }
}

void start_cooldown(unit_t* u, const act_t* a) {
    if (!a || a->cd < 2) return;
    u_cooldown_t& c = u->btl.cooldowns[cd_cat(a)];
    c.since = 0;
    c.wait += a->cd;
}

int get_act_cooldown(const unit_t* u, const act_t* a) {
    if (!a || a->cd < 2) return 0;
    const u_cooldown_t& c = u->btl.cooldowns[cd_cat(a)];
    if (c.since >= a->cd) return 0;
    return std::min(a->cd - c.since, c.wait);
}

// ---- attacks of opportunity ----

bool can_make_aoo(const unit_t* u) {
    return u->btl.free_cmds < u->drv.aoo && u->dflt_atk_pwr() == P_ATK_M && u->conds.threatens();
}

std::vector<unit_t*> threatening_units(const unit_t* victim, const unit_t* exclude) {
    std::vector<unit_t*> out;
    for (unit_t* v : adjacent_enemies(victim, RW_NO_HELPLESS))
        if (v != exclude && can_make_aoo(v)) out.push_back(v);
    return out;
}

bool is_threatened(const unit_t* u) { return !threatening_units(u, nullptr).empty(); }

void do_aoo(unit_t* attacker, unit_t* victim, int flags) {
    if (attacker->hp < 1 || victim->hp < 1) return;
    const u_cmd_t cmd{.pwr = P_ATK_M, .param = 0, .tgt = victim->pos, .flags = flags | UCMD_FREE};
    perform_cmd(attacker, &cmd);
}

void provoke_aoos(unit_t* victim, const unit_t* exclude, int flags) {
    for (unit_t* v : threatening_units(victim, exclude)) {
        if (victim->hp < 1) return;
        do_aoo(v, victim, flags);
    }
}

namespace {
eval_act_fn g_eval_act = nullptr;
}  // namespace

void set_eval_act(eval_act_fn fn) { g_eval_act = fn; }

int aoo_threat_score(unit_t* u) {
    int sum = 0;
    if (!g_eval_act) return 0;
    for (unit_t* v : threatening_units(u, nullptr)) {
        const u_cmd_t cmd{.pwr = P_ATK_M, .param = 0, .tgt = u->pos, .flags = UCMD_FREE};
        sum += g_eval_act(v, cmd);
    }
    return sum;
}
