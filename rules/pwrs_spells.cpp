// The 25 spells casters learn, slots 119 to 143; every one has attack kind 3.
#include "rules/pwr_builders.h"
#include "rules/pwr_rows.h"

namespace {
// school: 1 conjuration, 2 elemental, 3 control, 4 necromancy. cls_mask: 72 classes
// 3 and 6; 36 classes 2 and 5; 108 all four. cond: 1 slow, 2 no_mov, 3 prone, 6 sleep, 23 corrode.
constexpr spl_row_t spl_rows[] = {
    {.id = 119, .key = "mm", .school = 1, .lv = 1, .cls_mask = 72, .flags = 0x200, .cost = 3, .cd = 2, .rng = 7, .dmg = "1d4b", .lv_scale = -5},
    {.id = 120, .key = "sleep", .school = 3, .lv = 1, .cls_mask = 72, .flags = 0, .cost = 4, .cd = 3, .rng = 7, .area = 2, .def = 4, .cond = 6},
    {.id = 121, .key = "grease", .school = 3, .lv = 1, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 3, .rng = 7, .area = 1, .def = 3, .cond = 3, .zone_dur = ZONE_LASTING},
    {.id = 122, .key = "sum", .school = 1, .lv = 1, .cls_mask = 72, .flags = 0xC0, .cost = 4, .cd = 3, .rng = 3},
    {.id = 123, .key = "heal", .school = 1, .lv = 1, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 2, .rng = 1, .def = 4, .dmg = "2d8e", .lv_scale = 2},
    {.id = 124, .key = "harm", .school = 4, .lv = 1, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 2, .rng = 1, .def = 4, .dmg = "2d8n", .lv_scale = 2},
    {.id = 125, .key = "acid_arrow", .school = 2, .lv = 2, .cls_mask = 72, .flags = 0x200, .cost = 3, .cd = 2, .rng = 7, .def = 3, .dmg = "2d4a", .lv_scale = 2, .cond = 23},
    {.id = 126, .key = "web", .school = 1, .lv = 2, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 3, .rng = 7, .area = 2, .def = 3, .cond = 2, .zone_dur = ZONE_LASTING},
    {.id = 127, .key = "fire_ball", .school = 2, .lv = 3, .cls_mask = 72, .flags = 0x600, .cost = 3, .cd = 3, .rng = 12, .area = 1, .def = 3, .dmg = "2d6f", .lv_scale = 2},
    {.id = 128, .key = "litn", .school = 2, .lv = 3, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 3, .rng = 12, .area = -3, .def = 3, .dmg = "2d6l", .lv_scale = 2},
    {.id = 129, .key = "mk_ud", .school = 4, .lv = 3, .cls_mask = 108, .flags = 0xC0, .cost = 3, .cd = 3, .rng = 1, .area = 1, .def = 4},
    {.id = 130, .key = "dispel", .school = 1, .lv = 3, .cls_mask = 108, .flags = 0, .cost = 3, .cd = 3, .rng = 7, .area = 2, .def = 4},
    {.id = 131, .key = "searing_lit", .school = 2, .lv = 3, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 2, .rng = 7, .def = 3, .dmg = "1d8f", .lv_scale = 2},
    {.id = 132, .key = "ice_storm", .school = 2, .lv = 4, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 8, .rng = 12, .area = 2, .def = 3, .dmg = "1d4c", .lv_scale = -2, .cond = 1, .zone_dur = 1},
    {.id = 133, .key = "ice_nova", .school = 2, .lv = 5, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 5, .rng = 3, .area = -1, .def = 3, .dmg = "1d4c", .lv_scale = 2, .cond = 2},
    {.id = 134, .key = "teleport", .school = 1, .lv = 5, .cls_mask = 72, .flags = 0x100, .cost = 3, .cd = 5, .rng = 3, .def = 4},
    {.id = 135, .key = "heal_x", .school = 1, .lv = 5, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 3, .rng = 7, .area = 2, .def = 4, .dmg = "2d8e", .lv_scale = 2},
    {.id = 136, .key = "harm_x", .school = 4, .lv = 5, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 3, .rng = 7, .area = 2, .def = 4, .dmg = "2d8n", .lv_scale = 2},
    {.id = 137, .key = "resurrect", .school = 1, .lv = 5, .cls_mask = 36, .flags = 0xC0, .cost = 4, .cd = 8, .rng = 1},
    {.id = 138, .key = "slay_live", .school = 4, .lv = 5, .cls_mask = 36, .flags = 0, .cost = 3, .cd = 5, .rng = 1, .def = 2, .dmg = "P100n", .lv_scale = 2},
    {.id = 139, .key = "litn_x", .school = 2, .lv = 6, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 5, .rng = 12, .def = 3, .dmg = "2d8l", .lv_scale = 2},
    {.id = 140, .key = "acid_fog", .school = 2, .lv = 6, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 8, .rng = 7, .area = 2, .def = 3, .dmg = "1d4a", .lv_scale = -2, .cond = 1, .zone_dur = 1},
    {.id = 141, .key = "dead_finger", .school = 4, .lv = 7, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 5, .rng = 3, .def = 2, .dmg = "P100n", .lv_scale = 2},
    {.id = 142, .key = "fire_cloud", .school = 2, .lv = 8, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 8, .rng = 7, .area = 2, .def = 3, .dmg = "1d6f", .lv_scale = -2, .zone_dur = 1},
    {.id = 143, .key = "meteor_swarm", .school = 2, .lv = 9, .cls_mask = 72, .flags = 0, .cost = 3, .cd = 5, .rng = 12, .area = 2, .def = 3, .dmg = "2d6f;1d6b", .lv_scale = 1},
};
static_assert(ids_in_order(spl_rows) && spl_rows[0].id == 119 && std::size(spl_rows) == 25);
}  // namespace

void build_spells() {
    for (const spl_row_t& r : spl_rows) build_spell(r);
}
