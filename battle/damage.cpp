#include "battle/damage.h"

#include "rules/unit.h"

void halve_dmg(int* amount) {
    const int a = *amount;
    *amount = a / 2;
    if (*amount == 0 && a != 0) *amount = a > 0 ? 1 : -1;
}

void set_energy_res(unit_t* u) {
    // Percentages of "rpr", "pe", "ne" by race group: living, undead, construct, elemental.
    static const int pct[4][3] = {{100, 200, 0}, {100, 0, 200}, {200, 100, 100}, {100, 100, 100}};
    const int g = u->race_grp();
    const int* row = pct[g >= 1 && g <= 4 ? g - 1 : 2];
    for (int i = 0; i < 3; ++i) u->drv.res[9 + i] = row[i];
}
