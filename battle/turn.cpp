#include "battle/turn.h"

// Sections: state queries; set-up and end; the battle loop; turn start and end;
// passing the turn and waiting; deaths and revivals.

#include <algorithm>

#include "app/evt.h"
#include "app/input.h"
#include "app/db.h"
#include "app/scene.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/ai.h"
#include "battle/auras.h"
#include "battle/btl.h"
#include "battle/deploy.h"
#include "battle/forced.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/simple_act.h"
#include "battle/summon.h"
#include "battle/unit_move.h"
#include "battle/zone.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"

clr_t side_clrs[BTL_SIDES] = {0xFF00FF00, 0xFFFF0000, 0xFF00BFFF, 0xFFFFFF00};

namespace {
constexpr uint32_t EVT_BTL_START = 0xB002;
}  // namespace

// ---- state queries ----

int get_btl_state() { return btl().state; }
bool is_btl_running() { return btl().state == BTL_RUNNING; }
bool is_btl_won() { return btl().state == BTL_WON; }
bool is_btl_lost() { return btl().state == BTL_LOST; }
bool is_btl_over() {
    return is_quitting() || btl().state == BTL_NONE || (btl().state >= BTL_ABORTED && btl().state <= BTL_LOST);
}
void abort_btl() { btl().state = BTL_ABORTED; }
void set_btl_lost() { btl().state = BTL_LOST; }

unit_t* get_cur_unit() { return btl().cur; }
tmap_t* get_btl_map() { return btl().map; }
void set_btl_map(tmap_t* m) { btl().map = m; }

Str unit_disp_name(const unit_t* u) {
    Str s;
    if (u) u->get_disp_name(s);
    return s;
}

bool is_ai_unit(const unit_t* u) { return u->btl.ai != 0 || !u->conds.can_cmd(); }

void toggle_unit_pwr(unit_t* u, int pwr) {
    u->pwrs.toggle(pwr);
    u->recalc();
}

// ---- set-up and end ----

namespace {
bool grp_alive(const unit_grp_t* g) {
    if (!g) return false;
    return std::any_of(g->units.begin(), g->units.end(), [](const unit_t* u) { return u->hp > 0; });
}

// Lost when the first group has nobody standing, else won when the second has
// nobody; only the groups' own units count, not companions or summons.
void decide_end() {
    btl_t& b = btl();
    if (b.state == BTL_ABORTED) return;  // an aborted battle stays aborted
    if (!grp_alive(b.grps[0])) b.state = BTL_LOST;
    else if (!grp_alive(b.grps[1])) b.state = BTL_WON;
}

void ready_unit(unit_t* u) {
    u->btl.reset();
    u->px_off = {0, 0};
    u->ani_word = -1;
    u->ani_t = 0.0;
    // A unit struck down last battle kept the red of its last hit: it was not
    // drawn again while that faded.
    u->tint = 0xFFFFFFFF;
    u->flash_t = 0.0;
    u->hp_pend = 0;
    u->hp_pend_t = 0.0;
    // A fight given up with a power picked would light its slot in the next one.
    u->actbar.sel = -1;
}
}  // namespace

bool begin_btl(unit_grp_t* a, unit_grp_t* b, tmap_t* map) {
    reset_btl();
    btl_t& s = btl();
    s.grps[0] = a;
    s.grps[1] = b;
    s.map = map;
    const std::vector<unit_t*> none;
    build_roster(a ? a->units : none, b ? b->units : none);
    // Units already down at the start lie among the fallen, so the roster is
    // always the living units of the full list.
    rebuild_roster();
    plan_rnd_reset();
    std::vector<unit_t*> sides[2] = {a ? a->units : none, b ? b->units : none};
    for (auto& side : sides)
        for (unit_t* u : std::vector<unit_t*>(side))
            if (u->hp > 0)
                if (unit_t* c = add_companion(u)) side.push_back(c);
    const bool placed = deploy_groups(sides[0], sides[1]);
    for (unit_t* u : s.roster) ready_unit(u);
    init_fog();
    for (unit_t* u : s.roster) {
        reset_cooldowns(u);
        u->turn_reset();
    }
    return placed;
}

