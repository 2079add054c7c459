#pragma once
// Inside the battle screen: what it holds between frames (the player's pending
// orders, the marks, labels, banner and tip) and the functions its parts call
// across files: the orders (btl_orders.cpp), the drawing (btl_draw.cpp) and
// the presentation of the fight (btl_fx.cpp). The scene itself is btl_scene.cpp.
#include <cstdint>
#include <functional>
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "battle/dflt_act.h"
#include "battle/listener.h"
#include "battle/pf.h"
#include "battle/stat_act.h"
#include "rules/u_cmd.h"

class btl_scene_t;
class act_ctx_t;
class act_t;
class unit_t;
class wnd_t;
struct atk_rec_t;
struct dmg_res_t;
struct evt_t;
struct itm_slot_t;

constexpr pt_t NO_PT{-1, -1};

// The power as an action; null for a passive power or an id outside the registry.
const act_t* as_act(int pwr);
// Whether u may use the power now, as the engine decides it.
bool can_use(const unit_t* u, int pwr);
// What a tooltip of the power shows.
Str pwr_tip_ref(int pwr);

// Hit-chance label modes: none, one command's (always drawn), every target of
// a power (drawn with the option or while Alt is held).
enum : int { LABELS_NONE = 0, LABELS_CMD = 1, LABELS_ALL = 2 };

// Animations the battle waits for carry this flag (ani_mgr_t::wait, mode 2);
// floating texts and blood do not.
constexpr int ANI_F_BTL = 1;

// An animation the battle screen played, as it was asked for.
struct fx_rec_t {
    int kind = 0;  // zg::ANI_TEXT, ANI_IMGS or ANI_MISSILE
    Str name;      // the text or the image
    rect r{0, 0, 0, 0};  // an image's rectangle; a missile's from and to points as x, y, w, h
    clr_t clr;
    int font = 0;
};

struct act_pick_t {
    int id = 0;
    int param = 0;
};

struct btl_view_t {
    // ---- orders ----
    move_range_t mr;               // the current unit's, while it is ready
    std::vector<pt_t> walk;        // the path of the pending move
    std::vector<pt_t> tgt_pts;     // where the picked or pending power may aim
    std::vector<pt_t> area_pts;    // what the pending power would cover
    std::vector<u_cmd_t> pending;  // what a left click gives
    act_pick_t sel;
    unit_t* hovered = nullptr;     // on the hover cell, when that is visible
    unit_t* waiting = nullptr;     // inside the wait for orders
    std::vector<pt_t> dflt_marks[DFLT_ACTS];

    // ---- presentation ----
    Str banner;
    std::vector<uint32_t> turn_texts;  // the animations of the turn's floating banner
    Str act_tip;
    bool out_of_sight = false;     // the current unit acts where the player cannot see
    pt_t cam = NO_PT;              // screen point of the current unit while it is offset
    pt_t slide = NO_PT;            // the sliding current-unit mark's corner, while sliding
    bool sliding = false;
    int flicker = 0;               // 0..4, one step a drawing
    bool feedback = true;
    std::vector<hit_label_t> labels;
    int label_mode = LABELS_NONE;
    // When set, every animation played is also written here (tests read it).
    std::vector<fx_rec_t>* fx_log = nullptr;
    // When set, every order the player commits is also written here: the
    // engine may have carried it out by the time a test looks at the queue.
    std::vector<u_cmd_t>* cmd_log = nullptr;
};
btl_view_t& bv();
// Everything above emptied, as a resumed scene starts.
void reset_btl_view();

// ---- orders (btl_orders.cpp) ----

// Rebuilds the pending commands for the hover cell; the cursor id, or CUR_NONE.
int orders_hover(btl_scene_t* s);
void orders_pick(btl_scene_t* s, int id, int param);
bool orders_commit(btl_scene_t* s);
void orders_cancel(btl_scene_t* s);
bool orders_input(btl_scene_t* s, const evt_t* e, wnd_t* sender);
bool orders_bar_msg(btl_scene_t* s, const evt_t* e, wnd_t* sender);
void dflt_marks_fill(unit_t* u);
void dflt_marks_clear();
// The cursor for aiming the power at the hover cell.
int act_cursor(const unit_t* u, int pwr, const pt_t& hover);
// Installs the battle's quick-slot bar as the interface's bar maker.
void install_btl_act_bar();

