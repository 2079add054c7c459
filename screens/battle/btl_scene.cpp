// Sections: the scene (life, input, map slots), the listener, fight_btl and the
// way to watch.
#include "screens/battle/btl_scene.h"

#include <algorithm>

#include "app/ani.h"
#include "app/audio.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/paths.h"
#include "app/rnd.h"
#include "app/text_log.h"
#include "battle/btl.h"
#include "battle/damage.h"
#include "battle/enc.h"
#include "battle/fog.h"
#include "battle/map_gen.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/enum_ids.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/log_memo.h"
#include "ui/menu.h"
#include "ui/std_dlgs.h"
#include "ui/wnd.h"

namespace {
constexpr clr_t red = 0xffff0000;    // the tint of a hit unit
constexpr clr_t green = 0xff00ff00;  // the tint of a healed one
constexpr clr_t round_clr = 0xffffff00;
constexpr int pause_ms = 500;  // a turn's banner, a computer unit's marks, a change of unit
constexpr double tint_s = 0.2;
constexpr int lunge_px = 32;   // a cell's half, toward the target
constexpr const wchar_t* map_file = L"maps/btl.map";
constexpr int strip_gap = 2;  // pixels between the strip and the right panel, the window's top and its left

class _btl_scene_t;
_btl_scene_t* the_scene = nullptr;
bool in_fight = false;  // inside fight_btl's battle loop

bool visible(const unit_t* u) { return u && is_pt_visible(u->pos); }

// Powers whose plans a computer unit's turn shows no chances for.
bool shows_ai_chances(int pwr) {
    return pwr != P_MOVE && pwr != P_SWAP_WPN && pwr != P_STAND_UP && pwr != P_WAKE && pwr != P_END_TURN;
}

// Melee blows and manoeuvres lean toward their target, but not a sweep of
// several foes nor an overrun, which moves the unit itself.
bool lunges(const u_cmd_t* cmd) {
    const act_t* a = as_act(cmd->pwr);
    if (!a) return false;
    return (a->atk == ATK_MELEE && cmd->pwr != P_ATK_M_TGTX) || (a->atk == ATK_CM && cmd->pwr != P_OVERRUN);
}

class _btl_scene_t : public btl_scene_t {
public:
    ~_btl_scene_t() override {
        if (the_scene == this) the_scene = nullptr;
    }

    // ---- life ----

    bool enter() override {
        map_scene_t::enter();
        strip_ = new_btl_unit_strip();
        return true;
    }

    void resume() override {
        set_busy(true);
        reset_btl_view();
        map_scene_t::resume();
        on_roster_changed();
        arrange_root();
    }

    void leave() override {
        if (in_fight && is_btl_running()) abort_btl();
        if (strip_) strip_->clear();
        dflt_marks_clear();
        map_scene_t::leave();
        set_busy(false);
    }

    // ---- input ----

    bool on_evt(const evt_t* e, wnd_t* sender) override {
        if (e->code == EVT_BATTLE_START) {
            on_btl_start();
            return true;
        }
        if (on_map_input(e, sender)) return true;
        if (sender == get_root_wnd() && e->code == EVT_IDLE) key_scroll();
        return map_scene_t::on_evt(e, sender);
    }

    bool on_map_input(const evt_t* e, wnd_t* sender) override { return orders_input(this, e, sender); }
    bool on_bar_msg(const evt_t* e, wnd_t* sender) override { return orders_bar_msg(this, e, sender); }
    void pick_pwr(int id, int param) override { orders_pick(this, id, param); }
    bool commit_cmds() override { return orders_commit(this); }
    void cancel_pwr() override { orders_cancel(this); }

    void add_sys_menu_items(menu_t* m) override {
        li_t* it = m->add_text_item(L"<c=r>投降</c>", nullptr);
        it->id = SYS_CMD_SURRENDER;
        m->add_sep(nullptr);
    }

    bool on_sys_cmd(int id) override {
        if (id != SYS_CMD_SURRENDER) return false;
        if (in_fight && is_btl_running()) set_btl_lost();
        return true;
    }

    // ---- the map's slots ----

