#include "battle/btl.h"

#include "battle/zone.h"
#include "rules/unit.h"

namespace {
std::unique_ptr<btl_t>& holder() {
    // Until the first set-up no battle runs: the screens show every unit as
    // known and the party's equipment as changeable.
    static std::unique_ptr<btl_t> b = [] {
        auto s = std::make_unique<btl_t>();
        s->state = BTL_NONE;
        return s;
    }();
    return b;
}
}  // namespace

btl_t::~btl_t() {
    for (zone_t* z : zones) delete z;
    for (unit_t* u : summons) delete u;
}

btl_t& btl() { return *holder(); }

void reset_btl() { holder() = std::make_unique<btl_t>(); }
