#pragma once
// A group that owns its units: the party or a monster group.
#include <vector>

class unit_t;

class unit_grp_t {
public:
    std::vector<unit_t*> units;

    unit_grp_t() = default;
    unit_grp_t(const unit_grp_t&) = delete;
    unit_grp_t& operator=(const unit_grp_t&) = delete;
    virtual ~unit_grp_t();
};