    void draw() override {
        set_interactive_paint(frame_no_modal() && !is_hover_in_ui());
        if (!map) return;
        draw_btl(this, [this] { draw_tiles(); });
    }
    void on_hover_cell() override {
        const int c = orders_hover(this);
        if (c != CUR_NONE) cursor_id = c;
    }
    bool get_cell_tip(Str& out) override {
        // Drawn over everything, the tip would cover the banner's text: it waits.
        return !banner_shown() && btl_cell_tip(this, out);
    }
    double get_cell_light(const pt_t& c) override { return is_pt_visible(c) ? 1.0 : 0.75; }
    void draw_minimap_markers() override { draw_mm_markers(this); }
    bool is_explored(const pt_t& c) override { return is_pt_explored(c); }
    void draw_overlay() override { draw_fog(this); }
    double get_light_factor(const pt_t& c) override { return light_factor(c); }
    bool is_cell_visible(const pt_t& c) override { return is_pt_visible(c); }
    pt_t get_focus_cell() override { return get_cur_unit() ? get_cur_unit()->pos : NO_PT; }

    // ---- what the scene holds ----

    unit_t* waiting_unit() const override { return bv().waiting; }
    int orders_asked() const override { return waits_; }
    const std::vector<u_cmd_t>& pending_cmds() const override { return bv().pending; }
    pt_t sel_pwr() const override { return {bv().sel.id, bv().sel.param}; }
    const Str& banner() const override { return bv().banner; }
    const Str& act_tip() const override { return bv().act_tip; }
    unit_t* hovered_unit() const override { return bv().hovered; }
    int hover_cursor() const override { return cursor_id; }

    // ---- the listener ----

    void on_round_start(int r) override {
        const Str n(L"<c=#%s>%d</c>", round_clr.to_str(0), r + 1);
        log_cur_buf()->append_format(L"---- 第%s回合 ----", n.c_str());
        log_flush();
    }

    void on_turn_start(unit_t* u) override {
        status_show_unit(u);
        if (strip_) strip_->scroll_to_face(strip_->find_unit(u));
        refresh_hover();
        // A turn passed on at once (a sleeper's) would leave its banner rising
        // under this one: this one replaces it.
        end_turn_banner();
        if (visible(u)) {
            std::vector<uint32_t>& ids = bv().turn_texts;
            ids.push_back(float_over(this, Str(L"%s回合开始", unit_disp_name(u)), u, FLOAT_NOTE));
            if (u->eqpts.no_ammo()) ids.push_back(float_over(this, L"弹药耗尽", u, FLOAT_WARN));
        } else {
            bv().banner = Str(L"%s正在视野外行动...", unit_disp_name(u));
            wait_ms(pause_ms);
        }
    }

    void on_turn_ready(unit_t* u) override { status_show_unit(u); }
    void on_unit_moved(unit_t* u) override {
        if (u == get_cur_unit()) show_clear_of_strip(u);
        refresh_hover();
    }

    void on_unit_dies(unit_t* u) override {
        if (visible(u)) death_fade(this, u);
    }

    void wait_for_orders(unit_t* u) override {
        ++waits_;
        bv().waiting = u;
        if (main_ui_built()) main_ui().act_bar->show_unit(u);
        set_busy(false);
        run_modal_loop([u] { return u->btl.cmds.empty() && !is_btl_over(); });
        bv().waiting = nullptr;
        if (main_ui_built()) main_ui().act_bar->reset();
        if (is_quitting()) abort_btl();
        if (is_btl_running()) set_busy(true);
    }

    void on_unit_ready(unit_t* u, bool computer) override {
        if (!visible(u)) return;
        show_clear_of_strip(u);
        if (can_use(u, P_MOVE)) {
            get_move_range(u, &bv().mr);
            prep_unit_paths(u, SF_WALK);
        }
        dflt_marks_fill(u);
        hit_labels_dflt(u);
        if (computer) wait_ms(pause_ms);
    }

    void on_orders_taken(unit_t*) override {
        bv().mr = move_range_t();
        hit_labels_clear();
    }

