#include "rules/u_actbar.h"

#include <cstdint>

#include "app/io.h"
#include "battle/act_ctx.h"
#include "rules/eqpts.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

void put_i32(uint8_t* p, int v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(u >> (8 * i));
}

int get_i32(const uint8_t* p) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(p[i]) << (8 * i);
    return int(u);
}

}  // namespace

u_actbar_t& u_actbar_t::operator=(const u_actbar_t& o) {
    for (int i = 0; i < ACTBAR_SLOTS; ++i) items[i] = o.items[i];
    sel = o.sel;
    return *this;
}

int u_actbar_t::add(int pwr) {
    for (int i = 0; i < ACTBAR_SLOTS; ++i) {
        if (items[i].pwr == 0) {
            items[i] = {pwr, 0};
            return i;
        }
    }
    return -1;
}

void u_actbar_t::clear_slot(int n) {
    if (n >= 0 && n < ACTBAR_SLOTS) items[n] = {};
}

void u_actbar_t::remove_pwr(int pwr) {
    for (actbar_item_t& it : items)
        if (it.pwr == pwr) it = {};
}

void u_actbar_t::set_slot(int n, const actbar_item_t& it) {
    if (n >= 0 && n < ACTBAR_SLOTS) items[n] = it;
}

void u_actbar_t::select_pwr(int pwr) {
    sel = -1;
    if (!is_pwr_id(pwr) || !u) return;
    for (int i = 0; i < ACTBAR_SLOTS; ++i)
        if (items[i].pwr == pwr && can_use_pwr(u, pwr)) sel = i;
}

void u_actbar_t::rebuild() {
    for (actbar_item_t& it : items) it = {};
    std::vector<int> ids = u ? u->pwrs.get_act_list() : std::vector<int>{P_ATK_M, P_ATK_R};
    for (int id : {P_WAIT, P_END_TURN, P_SWAP_WPN, P_STAND_UP, P_WAKE}) ids.push_back(id);
    int n = 0;
    for (int id : ids) {
        if (n == ACTBAR_SLOTS || !is_pwr_id(id)) break;
        items[n++] = {id, id == P_SWAP_WPN ? WSET_OTHER : 0};
    }
}

void u_actbar_t::save(io::io_t& f) const {
    uint8_t buf[ACTBAR_SLOTS * 8];
    for (int i = 0; i < ACTBAR_SLOTS; ++i) {
        put_i32(buf + i * 8, items[i].pwr);
        put_i32(buf + i * 8 + 4, items[i].param);
    }
    f.write(buf, sizeof buf, 1);
    uint8_t s[4];
    put_i32(s, sel);
    f.write(s, 4, 1);
}

bool u_actbar_t::load(io::io_t& f) {
    uint8_t buf[ACTBAR_SLOTS * 8];
    uint8_t s[4];
    if (f.read(buf, sizeof buf, 1) != 1 || f.read(s, 4, 1) != 1) {
        for (actbar_item_t& it : items) it = {};
        sel = -1;
        return false;
    }
    for (int i = 0; i < ACTBAR_SLOTS; ++i) items[i] = {get_i32(buf + i * 8), get_i32(buf + i * 8 + 4)};
    // A selection read from a file must name a slot.
    const int v = get_i32(s);
    sel = v >= 0 && v < ACTBAR_SLOTS ? v : -1;
    return true;
}
