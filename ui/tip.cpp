#include "ui/tip.h"

namespace {
tip_hook_t hook = nullptr;
}

void tip_req_t::reset() { *this = tip_req_t{}; }

tip_req_t& get_tip_req() {
    static tip_req_t req;
    return req;
}

void set_tip_hook(tip_hook_t fn) { hook = fn; }
tip_hook_t get_tip_hook() { return hook; }

void tip_update(double) {}
void tip_on_input(const evt_t*) {}
void hide_tip() {}
