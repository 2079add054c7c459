#include "battle/zone.h"

#include <algorithm>

#include "battle/btl.h"
#include "rules/unit.h"

zone_t* get_zone_at(const pt_t& p) {
    for (zone_t* z : btl().zones)
        if (std::find(z->cells.begin(), z->cells.end(), p) != z->cells.end()) return z;
    return nullptr;
}

bool zone_affects(const zone_t& z, const unit_t* u) {
    if ((z.pwr == 126 || z.pwr == 278) && u->has_trait(5)) return false;
    if (z.pwr == 121 && u->has_pwr(263)) return false;
    return true;
}

void zone_entry(unit_t* u) {
    // TODO: each zone on u's cell runs its effect on that cell (run_zone_effect),
    // which comes with the action contexts; until then entering a zone does nothing.
    (void)u;
}
