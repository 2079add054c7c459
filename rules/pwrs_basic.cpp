// The fifteen basic actions every unit may take, slots 1 to 15.
#include "rules/pwr_builders.h"
#include "rules/pwr_rows.h"

namespace {
// cond: 3 prone, 6 sleep, 15 grapper, 16 grap; negative removes.
constexpr act_row_t basic_rows[] = {
    {.id = 1, .key = "mov", .flags = 0x80, .cost = 2, .rng = -12},
    {.id = 2, .key = "atk_m", .flags = 0x1, .cost = 3, .rng = -1, .atk = 1, .def = 1, .dmg = "W1"},
    {.id = 3, .key = "atk_r", .flags = 0, .cost = 3, .rng = -1, .atk = 2, .def = 1, .dmg = "W1"},
    {.id = 4, .key = "trip", .flags = 0, .cost = 3, .rng = -1, .atk = 4, .def = 5, .cond = 3},
    {.id = 5, .key = "ram", .flags = 0, .cost = 3, .rng = 1, .atk = 4, .def = 5},
    {.id = 6, .key = "drag", .flags = 0, .cost = 3, .rng = 1, .atk = 4, .def = 5},
    {.id = 7, .key = "overrun", .flags = 0, .cost = 3, .rng = 1, .atk = 4, .def = 5},
    {.id = 8, .key = "grap", .flags = 0, .cost = 3, .rng = 1, .atk = 4, .def = 5, .cond = 16},
    {.id = 9, .key = "grap_end", .flags = 0x80, .cost = 1, .cond = -15},
    {.id = 10, .key = "swap_wpn", .flags = 0x80, .cost = 2},
    {.id = 11, .key = "wait", .flags = 0x81, .cost = 1},
    {.id = 12, .key = "drop_prone", .flags = 0x81, .cost = 1, .cond = 3},
    {.id = 13, .key = "stand_up", .flags = 0x80, .cost = 2, .cond = -3},
    {.id = 14, .key = "wake", .flags = 0x80, .cost = 3, .rng = 1, .cond = -6},
    {.id = 15, .key = "end_turn", .flags = 0x81, .cost = 1},
};
static_assert(ids_in_order(basic_rows) && basic_rows[0].id == 1 && std::size(basic_rows) == 15);
}  // namespace

void build_basic_acts() {
    for (const act_row_t& r : basic_rows) build_act(r);
}
