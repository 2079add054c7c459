#include "app/opts.h"

#include <algorithm>

#include "app/ini.h"

namespace {
struct opt_row_t {
    const wchar_t* key;
    bool opts_t::*field;
    bool def;
};

// In the order the configuration lists them.
constexpr opt_row_t opt_rows[] = {
    {L"full_screen", &opts_t::full_screen, true},
    {L"show_fps", &opts_t::show_fps, false},
    {L"music", &opts_t::music, true},
    {L"sound", &opts_t::sound, true},
    {L"ao_prompt", &opts_t::ao_prompt, true},
    {L"show_all_hits_in_rng", &opts_t::show_all_hits_in_rng, false},
    {L"show_tip_at_rb", &opts_t::show_tip_at_rb, false},
    {L"show_simple_act_tip", &opts_t::show_simple_act_tip, true},
    {L"show_grid", &opts_t::show_grid, false},
    {L"ani_vp", &opts_t::ani_vp, true},
    {L"ani_cur_u_mark", &opts_t::ani_cur_u_mark, true},
    {L"auto_arena", &opts_t::auto_arena, false},
    {L"auto_load_ammos", &opts_t::auto_load_ammos, false},
    {L"disp_dice", &opts_t::disp_dice, false},
    {L"show_dnd_ch", &opts_t::show_dnd_ch, false},
};
}  // namespace

opts_t& opts() {
    static opts_t o;
    return o;
}

void load_opts_from(const CZsIni& ini) {
    opts_t& o = opts();
    for (const opt_row_t& r : opt_rows) o.*r.field = ini.get_int(r.key, r.def ? 1 : 0, L"Main") != 0;
    o.spd_ani_lv = std::clamp(ini.get_int(L"spd_ani_lv", 1, L"Main"), 1, 3);
}

void load_opts() { load_opts_from(CZsConfig::instance()); }
