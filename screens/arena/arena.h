#pragma once
// The arena scene: the game's main loop for the player. Its one window is the
// hub (screens/arena/encs_dlg.h); what the arena remembers between runs lives
// in the party's arena record and is written with the current arena slot.
#include <functional>
#include <vector>

#include "app/scene.h"

class encs_dlg_t;
class Str;
struct slot_load_t;
class unit_grp_t;
struct enc_t;

class arena_scene_t : public scene_t {
public:
    // Null before the first enter.
    virtual encs_dlg_t* hub() const = 0;
};

arena_scene_t* new_arena_scene();

// What loading an arena slot met, told to the player: what could not be read
// and what was loaded instead. Empty when the slot loaded as asked (or a first
// game began).
Str slot_load_msg(const slot_load_t& w);
// Shows that message in a dialog over the hub.
void tell_slot_load(const Str& text);
// Null until the arena is first made; again null once it is deleted.
arena_scene_t* get_arena_scene();

// Runs one battle of the party against foes (flags 0: a generated map) and
// answers the battle's state: 1 aborted, 2 won, 3 lost.
using btl_runner_t = std::function<int(unit_grp_t* foes, int flags)>;
// The start-up sets the battle screen's fight_btl; without a runner the hub's
// fight button stays disabled.
void set_btl_runner(btl_runner_t run);
bool has_btl_runner();

// Charges the fee, saves, runs the battle against the encounter's monsters,
// reports the win (paying the rewards) or the loss, and counts it. Whether the battle was won.
bool arena_fight(const enc_t& e);
// The victory page (which pays experience, gold and loot) and the defeat page.
void arena_report_win(const enc_t& e);
void arena_report_loss();

// On resume, with the option `auto_load_ammos`: the party's ammunition from
// the bag (refill_pty_ammo); a shortage is only reported.
void auto_load_ammo();
