#include "battle/simple_act.h"

#include "app/str.h"
#include "app/text_log.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/rolls.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
bool seen(const unit_t* u) { return is_pt_visible(u->pos); }
}  // namespace

bool is_simple_cmd(int code) {
    return code == P_MOVE || code == P_GRAP_END || code == P_SWAP_WPN || code == P_WAIT || code == P_END_TURN;
}

bool run_simple_cmd(unit_t* u, const u_cmd_t* cmd) {
    do_simple_act_t ctx(u, cmd);
    return ctx.run();
}

int defend_cond(const do_simple_act_t& ctx) {
    const unit_t* u = ctx.u;
    if (!u->conds.can_act() || !u->conds.can_cmd() || u->conds.has(C_GRAPPER)) return 0;
    if (u->btl.act_budget == BUDGET_WHOLE) return C_DEF_FULL;
    if (u->btl.act_budget == BUDGET_STD) return C_DEF;
    return 0;
}

bool do_simple_act_t::run() {
    if (cmd->pwr == P_SWAP_WPN && (cmd->param == u->eqpts.cur_set || cmd->param == WSET_ACTIVE)) {
        unit_float_text(L"已经是当前武器！", u, FLOAT_REFUSED);
        return false;
    }
    flags |= pre_check_cmd(u, *cmd);
    if (flags & PC_CANCEL) return false;
    if (!(flags & PC_NO_EFFECT)) {
        cur_scene()->on_act_start(u, cmd);
        carry_out();
        cur_scene()->on_act_end(u, cmd);
    }
    finish_cmd(u, *cmd);
    return !(flags & PC_NO_EFFECT);
}

void do_simple_act_t::carry_out() {
    switch (cmd->pwr) {
    case P_MOVE:
        if (!walk_unit(u, cmd->tgt)) flags |= PC_NO_EFFECT;
        break;
    case P_GRAP_END: grap_end(); break;
    case P_SWAP_WPN: swap_wpn(); break;
    case P_WAIT: wait(); break;
    case P_END_TURN: end_turn(); break;
    default: break;
    }
}

void do_simple_act_t::grap_end() {
    if (seen(u)) {
        btl_sfx(L"simple_grap_end");
        const auto it = u->conds.find(C_GRAPPER);
        const unit_t* partner = it != u->conds.map.end() ? it->second.src : nullptr;
        log_cur_buf()->append_format(L"%s 放弃擒抱: %s ", unit_disp_name(u), unit_disp_name(partner));
    }
    u->conds.remove(C_GRAPPER);
    log_flush();
}

void do_simple_act_t::swap_wpn() {
    u->eqpts.swap_wpn_set(cmd->param);
    if (seen(u)) {
        btl_sfx(L"simple_swap_wpn");
        Str names;
        u->eqpts.wpn_set_name(names, WSET_ACTIVE);
        log_cur_buf()->append_format(L"%s 切换武器: %s。", unit_disp_name(u), names);
    }
    log_flush();
}

void do_simple_act_t::wait() {
    delay_turn();
    if (seen(u)) log_cur_buf()->append_format(L"%s 进行等待。", unit_disp_name(u));
    log_flush();
}

void do_simple_act_t::end_turn() {
    const int c = defend_cond(*this);
    if (c != 0) {
        cond_inst_t ci;
        apply_cond(make_cond_inst(ci, c, u, 0, CI_NO_ROLL, 0), u);
        if (seen(u)) {
            btl_sfx(L"simple_end_turn");
            log_cur_buf()->append_format(L"%s 进行防御。", unit_disp_name(u));
        }
    }
    log_flush();
}
