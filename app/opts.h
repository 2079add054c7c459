#pragma once
// The player's options from section "Main" of the configuration, read once at
// start-up; the screens read them, the settings dialog changes them.
#include <span>

class CZsIni;

struct opts_t {
    bool full_screen = true;
    bool show_fps = false;
    bool music = true;
    bool sound = true;
    bool ao_prompt = true;
    bool show_all_hits_in_rng = false;
    bool show_tip_at_rb = false;
    bool show_simple_act_tip = true;
    bool show_grid = false;
    bool ani_vp = true;
    bool ani_cur_u_mark = true;
    bool auto_arena = false;
    bool auto_load_ammos = false;
    bool disp_dice = false;
    bool show_dnd_ch = false;
    int spd_ani_lv = 1;  // animation speed level 1..3
};

opts_t& opts();

// One on/off option: its key in section "Main", its flag and its default.
struct opt_row_t {
    const wchar_t* key;
    bool opts_t::*field;
    bool def;
};
// The fifteen on/off options, in the order the configuration lists them.
std::span<const opt_row_t> opt_rows();
// The row of key; null when no option has that key.
const opt_row_t* find_opt_row(const wchar_t* key);

// The animation speed level of section "Main" of ini, clamped to 1..3.
int read_spd_ani_lv(const CZsIni& ini);
// Pixels a unit moves per animation step at speed level lv (1..3): 4, 8 or 32.
int ani_step_px(int lv);

// Reads the options block from section "Main" of `ini`; values missing or not
// numbers take their defaults.
void load_opts_from(const CZsIni& ini);
// The same from the configuration object.
void load_opts();