namespace {
// The party outlives the battle and the caller frees the foes: no unit keeps a
// pointer to another, and the lists name none. Rules called between fights
// (a new monster's formation count) then see an empty battle.
void let_go_of_units() {
    btl_t& b = btl();
    std::vector<unit_t*> fought = b.full;
    for (unit_grp_t* g : b.grps)
        if (g) fought.insert(fought.end(), g->units.begin(), g->units.end());
    for (unit_t* u : fought) {
        u->btl.auras.clear();
        for (auto& [id, ci] : u->conds.map) ci.src = nullptr;
    }
    b.full.clear();
    b.roster.clear();
    b.fallen.clear();
    b.cur = nullptr;
    b.grps[0] = b.grps[1] = nullptr;
}
}  // namespace

void end_btl() {
    clear_zones();
    free_summons();
    let_go_of_units();
}

// ---- the battle loop ----

namespace {
// Step 5 of the loop; false when the battle ended or the program quits meanwhile.
bool choose_cmds(unit_t* u) {
    if (!u->conds.can_cmd()) {
        forced_behaviour(u);
        return true;
    }
    if (u->btl.ai) {
        ai_run(u);
        return true;
    }
    // A listener that returns with no orders is asked again at once.
    while (u->btl.cmds.empty()) {
        cur_scene()->wait_for_orders(u);
        if (is_btl_over()) return false;
    }
    return true;
}

// A player's refused command says why; the AI's and forced behaviour's are
// refused in silence (the AI chooses again).
void refuse_cmd(unit_t* u, const u_cmd_t& c, int why) {
    if (!is_ai_unit(u)) log_refusal(u, c.pwr, why);
}

// The queue ends with its unit's turn or life (a wait hands the turn on, an
// attack on one's own cell can kill), and at the first command the unit cannot
// use: nothing it was not allowed runs, nothing is paid twice.
void run_queue(unit_t* u) {
    const std::vector<u_cmd_t> queue = std::move(u->btl.cmds);
    u->btl.cmds.clear();
    bool moved = false;
    for (const u_cmd_t& c : queue) {
        int why = cmd_refusal(u, c);
        // The player aimed from the cell the move leads to by what the side
        // knew before it; the walk may uncover a wall or a foe in the line.
        // Then the order is dropped before anything is paid, and the unit is
        // asked again. The AI and forced behaviour pay as ever.
        if (!why && moved && !is_ai_unit(u)) why = true_aim_refusal(u, c);
        if (why) {
            refuse_cmd(u, c, why);
            break;
        }
        if (!perform_cmd(u, &c)) break;
        moved = moved || c.pwr == P_MOVE;
    }
    u->btl.cmds.clear();
}

// The inner loop of one unit's turn; returns false when the battle loop must end.
bool run_turn(unit_t* u) {
    for (;;) {
        if (is_btl_over()) return false;
        // A unit that fell keeps the turn until here: a death passes none.
        if (u->hp <= 0 || u->btl.act_budget < BUDGET_MOVE || !u->conds.can_act()) {
            btl_turn_end(u);
            next_unit();
            return true;
        }
        cur_scene()->on_unit_ready(u, is_ai_unit(u));
        if (!choose_cmds(u)) return false;
        cur_scene()->on_orders_taken(u);
        const bool was_delayed = u->btl.turn_flags & TF_DELAYED;
        run_queue(u);
        if (!was_delayed && (u->btl.turn_flags & TF_DELAYED)) return true;  // it waited: the turn has passed
    }
}
}  // namespace

bool perform_cmd(unit_t* u, const u_cmd_t* cmd) {
    if (is_simple_cmd(cmd->pwr)) return run_simple_cmd(u, cmd);
    do_act_t ctx(u, cmd);
    return ctx.run();
}

