#pragma once
// The 20 power buttons the battle scene shows for a unit, and the one selected.
#include "rules/u_part.h"

namespace io {
class io_t;
}

constexpr int ACTBAR_SLOTS = 20;

struct actbar_item_t {
    int pwr = 0;    // 0 = empty slot
    int param = 0;  // handed to the power with its command; WSET_OTHER for P_SWAP_WPN
    friend bool operator==(const actbar_item_t&, const actbar_item_t&) = default;
};

class u_actbar_t : public u_part_t {
public:
    actbar_item_t items[ACTBAR_SLOTS];
    int sel = -1;  // selected slot, -1 none

    u_actbar_t() = default;
    u_actbar_t(const u_actbar_t&) = delete;
    u_actbar_t& operator=(const u_actbar_t& o);

    // The slot used, -1 when the bar is full.
    int add(int pwr);
    void clear_slot(int n);
    void remove_pwr(int pwr);
    void set_slot(int n, const actbar_item_t& it);
    void select_pwr(int pwr);
    // The unit's actions, then wait, end turn, swap weapons, stand up and wake.
    void rebuild();

    void save(io::io_t& f) const;
    // False on a short read; the bar is then left empty.
    bool load(io::io_t& f);
};
