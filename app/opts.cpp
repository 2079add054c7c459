#include "app/opts.h"

#include <algorithm>
#include <cwchar>

#include "app/ini.h"
#include "app/notes.h"
#include "app/sys.h"

namespace {
constexpr opt_row_t opt_tbl[] = {
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
constexpr int step_px[3] = {4, 8, 32};
}  // namespace

std::span<const opt_row_t> opt_rows() { return opt_tbl; }

const opt_row_t* find_opt_row(const wchar_t* key) {
    for (const opt_row_t& r : opt_tbl)
        if (key && std::wcscmp(r.key, key) == 0) return &r;
    return nullptr;
}

int read_spd_ani_lv(const CZsIni& ini) { return std::clamp(ini.get_int(L"spd_ani_lv", 1, L"Main"), 1, 3); }

int ani_step_px(int lv) { return step_px[std::clamp(lv, 1, 3) - 1]; }

opts_t& opts() {
    static opts_t o;
    return o;
}

namespace {
// A value written in the configuration that is not one the game writes: the log says what is used instead.
void check_value(const CZsIni& ini, const wchar_t* key, int lo, int hi, int used) {
    const Str text = ini.get_string(key, Str(), L"Main");
    int v = 0;
    if (text.empty() || (sys_str_to_int_ex(text.buf, true, &v) && v >= lo && v <= hi)) return;
    note_trouble(L"cfg_value", {Str(key), text, Str(L"%d", used)});
}
}  // namespace

void load_opts_from(const CZsIni& ini) {
    opts_t& o = opts();
    for (const opt_row_t& r : opt_tbl) {
        o.*r.field = ini.get_int(r.key, r.def ? 1 : 0, L"Main") != 0;
        check_value(ini, r.key, 0, 1, o.*r.field ? 1 : 0);
    }
    o.spd_ani_lv = read_spd_ani_lv(ini);
    check_value(ini, L"spd_ani_lv", 1, 3, o.spd_ani_lv);
}

void load_opts() { load_opts_from(CZsConfig::instance()); }