void run_btl() {
    btl_t& b = btl();
    b.no_death = true;
    b.state = BTL_RUNNING;
    b.round = 0;
    for (unit_t* u : b.roster) u->recalc();
    b.cur = b.roster.empty() ? nullptr : b.roster.front();
    // A side with nobody standing has lost before the first turn; waiting for a
    // death to decide it would never end.
    decide_end();
    if (b.state != BTL_RUNNING || !b.cur) return;
    if (scene_t* top = get_top_scene()) {
        const evt_t e{EVT_BTL_START, 0, 0};
        top->on_evt(&e, nullptr);
    }
    cur_scene()->on_round_start(0);
    update_auras();
    while (unit_t* u = b.cur) {
        // A death while the turn passed (the zones' upkeep) may have decided it.
        if (is_btl_over()) return;
        btl_turn_start(u);
        if (!run_turn(u)) return;
    }
}

// ---- turn start and end ----

namespace {
// What the step logged becomes one block under its heading.
void write_block(const Str& head, bool own_line) {
    Str body(std::move(*log_cur_buf()));
    *log_cur_buf() = Str();
    if (own_line) {
        // The heading puts the body on a line of its own; a step that opened
        // one itself (a damage tick, a hold) would leave an empty line between.
        int skip = 0;
        while (body.at(skip) == L'\n' || body.at(skip) == L' ') ++skip;
        body.drop_front(skip);
    }
    if (body.empty()) return;
    Str* buf = log_cur_buf();
    buf->append(head.buf);
    if (own_line) buf->append(L"\n    ");
    buf->append(body.buf);
    log_flush();
}
}  // namespace

void btl_turn_start(unit_t* u) {
    log_flush();
    if (!is_pt_visible(u->pos)) set_btl_feedback(false);
    cur_scene()->on_turn_start(u);
    log_indent();
    if (u->btl.turn_flags & TF_DELAYED) {
        cur_scene()->on_turn_ready(u);
    } else {
        u->conds.on_turn_start();
        if (u->hp >= 1) aura_turn_effects(u);
        if (u->hp >= 1) turn_start_trigger(u);
        if (u->hp >= 1) {
            u->turn_reset();
            u->run_dir = -1;
            tick_cooldowns(u);
            cur_scene()->on_turn_ready(u);
        }
    }
    log_unindent();
    // Of an unseen unit's turn start, only what its shock did to the seen was
    // written: that stands under its heading.
    set_btl_feedback(true);
    write_block(Str(L"%s %s:", unit_disp_name(u), L"回合开始"), true);
}

void btl_turn_end(unit_t* u) {
    u->btl.turn_flags &= ~TF_DELAYED;
    log_flush();
    if (!is_pt_visible(u->pos)) set_btl_feedback(false);
    if (u->hp > 0) u->conds.on_turn_end();
    cur_scene()->on_turn_end(u);
    write_block(Str(L"%s: ", unit_disp_name(u)), false);
    set_btl_feedback(true);
}

// ---- passing the turn and waiting ----

