#pragma once
// The base of a unit's parts (equipment, powers, conditions, action bar): each
// knows the unit it belongs to.
class unit_t;

class u_part_t {
public:
    unit_t* u = nullptr;  // set by the owning unit; never copied between units

    u_part_t() = default;
    // A copy keeps its own back pointer: the owning unit re-points its parts.
    u_part_t(const u_part_t&) : u(nullptr) {}
    u_part_t& operator=(const u_part_t&) { return *this; }
    virtual ~u_part_t() = default;
};
