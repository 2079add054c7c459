// The 103 feats characters learn, slots 16 to 118. Seven of them are used as
// actions and carry an action row as well.
#include <algorithm>

#include "rules/pwr_builders.h"
#include "rules/pwr_rows.h"

namespace {
// cat: 1 cmn, 2 wpn, 3 amr, 4 melee, 5 tw, 6 th, 7 range, 8 cm, 9 spl.
// cls_mask: 18 classes 1 and 4; 108 classes 2, 3, 5, 6; 36 classes 2 and 5.
constexpr feat_row_t feat_rows[] = {
    {.id = 16, .key = "init1", .cat = 1},
    {.id = 17, .key = "quick_draw", .cat = 1},
    {.id = 18, .key = "hp1", .cat = 1},
    {.id = 19, .key = "ft1", .cat = 1},
    {.id = 20, .key = "rf1", .cat = 1},
    {.id = 21, .key = "wl1", .cat = 1},
    {.id = 22, .key = "def1", .cat = 1, .lv = 10},
    {.id = 23, .key = "dodge", .cat = 1, .abi = {.dex = 13}},
    {.id = 24, .key = "mobility", .cat = 1, .pre = {23}},
    {.id = 25, .key = "wp_sword", .cat = 2},
    {.id = 26, .key = "wp_axe", .cat = 2},
    {.id = 27, .key = "wp_hammer", .cat = 2},
    {.id = 28, .key = "wp_flail", .cat = 2},
    {.id = 29, .key = "wp_spear", .cat = 2},
    {.id = 30, .key = "wp_bow", .cat = 2},
    {.id = 31, .key = "wp_xbow", .cat = 2},
    {.id = 32, .key = "wp_thrown", .cat = 2},
    {.id = 33, .key = "wp_unarmed", .cat = 2},
    {.id = 34, .key = "wp_simple", .cat = 2},
    {.id = 35, .key = "atk1", .cat = 2, .pre = {34}},
    {.id = 36, .key = "atk2", .cat = 2, .cls_mask = 18, .lv = 8, .pre = {35}},
    {.id = 37, .key = "dmg1", .cat = 2, .lv = 4, .pre = {35}},
    {.id = 38, .key = "dmg2", .cat = 2, .cls_mask = 18, .lv = 12, .pre = {37}},
    {.id = 39, .key = "ch1", .cat = 2, .lv = 8, .pre = {34}},
    {.id = 40, .key = "ch2", .cat = 2, .lv = 16, .pre = {39}},
    {.id = 41, .key = "ch_pwr", .cat = 2, .lv = 12, .pre = {39}},
    {.id = 42, .key = "ch_bleed", .cat = 2, .lv = 11, .pre = {39}},
    {.id = 43, .key = "ch_bleed2", .cat = 2, .cls_mask = 18, .lv = 15, .pre = {42}},
    {.id = 44, .key = "ch_cripple", .cat = 2, .lv = 13, .pre = {39}},
    {.id = 45, .key = "ch_cripple2", .cat = 2, .cls_mask = 18, .lv = 17, .pre = {44}},
    {.id = 46, .key = "ch_stun", .cat = 2, .cls_mask = 18, .lv = 15, .pre = {39}},
    {.id = 47, .key = "ch_2_effs", .cat = 2, .cls_mask = 18, .lv = 14, .pre = {39}},
    {.id = 48, .key = "shd_use1", .cat = 3},
    {.id = 49, .key = "shd_use2", .cat = 3, .pre = {48}},
    {.id = 50, .key = "shd_def1", .cat = 3, .pre = {48}},
    {.id = 51, .key = "shd_def2", .cat = 3, .cls_mask = 18, .lv = 8, .pre = {50}},
    {.id = 52, .key = "amr_use1", .cat = 3},
    {.id = 53, .key = "amr_use2", .cat = 3, .pre = {52}},
    {.id = 54, .key = "amr_use3", .cat = 3, .pre = {53}},
    {.id = 55, .key = "pa", .cat = 4, .abi = {.str = 13}},
    {.id = 56, .key = "cleave", .cat = 4, .pre = {55}},
    {.id = 57, .key = "cleave_x", .cat = 4, .lv = 4, .pre = {56}},
    {.id = 58, .key = "cleave_ko", .cat = 4, .lv = 4, .pre = {56}},
    {.id = 59, .key = "atk_m_tgt2", .cat = 4, .lv = 6, .pre = {56}},
    {.id = 60, .key = "atk_m_tgt2_1", .cat = 4, .lv = 12, .pre = {59}},
    {.id = 61, .key = "atk_m_tgt2_2", .cat = 4, .cls_mask = 18, .lv = 18, .pre = {60}},
    {.id = 62, .key = "atk_m_tgtx", .cat = 4, .cls_mask = 18, .lv = 16, .pre = {59}},
    {.id = 63, .key = "atk_m_tgtx_1", .cat = 4, .cls_mask = 18, .lv = 20, .pre = {62}},
    {.id = 64, .key = "atk_m_dmg2", .cat = 4, .lv = 6, .pre = {55}},
    {.id = 65, .key = "atk_m_dmg3", .cat = 4, .cls_mask = 18, .lv = 12, .pre = {64}},
    {.id = 66, .key = "charge1", .cat = 4, .pre = {55}},
    {.id = 67, .key = "charge2", .cat = 4, .lv = 6, .pre = {66}},
    {.id = 68, .key = "ao_x", .cat = 4},
    {.id = 69, .key = "dex_wpn", .cat = 4},
    {.id = 70, .key = "tw", .cat = 5, .abi = {.dex = 15}},
    {.id = 71, .key = "tw1", .cat = 5, .lv = 6, .abi = {.dex = 17}, .pre = {70}},
    {.id = 72, .key = "tw2", .cat = 5, .lv = 11, .abi = {.dex = 19}, .pre = {71}},
    {.id = 73, .key = "tw3", .cat = 5, .cls_mask = 18, .lv = 16, .abi = {.dex = 21}, .pre = {72}},
    {.id = 74, .key = "tw_def", .cat = 5, .lv = 3, .pre = {70}},
    {.id = 75, .key = "tw_def1", .cat = 5, .lv = 6, .pre = {74}},
    {.id = 76, .key = "tw_off", .cat = 5, .lv = 6, .pre = {70}},
    {.id = 77, .key = "tw_rend", .cat = 5, .lv = 11, .pre = {76, 71}},
    {.id = 78, .key = "th", .cat = 6, .lv = 5, .abi = {.str = 15}},
    {.id = 79, .key = "th1", .cat = 6, .cls_mask = 18, .lv = 13, .abi = {.str = 17}, .pre = {78}},
    {.id = 80, .key = "th_ko", .cat = 6, .lv = 11, .abi = {.str = 19}, .pre = {78}},
    {.id = 81, .key = "th_ko1", .cat = 6, .cls_mask = 18, .lv = 17, .abi = {.str = 21}, .pre = {80}},
    {.id = 82, .key = "th_atk1", .cat = 6, .lv = 9, .abi = {.str = 17}, .pre = {78}},
    {.id = 83, .key = "rng_near", .cat = 7},
    {.id = 84, .key = "rng_precise", .cat = 7, .pre = {83}},
    {.id = 85, .key = "rng_precise1", .cat = 7, .lv = 11, .abi = {.dex = 19}, .pre = {84}},
    {.id = 86, .key = "atk_r_atk2", .cat = 7, .lv = 6, .abi = {.dex = 13}, .pre = {83}},
    {.id = 87, .key = "atk_r_atk2_1", .cat = 7, .lv = 12, .abi = {.dex = 15}, .pre = {86}},
    {.id = 88, .key = "atk_r_atk2_2", .cat = 7, .cls_mask = 18, .lv = 18, .abi = {.dex = 17}, .pre = {87}},
    {.id = 89, .key = "atk_r_tgt3", .cat = 7, .lv = 12, .abi = {.dex = 15}, .pre = {86}},
    {.id = 90, .key = "atk_r_tgt3_1", .cat = 7, .lv = 18, .abi = {.dex = 17}, .pre = {89}},
    {.id = 91, .key = "atk_r_tgtx", .cat = 7, .cls_mask = 18, .lv = 16, .abi = {.dex = 19}, .pre = {89}},
    {.id = 92, .key = "atk_r_tgtx_1", .cat = 7, .cls_mask = 18, .lv = 20, .pre = {91}},
    {.id = 93, .key = "rng_pa", .cat = 7, .abi = {.dex = 13}},
    {.id = 94, .key = "rng_xbow", .cat = 7},
    {.id = 95, .key = "rng_wis", .cat = 7, .abi = {.wis = 13}},
    {.id = 96, .key = "unarmed1", .cat = 8},
    {.id = 97, .key = "grap1", .cat = 8, .pre = {96}},
    {.id = 98, .key = "grap2", .cat = 8, .lv = 6, .pre = {97}},
    {.id = 99, .key = "trip1", .cat = 8, .pre = {96}},
    {.id = 100, .key = "trip2", .cat = 8, .lv = 6, .pre = {99}},
    {.id = 101, .key = "ram1", .cat = 8, .pre = {96}},
    {.id = 102, .key = "ram2", .cat = 8, .lv = 6, .pre = {101}},
    {.id = 103, .key = "drag1", .cat = 8, .pre = {96}},
    {.id = 104, .key = "drag2", .cat = 8, .lv = 6, .pre = {103}},
    {.id = 105, .key = "overrun1", .cat = 8, .pre = {96}},
    {.id = 106, .key = "overrun2", .cat = 8, .lv = 6, .pre = {105}},
    {.id = 107, .key = "spl_conj", .cat = 9, .cls_mask = 108},
    {.id = 108, .key = "spl_summ1", .cat = 9, .cls_mask = 108, .pre = {107}},
    {.id = 109, .key = "spl_elem", .cat = 9, .cls_mask = 108},
    {.id = 110, .key = "spl_elem1", .cat = 9, .cls_mask = 108, .pre = {109}},
    {.id = 111, .key = "spl_ctrl", .cat = 9, .cls_mask = 108},
    {.id = 112, .key = "spl_dead", .cat = 9, .cls_mask = 108},
    {.id = 113, .key = "spl_unao", .cat = 9, .cls_mask = 108},
    {.id = 114, .key = "spl_unsr1", .cat = 9, .cls_mask = 108},
    {.id = 115, .key = "spl_unsr2", .cat = 9, .cls_mask = 108, .pre = {114}},
    {.id = 116, .key = "turn1", .cat = 9, .cls_mask = 36},
    {.id = 117, .key = "turn2", .cat = 9, .cls_mask = 36, .pre = {116}},
    {.id = 118, .key = "turn_extra", .cat = 9, .cls_mask = 36},
};
static_assert(ids_in_order(feat_rows) && feat_rows[0].id == 16 && std::size(feat_rows) == 103);

// The action values of the feats used as actions; their flags keep the feat bit 0x8.
constexpr act_row_t feat_act_rows[] = {
    {.id = 59, .key = "atk_m_tgt2", .flags = 0x20009, .cost = 3, .cd = 3, .rng = -1, .area = -5, .atk = 1, .def = 1, .dmg = "W1"},
    {.id = 62, .key = "atk_m_tgtx", .flags = 0x20009, .cost = 3, .cd = 5, .rng = -1, .area = -1, .atk = 1, .def = 1, .dmg = "W1"},
    {.id = 64, .key = "atk_m_dmg2", .flags = 0x9, .cost = 3, .cd = 3, .rng = -1, .atk = 1, .def = 1, .dmg = "W2"},
    {.id = 65, .key = "atk_m_dmg3", .flags = 0x809, .cost = 3, .cd = 5, .rng = -1, .atk = 1, .def = 1, .dmg = "W3"},
    {.id = 86, .key = "atk_r_atk2", .flags = 0x20008, .cost = 3, .cd = 3, .rng = -1, .atk = 2, .def = 1, .dmg = "W1"},
    {.id = 89, .key = "atk_r_tgt3", .flags = 0x20008, .cost = 3, .cd = 3, .rng = -1, .area = 1, .atk = 2, .def = 1, .dmg = "W1"},
    {.id = 91, .key = "atk_r_tgtx", .flags = 0x20008, .cost = 4, .cd = 5, .rng = -1, .area = -1, .atk = 2, .def = 1, .dmg = "W1"},
};
static_assert(ids_in_order(feat_act_rows));

const act_row_t* feat_act_row(int id) {
    for (const act_row_t& a : feat_act_rows)
        if (a.id == id) return &a;
    return nullptr;
}
}  // namespace

void build_feats() {
    for (const feat_row_t& f : feat_rows) {
        if (const act_row_t* a = feat_act_row(f.id)) build_feat_act(f, *a);
        else build_feat(f);
    }
}