namespace {
bool in_roster(const unit_t* u) {
    const auto& r = btl().roster;
    return std::find(r.begin(), r.end(), u) != r.end();
}

// The first living unit after old in the full list, cyclically, old excluded;
// with upkeep, the zone upkeep runs for every unit passed, the found one too.
// wrapped tells whether the search passed the end of the list (a new round).
unit_t* first_living_after(const unit_t* old, bool upkeep, bool* wrapped = nullptr) {
    const auto& full = btl().full;
    const auto it = std::find(full.begin(), full.end(), old);
    if (it == full.end()) return nullptr;
    const size_t at = size_t(it - full.begin());
    for (size_t k = 1; k < full.size(); ++k) {
        unit_t* v = full[(at + k) % full.size()];
        if (upkeep) zone_upkeep(v);
        if (v->hp > 0) {
            if (wrapped) *wrapped = at + k >= full.size();
            return v;
        }
    }
    return nullptr;
}

void begin_round() {
    btl_t& b = btl();
    ++b.round;
    for (unit_t* u : b.roster) u->btl.act_budget = BUDGET_WHOLE;
    cur_scene()->on_round_start(b.round);
}

// The first living unit after from in the roster, a new round begun when the
// search passed the end of the list; null when the turn cannot pass.
unit_t* living_successor(const unit_t* from) {
    bool wrapped = false;
    unit_t* next = first_living_after(from, false, &wrapped);
    if (!next || !in_roster(next)) return nullptr;
    if (wrapped) begin_round();
    return next;
}

// The zone upkeep of every unit after from in the full list, cyclically, up to
// and including to; none when to waited, its upkeep having run before its wait.
void upkeep_up_to(const unit_t* from, const unit_t* to) {
    if (to->btl.turn_flags & TF_DELAYED) return;
    const auto& full = btl().full;
    const auto at = std::find(full.begin(), full.end(), from);
    if (at == full.end()) return;
    for (size_t k = 1; k <= full.size(); ++k) {
        unit_t* v = full[(size_t(at - full.begin()) + k) % full.size()];
        zone_upkeep(v);
        if (v == to) break;
    }
}
}  // namespace

void next_unit() {
    btl_t& b = btl();
    unit_t* old = b.cur;
    unit_t* nu = nullptr;
    const auto it = std::find(b.roster.begin(), b.roster.end(), old);
    if (it != b.roster.end()) {
        if (it + 1 != b.roster.end()) {
            nu = *(it + 1);
        } else {
            begin_round();
            nu = b.roster.front();
        }
    } else {
        // Fallen in its turn, old passes it on from its place in the full list.
        nu = living_successor(old);
        if (!nu) return;
    }
    upkeep_up_to(old, nu);
    // A unit the upkeep felled gets no turn: it passes on as its turn would
    // have, the round turning when it stood last. A death that ended the
    // battle ends it here, the turn staying where it was.
    while (nu->hp <= 0) {
        if (is_btl_over()) return;
        unit_t* next = living_successor(nu);
        if (!next) break;
        upkeep_up_to(nu, next);
        nu = next;
    }
    cur_scene()->on_cur_unit_changed(old, nu);
    b.cur = nu;
}

bool can_delay_turn(const unit_t* u) {
    const auto& r = btl().roster;
    return !(u->btl.turn_flags & TF_DELAYED) && !r.empty() && r.back() != u;
}

void delay_turn() {
    btl_t& b = btl();
    unit_t* u = b.cur;
    if (!u || !can_delay_turn(u)) return;
    unit_t* found = first_living_after(u, true);
    if (!found) return;
    u->btl.turn_flags |= TF_DELAYED;
    b.full.erase(std::remove(b.full.begin(), b.full.end(), u), b.full.end());
    b.full.push_back(u);
    rebuild_roster();
    cur_scene()->on_roster_changed();
    cur_scene()->on_cur_unit_changed(u, found);
    b.cur = found;
}

// ---- deaths and revivals ----

void unit_dies(unit_t* u) {
    if (!u) return;
    btl_t& b = btl();
    pty_t* pty = dynamic_cast<pty_t*>(b.grps[0]);
    if (u->base.kind == UK_PC) {
        if (pty) ++pty->arena.deaths;
        b.no_death = false;
    }
    const auto& foes = b.grps[1] ? b.grps[1]->units : std::vector<unit_t*>();
    if (pty && std::find(foes.begin(), foes.end(), u) != foes.end()) ++pty->arena.kills;
    decide_end();
    roster_on_death(u);
    on_death_trigger(u);
    refresh_unit(u, false);
    cur_scene()->on_unit_dies(u);
    cur_scene()->on_roster_changed();
}

void unit_rejoins(unit_t* u, unit_t* creator) {
    return_from_fallen(u, creator);
    update_view(u, true, true, false);
    cur_scene()->on_roster_changed();
}
