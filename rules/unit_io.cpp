// The unit record of character and member files: three strings, the base block,
// hit points and experience, the held powers, the equipment and the action bar,
// little-endian and without a header. A record read from disk is checked whole
// before the unit changes.
#include <algorithm>
#include <array>
#include <bit>
#include <cwchar>
#include <iterator>
#include <vector>

#include "app/io.h"
#include "app/paths.h"
#include "app/str_parts.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/le_io.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "rules/urank.h"

namespace {

constexpr int MAX_STR_UNITS = 32767;  // far past any name or path the game writes
// Scores with a wide margin past what play produces (below 100), so that no
// sum or product of the recalculation leaves an int.
constexpr int MIN_ABI = -50;  // a weak monster's race and template can take a score below 0
constexpr int MAX_ABI = 500;
// Hit and experience points meet damage, healing and rewards in sums.
constexpr int MAX_POINTS = 999999999;
constexpr int NAT_LAST = ITM_UNARMED;  // natural attacks are items 1..26

using base_words_t = std::array<int32_t, U_BASE_WORDS>;

struct unit_rec_t {
    Str name, img, face;
    u_base_t base;
    int32_t hp_xp[2] = {};
    std::vector<int32_t> pwrs;
    int32_t nat[4] = {};
    itm_slot_t slots[EQPT_SLOTS];
    itm_slot_t sets[6];  // sets 1..3, main hand then off hand
    int32_t cur_set = 0;
    int32_t bar[ACTBAR_SLOTS * 2] = {};
    int32_t sel = -1;
};

bool read_str(io::io_t& f, Str& out) { return io_read_str(&f, out) && out.length() <= MAX_STR_UNITS; }

bool read_rec(io::io_t& f, unit_rec_t& r) {
    base_words_t w{};
    int32_t n = 0;
    if (!read_str(f, r.name) || !read_str(f, r.img) || !read_str(f, r.face)) return false;
    if (!le_get_i32s(f, w.data(), U_BASE_WORDS) || !le_get_i32s(f, r.hp_xp, 2) || !le_get_i32(f, n)) return false;
    // A count past the registry's size cannot come from a unit we wrote.
    if (n < 0 || n > PWR_SLOTS) return false;
    r.base = std::bit_cast<u_base_t>(w);
    r.pwrs.resize(size_t(n));
    return le_get_i32s(f, r.pwrs.data(), n) && le_get_i32s(f, r.nat, 4) && le_get_slots(f, r.slots, EQPT_SLOTS) &&
           le_get_slots(f, r.sets, 6) && le_get_i32(f, r.cur_set) && le_get_i32s(f, r.bar, ACTBAR_SLOTS * 2) &&
           le_get_i32(f, r.sel);
}

// Sprite and portrait paths are names inside the game folder: nothing absolute, no "..".
bool is_game_rel_path(const Str& p) {
    const wchar_t* s = or_empty(p.buf);
    if (s[0] == L'/' || s[0] == L'\\' || std::wcschr(s, L':')) return false;
    for (const Str& part : str_split(s, L"/"))
        for (const Str& piece : str_split(part.buf, L"\\"))
            if (piece == Str(L"..")) return false;
    return true;
}

bool valid_base(const u_base_t& b) {
    const bool ids_ok = b.kind >= 0 && b.kind <= UK_PC && b.rank >= 0 && b.rank < URANKS &&
                        (b.bld == BLD_CUSTOM || (b.bld >= 0 && b.bld < BLD_COUNT)) && b.race >= 0 &&
                        b.race < RACE_COUNT && b.cls >= 0 && b.cls < CLS_COUNT;
    if (!ids_ok || b.lv < 0 || b.lv > UNIT_LV_MAX) return false;
    for (int i = 0; i < ABIS; ++i)
        if (b.abi[i] < MIN_ABI || b.abi[i] > MAX_ABI || b.abi_ups[i] < 0 || b.abi_ups[i] > UNIT_LV_MAX) return false;
    return true;
}

bool valid_slot(const itm_slot_t& s) {
    if (s.id < 0 || s.id >= ITM_COUNT) return false;
    return std::all_of(std::begin(s.ies), std::end(s.ies), [](int e) { return e >= 0 && e < IE_COUNT; });
}

bool valid_rec(const unit_rec_t& r) {
    if (!is_game_rel_path(r.img) || !is_game_rel_path(r.face) || !valid_base(r.base)) return false;
    if (r.hp_xp[0] < -MAX_POINTS || r.hp_xp[0] > MAX_POINTS || r.hp_xp[1] < 0 || r.hp_xp[1] > MAX_POINTS) return false;
    if (!std::all_of(r.pwrs.begin(), r.pwrs.end(), is_pwr_id)) return false;
    if (!std::all_of(std::begin(r.nat), std::end(r.nat), [](int id) { return id >= 0 && id <= NAT_LAST; }))
        return false;
    if (!std::all_of(std::begin(r.slots), std::end(r.slots), valid_slot)) return false;
    if (!std::all_of(std::begin(r.sets), std::end(r.sets), valid_slot)) return false;
    if (r.cur_set < 0 || r.cur_set > 3 || r.sel < -1 || r.sel >= ACTBAR_SLOTS) return false;
    for (int i = 0; i < ACTBAR_SLOTS; ++i)
        if (r.bar[i * 2] != 0 && !is_pwr_id(r.bar[i * 2])) return false;
    return true;
}

}  // namespace