// ---- drawing (btl_draw.cpp) ----

// tiles draws the map as the map scene does (tiles, fog, grid).
void draw_btl(btl_scene_t* s, const std::function<void()>& tiles);
void draw_fog(btl_scene_t* s);
void draw_mm_markers(btl_scene_t* s);
double light_factor(const pt_t& c);
bool btl_cell_tip(btl_scene_t* s, Str& out);
// Text centred on (x, y), laid out once and kept: the bar's numbers and the
// labels come back every frame.
void draw_kept_text(const wchar_t* text, int x, int y, int font, clr_t c);
// The labels of one command always; those of every target with the option or while Alt is held.
bool hit_labels_shown();

// ---- presentation (btl_fx.cpp) ----

// Fills the engine's presentation hooks; the scene passed gets them.
void install_btl_pres();
bool is_cell_shown(btl_scene_t* s, const pt_t& c);
rect unit_screen_rect(btl_scene_t* s, const unit_t* u);
// Where the map's pixel (0, 0) lies on the screen; false outside a fight.
bool map_on_scrn(pt_t* out);
// A floating text at a point of the map, in its pixels, that follows the view;
// the animation's id, 0 when there is no fight to show it in.
uint32_t float_text_at(const wchar_t* text, const pt_t& at, clr_t c, int size);
// An image sequence over r (frames of the given size, or squares of the image's height).
void play_imgs(const wchar_t* img, const rect& r, const size* frame, int flags);
// The colour and size of a kind of floating text: where it is chosen.
struct float_style_t {
    clr_t clr;
    int size = 0;
};
const float_style_t& float_style(float_kind_t kind);
// A floating text of the kind over the unit, when feedback is on and its cell is shown.
uint32_t float_over(btl_scene_t* s, const wchar_t* text, unit_t* u, float_kind_t kind);
// The turn's banner: the box over the view, or its floating texts still rising.
bool banner_shown();
// The floating banner of the last turn ends, so that the next one does not lie over it.
void end_turn_banner();
void play_area_ani(const act_t* a, const rect& r);
Str act_effect_name(const act_t* a);
Str act_missile_name(const act_t* a, const itm_slot_t* wpn);
// The sound's name; empty when the action plays none.
Str act_sfx_name(const unit_t* u, const act_t* a, const atk_rec_t* rec);
void play_act_sfx(const unit_t* u, const act_t* a, const atk_rec_t* rec);
void atk_visual(btl_scene_t* s, act_ctx_t* ctx, atk_rec_t* rec, const std::vector<pt_t>& pts);
// The offsets of one step's ticks: s, 2s, ... below the distance (s from ani_step_px).
std::vector<int> step_ticks(int speed, int cells);
void unit_step(btl_scene_t* s, unit_t* u, const pt_t& cell, int flags);
void enter_view(btl_scene_t* s, unit_t* u);
void death_fade(btl_scene_t* s, unit_t* u);
void cur_mark_slide(btl_scene_t* s, unit_t* from, unit_t* to);
// The unit's pixel offset, and the camera point with it when it is the current unit.
void set_unit_offset(btl_scene_t* s, unit_t* u, const pt_t& off);

// Hit-chance labels.
void hit_labels_clear();
void hit_labels_all(unit_t* u, int pwr);
void hit_labels_pwr(unit_t* u, int pwr);
void hit_labels_dflt(unit_t* u);
void hit_labels_hover(unit_t* u);
void hit_labels_moved(unit_t* u, const pt_t& cell);
void hit_tip_cmd(unit_t* u, int pwr, const pt_t& cell);
void hit_tip_from(unit_t* u, const pt_t& from, int pwr, const pt_t& cell);