    void on_act_start(unit_t* u, const u_cmd_t* cmd) override {
        if ((cmd->flags & UCMD_NO_ANI) || !visible(u)) return;
        dflt_marks_clear();
        if (!view.cell_rect().contains(cmd->tgt)) scroll_to(cmd->tgt);
        show_clear_of_strip(u);
        if (is_ai_unit(u) && shows_ai_chances(cmd->pwr)) {
            hit_tip_cmd(u, cmd->pwr, cmd->tgt);
            wait_ms(pause_ms);
            hit_labels_clear();
        }
        if (cmd->pwr != P_MOVE && cmd->pwr != P_ATK_M && cmd->pwr != P_ATK_R) {
            const Pwr* p = get_pwr(cmd->pwr);
            const wchar_t* text = p && p->a && *p->a ? p->a : p ? p->n : nullptr;
            if (text) float_over(this, text, u, FLOAT_NOTE);
        }
        if (cmd->flags & UCMD_FREE) float_over(this, L"借机攻击", u, FLOAT_WARN);
        if (lunges(cmd))
            set_unit_offset(this, u, {(cmd->tgt.x - u->pos.x) * lunge_px, (cmd->tgt.y - u->pos.y) * lunge_px});
    }

    void on_act_end(unit_t* u, const u_cmd_t* cmd) override {
        if (cmd->flags & UCMD_NO_ANI) return;
        status_show_unit(u);
        get_ani_mgr()->wait(ANI_F_BTL, zg::ANI_WAIT_FLAGS);
        if (lunges(cmd)) set_unit_offset(this, u, {0, 0});
        btl_view_t& v = bv();
        v.cam = NO_PT;
        v.walk.clear();
        v.area_pts.clear();
        v.pending.clear();
        v.act_tip = L"";
    }

    void on_atk_visual(act_ctx_t* ctx, atk_rec_t* rec, const std::vector<pt_t>& pts) override {
        atk_visual(this, ctx, rec, pts);
    }

    void on_miss(unit_t* u) override {
        if (!visible(u)) return;
        play_sfx(L"atk_miss");
        float_over(this, L"失误", u, FLOAT_MISS);
    }

    void on_hp_change(unit_t* u, const dmg_res_t* r) override {
        if (!visible(u) || !r) return;
        Str text = r->crit ? L"暴击！" : L"";
        float_kind_t kind;
        if (r->amount >= 0) {
            play_sfx(L"hp_dmg");
            text.append_format(L"%d", r->amount);
            if (r->absorbed != 0) text.append_format(L"<c=a> (-%d)</c>", r->absorbed);
            kind = r->crit ? FLOAT_DMG_CRIT : FLOAT_DMG;
            if (r->amount > 0 && bv().feedback && is_cell_shown(this, u->pos)) {
                const rect sq = unit_screen_rect(this, u);
                play_imgs(L"effects/blood", sq, nullptr, 0);
            }
            u->tint = red;
        } else {
            play_sfx(L"hp_heal");
            // What the unit got back, as the log says: a heal past the maximum gives no more.
            text.append_format(L"+%d", r->healed);
            kind = r->crit ? FLOAT_HEAL_CRIT : FLOAT_HEAL;
            u->tint = green;
        }
        u->flash_t = tint_s;
        float_over(this, text, u, kind);
    }

    void on_turn_end(unit_t*) override { bv().banner = L""; }

    void on_cur_unit_changed(unit_t* old_u, unit_t* new_u) override {
        wait_ms(pause_ms);
        if (!visible(new_u)) return;
        scroll_to(new_u->pos);
        if (visible(old_u)) cur_mark_slide(this, old_u, new_u);
    }

    bool confirm_aoo() override {
        if (!opts().ao_prompt) return true;
        return zg_confirm_dlg(L"此动作将会引发身边敌人对你的<c=r>借机攻击</c>！\n确定进行？");
    }

    void on_roster_changed() override {
        if (!strip_) return;
        strip_->set_laid_out(false);
        strip_->clear();
        // Once a battle is over its units may be gone (a scene resumed later
        // finds the lists of a battle whose foes were freed): nothing to list.
        if (get_btl_map())
            for (unit_t* u : btl().roster) strip_->add_unit(u)->kind = LIK_COMMAND;
        // From the window's left edge to the right panel, with the gap at both ends.
        const int right = main_ui_built() ? main_ui().right_pnl->rc.x - strip_gap : 0;
        strip_->max_w = std::max(0, right - strip_gap);
        strip_->relayout();
        if (main_ui_built()) strip_->move_to(right, strip_gap, MOVE_AT_RIGHT);
        strip_->scroll_to_face(strip_->find_unit(get_cur_unit()));
    }

    u_lv2_t* strip() const override { return strip_; }

private:
    u_lv2_t* strip_ = nullptr;  // the roster's faces; the window tree owns it
    int waits_ = 0;

