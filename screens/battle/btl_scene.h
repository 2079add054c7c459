#pragma once
// The battle screen: one tactical battle fought on the map scene. fight_btl
// sets up the map and the sides, makes the battle scene current and runs the
// turn engine; the scene answers the engine's listener (texts, animations,
// sounds, the wait for the player's orders) and turns the player's clicks into
// the acting unit's commands. It only presents: a battle stays a function of
// its seed and the commands given.
#include <vector>

#include "app/str.h"
#include "battle/listener.h"
#include "rules/u_cmd.h"
#include "screens/map/map_scene.h"

class tmap_t;
class u_lv2_t;
class unit_grp_t;
class unit_t;
class wnd_t;

// A map scene whose cells may lie in the fog of war.
class fov_map_scene_t : public map_scene_t {
public:
    // 0..1: how dark the fog lies on a visible cell (0 clear).
    virtual double get_light_factor(const pt_t& c) = 0;
    virtual bool is_cell_visible(const pt_t& c) = 0;
};

// The battle scene and, through btl_listener_t, the engine's listener.
class btl_scene_t : public fov_map_scene_t, public btl_listener_t {
public:
    // Nothing calls it; kept for the scene's table of operations.
    virtual int get_const_5() { return 5; }
    // The current unit's cell.
    virtual pt_t get_focus_cell() = 0;

    // ---- the player's orders ----

    // A power picked on the bar or in a menu: switched, aimed, or used at once on the unit itself.
    virtual void pick_pwr(int id, int param) = 0;
    // The pending commands go to the acting unit's queue; false when there were none.
    virtual bool commit_cmds() = 0;
    virtual void cancel_pwr() = 0;
    virtual bool on_map_input(const evt_t* e, wnd_t* sender) = 0;
    virtual bool on_bar_msg(const evt_t* e, wnd_t* sender) = 0;

    // ---- what the scene holds (for the screens around it and for tests) ----

    // The unit waiting for the player's orders; null while the engine works.
    virtual unit_t* waiting_unit() const = 0;
    // How many waits for orders began since the program started.
    virtual int orders_asked() const = 0;
    virtual const std::vector<u_cmd_t>& pending_cmds() const = 0;
    // {power id, parameter} picked and being aimed; {0, 0} for none.
    virtual pt_t sel_pwr() const = 0;
    virtual const Str& banner() const = 0;
    virtual const Str& act_tip() const = 0;
    virtual unit_t* hovered_unit() const = 0;
    virtual int hover_cursor() const = 0;
    // The roster's faces over the map; null before the scene was first entered.
    virtual u_lv2_t* strip() const = 0;
};

// System menu command: give the battle up.
constexpr int SYS_CMD_SURRENDER = 301;

// Runs one battle of the party against foes; flags bit 0: the map file
// "maps/btl.map" instead of a generated map (a missing or damaged file falls
// back to the generator). Returns the battle state: 1 aborted, 2 won, 3 lost.
// The battle scene stays on top; the caller pops it.
int fight_btl(unit_grp_t* foes, int flags);
constexpr int FIGHT_MAP_FILE = 1;

// fight_btl after its set-up: the scene made current over a battle that
// begin_btl set up on map, the battle run to its end, the party healed.
// Tests stage battles by hand and run them here.
int run_btl_scene(tmap_t* map);

// The one battle scene, made and registered on first use; *made tells whether this call made it.
btl_scene_t* get_btl_scene(bool* made);
// The scene the running battle talks to; null outside a battle.
btl_scene_t* cur_btl_scene();
// pick_pwr on the current battle scene; nothing outside a battle.
void scene_pick_pwr(int id, int param);

// The way to watch a battle: the default party against a generated
// encounter of its level, fought at once and ended back in the main menu.
// The party is made anew; the seed, when not 0, seeds the game's generator first.
int watch_btl(uint32_t seed);
