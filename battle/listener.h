#pragma once
// How the battle reaches the screen. The engine never draws, plays or reads
// input: it calls the listener of the current battle scene (the battle scene
// derives from btl_listener_t) and a few presentation functions by name. The
// presentation functions forward to hooks that the screens install; left
// empty, they do nothing (texts fall back to plain text), and a battle reaches
// the same outcome and the same log.
#include <cstdint>
#include <functional>
#include <vector>

#include "app/str.h"
#include "app/types.h"

class act_ctx_t;
struct atk_rec_t;
struct dmg_res_t;
struct itm_slot_t;
struct u_cmd_t;
class unit_t;

class btl_listener_t {
public:
    virtual ~btl_listener_t() = default;
    virtual void on_round_start(int round) = 0;
    virtual void on_turn_start(unit_t* u) = 0;
    virtual void on_turn_ready(unit_t* u) = 0;
    virtual void on_unit_moved(unit_t* u) = 0;
    virtual void on_unit_dies(unit_t* u) = 0;
    // Must leave u with a queued command, end the battle or let the program quit;
    // returning with an empty queue while the battle runs makes the loop ask again.
    virtual void wait_for_orders(unit_t* u) = 0;
    virtual void on_unit_ready(unit_t* u, bool computer) = 0;
    virtual void on_orders_taken(unit_t* u) = 0;
    virtual void on_act_start(unit_t* u, const u_cmd_t* cmd) = 0;
    virtual void on_act_end(unit_t* u, const u_cmd_t* cmd) = 0;
    virtual void on_atk_visual(act_ctx_t* ctx, atk_rec_t* rec, const std::vector<pt_t>& pts) = 0;
    virtual void on_miss(unit_t* tgt) = 0;
    virtual void on_hp_change(unit_t* u, const dmg_res_t* r) = 0;
    virtual void on_turn_end(unit_t* u) = 0;
    virtual void on_cur_unit_changed(unit_t* old_u, unit_t* new_u) = 0;
    // False cancels a command that would provoke attacks of opportunity.
    virtual bool confirm_aoo() = 0;
    virtual void on_roster_changed() = 0;
};

// Does nothing, but keeps the two duties: orders are "end the turn" (so the
// player's units only defend) and attacks of opportunity are accepted.
class null_listener_t : public btl_listener_t {
public:
    void on_round_start(int) override {}
    void on_turn_start(unit_t*) override {}
    void on_turn_ready(unit_t*) override {}
    void on_unit_moved(unit_t*) override {}
    void on_unit_dies(unit_t*) override {}
    void wait_for_orders(unit_t* u) override;
    void on_unit_ready(unit_t*, bool) override {}
    void on_orders_taken(unit_t*) override {}
    void on_act_start(unit_t*, const u_cmd_t*) override {}
    void on_act_end(unit_t*, const u_cmd_t*) override {}
    void on_atk_visual(act_ctx_t*, atk_rec_t*, const std::vector<pt_t>&) override {}
    void on_miss(unit_t*) override {}
    void on_hp_change(unit_t*, const dmg_res_t*) override {}
    void on_turn_end(unit_t*) override {}
    void on_cur_unit_changed(unit_t*, unit_t*) override {}
    bool confirm_aoo() override { return true; }
    void on_roster_changed() override {}
};

// The listener of the battle set-up registered (set_cur_scene), never null:
// with none registered the engine talks to a null listener.
btl_listener_t* cur_scene();
void set_cur_scene(btl_listener_t* l);

// ---- presentation functions ----

// What a floating text over a unit tells. The engine names the kind; the
// battle screen gives each kind its colour and size.
enum float_kind_t : int {
    FLOAT_NOTE,       // a turn begins, an action is named, a unit comes into view
    FLOAT_WARN,       // no ammunition left, an attack of opportunity
    FLOAT_REFUSED,    // an order that changes nothing (the weapon set already in use)
    FLOAT_MISS,       // an attack missed the unit
    FLOAT_RESISTED,   // a check or a condition resisted, a condition the unit is immune to
    FLOAT_DMG,
    FLOAT_DMG_CRIT,
    FLOAT_HEAL,
    FLOAT_HEAL_CRIT,
    FLOAT_COND_GOOD,  // a good condition gained
    FLOAT_COND_BAD,   // a bad condition gained, or a hold not escaped
    FLOAT_COND_LOST,
    FLOAT_SPECIAL,    // a special outcome of a power (banished)
    FLOAT_IMMUNE,     // the power cannot affect the unit
    FLOAT_KINDS
};

// What the screens plug in; an empty member is the default.
struct btl_pres_t {
    std::function<void(bool on)> feedback;  // besides the log switch
    std::function<void(const wchar_t* text, unit_t* u, float_kind_t kind)> float_text;
    std::function<void(const wchar_t* img, const pt_t& cell)> cell_ani;
    std::function<void(unit_t* u, const pt_t& cell, int flags)> unit_step;
    std::function<void(unit_t* u)> enter_view;
    std::function<void(unit_t* u)> immune;  // besides the log line
    std::function<void(const wchar_t* name)> sfx;
    std::function<Str(double amount)> gold_text;
    std::function<Str(const itm_slot_t& s)> itm_tip_ref;
    std::function<Str(const unit_t* u)> unit_caption;
    std::function<Str(int pwr)> pwr_heading;  // the power's heading with flags 1, no suffix
};
btl_pres_t& btl_pres();

// Switches the battle log with the on-map feedback: false while the engine
// handles something on a cell the player's side does not see.
void set_btl_feedback(bool on);
// Floats text over the unit when battle feedback is on and its cell is in view.
void unit_float_text(const wchar_t* text, unit_t* u, float_kind_t kind);
void play_cell_ani(const wchar_t* img, const pt_t& cell);
// Before u enters cell: flags 0 an animated step, STEP_SLIDE a slide (a push
// or a pull), shown without the walk.
constexpr int STEP_SLIDE = 1;
void ani_unit_step(unit_t* u, const pt_t& cell, int flags);
// After a step, once u's cell and sight are updated.
void show_enter_view(unit_t* u);
// A target the power cannot affect; the immunity line goes to the log.
void show_immune(unit_t* u);
void btl_sfx(const wchar_t* name);
Str gold_text(double amount);
Str itm_tip_ref(const itm_slot_t& s);
Str unit_caption(const unit_t* u);
Str pwr_heading(int pwr);
