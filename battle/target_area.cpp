#include "rules/pwr.h"
#include "rules/unit.h"

int act_t::get_area(const unit_t* u) const { return area == -5 && u && u->has_pwr(61) ? -6 : area; }