    bool under_strip(const pt_t& cell) const {
        if (!strip_ || strip_->is_hidden()) return false;
        const rect c = view.cell_scrn_rect(cell), &s = strip_->rc;
        return c.x < s.x + s.w && s.x < c.x + c.w && c.y < s.y + s.h && s.y < c.y + c.h;
    }

    // The roster's faces lie over the view's top: an acting unit they cover,
    // when it is ready, has walked or begins an action, is brought to the
    // middle of the view (as far as the view may scroll).
    void show_clear_of_strip(const unit_t* u) {
        if (visible(u) && under_strip(u->pos)) scroll_to(u->pos);
    }

    void on_btl_start() {
        log_cur_buf()->append(L"---- 战斗开始 ----");
        log_flush();
        const btl_t& b = btl();
        const unit_t* at = b.cur && is_pt_visible(b.cur->pos) ? b.cur : nullptr;
        for (const unit_t* u : b.roster)
            if (!at && u->btl.side == SIDE_PLAYER) at = u;
        if (!at && !b.roster.empty()) at = b.roster.front();
        if (at) view.center_on(at->pos);
    }
};

// ---- fight_btl ----

// The map file's result is looked at: a missing or damaged file gives no battle on an empty map.
bool load_btl_map(tmap_t* m) {
    const Str path = get_exe_dir() + map_file;
    return m->load(path) && m->get_w() > 0 && m->get_h() > 0;
}

void gen_btl_map(tmap_t* m) { gen_rnd_map(m, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT); }

// begin_btl, and the clean-up of a set-up that found no room.
bool set_up(unit_grp_t* foes, tmap_t* m) {
    if (begin_btl(&g_pty, foes, m)) return true;
    end_btl();
    return false;
}
}  // namespace

btl_scene_t* get_btl_scene(bool* made) {
    const bool fresh = !the_scene;
    if (fresh) {
        the_scene = new _btl_scene_t;
        reg_scene(the_scene);
    }
    if (made) *made = fresh;
    return the_scene;
}

btl_scene_t* cur_btl_scene() { return in_fight ? the_scene : nullptr; }

void scene_pick_pwr(int id, int param) {
    if (btl_scene_t* s = cur_btl_scene()) s->pick_pwr(id, param);
}

int fight_btl(unit_grp_t* foes, int flags) {
    tmap_t map;
    bool from_file = (flags & FIGHT_MAP_FILE) && load_btl_map(&map);
    if (!from_file) gen_btl_map(&map);
    bool ready = set_up(foes, &map);
    if (!ready && from_file) {
        // A map file too cramped for the sides: the generator's map is fought instead.
        gen_btl_map(&map);
        ready = set_up(foes, &map);
    }
    if (!ready) {
        set_btl_map(nullptr);
        return BTL_ABORTED;
    }
    return run_btl_scene(&map);
}

int run_btl_scene(tmap_t* map) {
    bool made = false;
    btl_scene_t* s = get_btl_scene(&made);
    push_scene(s, made);
    set_cur_scene(s);
    in_fight = true;
    s->set_map(map, false);
    if (main_ui_built()) main_ui().log_memo->reset_text(L"");
    // Whatever ended the last battle, this one begins seen and logged.
    set_btl_feedback(true);
    run_btl();
    get_ani_mgr()->wait(0, zg::ANI_WAIT_ANY);
    end_btl();
    in_fight = false;
    s->set_map(nullptr, false);
    // The battle is over: nothing may reach the map, which dies with the caller's call.
    set_btl_map(nullptr);
    set_cur_scene(nullptr);
    // Nor a unit: the caller frees the foes once it has the result.
    status_show_unit(nullptr);
    s->on_roster_changed();
    for (unit_t* u : g_pty.units) u->heal_full();
    return get_btl_state();
}

// ---- the way to watch ----

int watch_btl(uint32_t seed) {
    if (seed != 0) rnd_srand(seed);
    reset_pty();
    const int level = g_pty.units.empty() ? 1 : g_pty.units.front()->base.lv;
    std::unique_ptr<unit_grp_t> foes(enc_to_grp(gen_enc(level, int(g_pty.units.size()), 2, 0)));
    const int state = fight_btl(foes.get(), 0);
    if (get_top_scene() == the_scene && the_scene) pop_scene();
    return state;
}
