#include "rules/unit_grp.h"

#include "rules/unit.h"

unit_grp_t::~unit_grp_t() { unit_vec_clear(units); }