bool unit_t::save(io::io_t& f) const {
    if (!io_write_str(&f, name.buf) || !io_write_str(&f, img.buf) || !io_write_str(&f, face.buf)) return false;
    const base_words_t w = std::bit_cast<base_words_t>(base);
    const int32_t hp_xp[2] = {hp, xp};
    std::vector<int> ids;
    pwrs.get_ids(ids, UP_ALL);
    if (!le_put_i32s(f, w.data(), U_BASE_WORDS) || !le_put_i32s(f, hp_xp, 2)) return false;
    if (!le_put_i32(f, int32_t(ids.size())) || !le_put_i32s(f, ids.data(), int(ids.size()))) return false;
    if (!le_put_i32s(f, eqpts.nat, 4) || !le_put_slots(f, eqpts.slots, EQPT_SLOTS)) return false;
    if (!le_put_slots(f, &eqpts.sets[0][0], 6) || !le_put_i32(f, eqpts.cur_set)) return false;
    int32_t bar[ACTBAR_SLOTS * 2];
    for (int i = 0; i < ACTBAR_SLOTS; ++i) {
        bar[i * 2] = actbar.items[i].pwr;
        bar[i * 2 + 1] = actbar.items[i].param;
    }
    return le_put_i32s(f, bar, ACTBAR_SLOTS * 2) && le_put_i32(f, actbar.sel);
}

bool unit_t::load(io::io_t& f) {
    unit_rec_t r;
    if (!read_rec(f, r) || !valid_rec(r)) return false;
    name = r.name;
    img = r.img;
    face = r.face;
    base = r.base;
    conds.clear();
    btl = u_btl_state_t();
    pwrs.clear();
    pwrs.set_list(r.pwrs);
    std::copy(std::begin(r.nat), std::end(r.nat), eqpts.nat);
    std::copy(std::begin(r.slots), std::end(r.slots), eqpts.slots);
    std::copy(std::begin(r.sets), std::end(r.sets), &eqpts.sets[0][0]);
    eqpts.cur_set = r.cur_set;
    for (int i = 0; i < ACTBAR_SLOTS; ++i) actbar.items[i] = {r.bar[i * 2], r.bar[i * 2 + 1]};
    actbar.sel = r.sel;
    btl.side = base.kind == UK_MON ? SIDE_FOES : SIDE_PLAYER;
    btl.ai = base.kind == UK_MON ? 1 : 0;
    hp = r.hp_xp[0];
    xp = r.hp_xp[1];
    // Ready before the recalculation, so the stored hit points stay.
    hp_ready = 1;
    recalc();
    return true;
}
