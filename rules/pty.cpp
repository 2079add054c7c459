#include "rules/pty.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <iterator>

#include "app/io.h"
#include "app/rnd.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/ie.h"
#include "rules/le_io.h"
#include "rules/save_slots.h"
#include "rules/unit.h"

pty_t g_pty;

namespace {

// What equipment displaces goes to the party's bag.
const bool bag_hooked = (set_eqpt_bag(g_pty.bag), true);

}  // namespace

namespace {

constexpr int ARENA_WORDS = 11;
constexpr int MAX_NAME_UNITS = 32767;

struct premade_t {
    int bld;
    const wchar_t* name;
    const wchar_t* img;
    const wchar_t* face;
};

constexpr premade_t premades[PRESET_PCS] = {
    {1, L"豪格", L"units_pc/010101", L"faces_pc/0102"},
    {2, L"托克", L"units_pc/020201", L"faces_pc/0101"},
    {3, L"崔丝特", L"units_pc/010304", L"faces_pc/0006"},
    {4, L"艾利薇", L"units_pc/010402", L"faces_pc/0002"},
    {5, L"克丽丝", L"units_pc/010502", L"faces_pc/0015"},
    {6, L"肖恩", L"units_pc/010213", L"faces_pc/0112"},
    {7, L"拉扎姆", L"units_pc/040501", L"faces_pc/0115"},
    {8, L"海瑟薇", L"units_pc/030604", L"faces_pc/0003"},
    {9, L"阿拉密尔", L"units_pc/010601", L"faces_pc/0117"},
    {10, L"凯瑟琳", L"units_pc/010630", L"faces_pc/0007"},
};

unit_t* mk_premade(int no) {
    const premade_t& p = premades[no - 1];
    auto* u = new unit_t;
    u->from_bld(p.bld, p.name, p.img, p.face);
    return u;
}

using arena_words_t = std::array<int32_t, ARENA_WORDS>;
static_assert(sizeof(arena_rec_t) == ARENA_WORDS * 4, "the arena record is 11 words");

// Tags are 8-bit text with their NUL.
bool put_tag(io::io_t& f, const char* tag) { return f.write(tag, int(std::strlen(tag)) + 1, 1) == 1; }

bool tag_is(io::io_t& f, const char* tag) {
    char buf[16] = {};
    const int n = int(std::strlen(tag)) + 1;
    return f.read(buf, n, 1) == 1 && std::memcmp(buf, tag, size_t(n)) == 0;
}

// The arena's level and size feed the encounter generator's sums, and its
// counters are shown and added to: a damaged file's values are brought back
// into what play produces rather than costing the player the save.
constexpr int32_t ARENA_COUNT_MAX = 999999999;

void clamp_arena(arena_rec_t& a) {
    a.lv = std::clamp(a.lv, 0, UNIT_LV_MAX);
    a.size = std::clamp(a.size, 0, PTY_MAX_UNITS);
    for (int32_t* w : {&a.floor, &a.n_beaten, &a.wins, &a.losses, &a.kills, &a.deaths})
        *w = std::clamp(*w, 0, ARENA_COUNT_MAX);
}

bool valid_bag_slot(const itm_slot_t& s) {
    if (s.id < 0 || s.id >= ITM_COUNT) return false;
    return std::all_of(std::begin(s.ies), std::end(s.ies), [](int e) { return e >= 0 && e < IE_COUNT; });
}

}  // namespace

void arena_rec_t::new_batch(int lv_, int size_) {
    lv = lv_;
    size = size_;
    seed = rnd_rand();
    beaten = 0;
    sold = 0;
}

pty_t::pty_t() { reset(); }

void pty_t::reset() {
    unit_vec_clear(units);
    name.assign(L"");
    gold = 0.0;
    for (itm_slot_t& s : bag) s.clear();
    world_pt = {-1, -1};
    local_pt = {-1, -1};
    local_lv = -1;
    arena = arena_rec_t();
}

void pty_t::init(const wchar_t* name_, const std::vector<unit_t*>& us) {
    reset();
    name.assign(or_empty(name_));
    units = us;
    gold = 100.0 * double(units.size());
    arena = arena_rec_t();
    arena.lv = lv();
    arena.size = int32_t(units.size());
    arena.seed = rnd_rand();
}

void pty_t::assign_data(const pty_t& o) {
    name = o.name;
    gold = o.gold;
    std::copy(std::begin(o.bag), std::end(o.bag), bag);
    world_pt = o.world_pt;
    local_pt = o.local_pt;
    local_lv = o.local_lv;
    arena = o.arena;
}

int pty_t::lv() const { return units.empty() ? 1 : units[0]->base.lv; }

bool pty_t::save(io::io_t& f) const {
    const int32_t pts[2][2] = {{world_pt.x, world_pt.y}, {local_pt.x, local_pt.y}};
    return put_tag(f, "<name>") && io_write_str(&f, name.buf) && put_tag(f, "<gold>") && le_put_f64(f, gold) &&
           put_tag(f, "<bag>") && le_put_slots(f, bag, BAG_SLOTS) && put_tag(f, "<world_pt>") &&
           le_put_i32s(f, pts[0], 2) && put_tag(f, "<local_pt>") && le_put_i32s(f, pts[1], 2) &&
           put_tag(f, "<local_lv>") && le_put_i32(f, local_lv) && put_tag(f, "<arena>") &&
           le_put_i32s(f, std::bit_cast<arena_words_t>(arena).data(), ARENA_WORDS);
}

bool pty_t::load(io::io_t& f) {
    pty_t t;
    int32_t pts[2][2] = {};
    arena_words_t aw{};
    const bool ok = tag_is(f, "<name>") && io_read_str(&f, t.name) && t.name.length() <= MAX_NAME_UNITS &&
                    tag_is(f, "<gold>") && le_get_f64(f, t.gold) && tag_is(f, "<bag>") &&
                    le_get_slots(f, t.bag, BAG_SLOTS) && tag_is(f, "<world_pt>") && le_get_i32s(f, pts[0], 2) &&
                    tag_is(f, "<local_pt>") && le_get_i32s(f, pts[1], 2) && tag_is(f, "<local_lv>") &&
                    le_get_i32(f, t.local_lv) && tag_is(f, "<arena>") &&
                    le_get_i32s(f, aw.data(), ARENA_WORDS);
    // Gold that is not a number would spread through every price.
    if (!ok || !std::isfinite(t.gold) || !std::all_of(std::begin(t.bag), std::end(t.bag), valid_bag_slot))
        return false;
    t.arena = std::bit_cast<arena_rec_t>(aw);
    clamp_arena(t.arena);
    t.world_pt = {pts[0][0], pts[0][1]};
    t.local_pt = {pts[1][0], pts[1][1]};
    assign_data(t);
    return true;
}

std::vector<unit_t*> mk_default_pty_units() {
    std::vector<unit_t*> v;
    for (int no : {1, 3, 4, 5, 8}) v.push_back(mk_premade(no));
    return v;
}

void reset_pty() { g_pty.init(NEW_PTY_NAME, mk_default_pty_units()); }

const std::vector<unit_t*>& get_preset_pcs() {
    static unit_t pcs[PRESET_PCS];
    static const std::vector<unit_t*> ptrs = [] {
        std::vector<unit_t*> v;
        for (int i = 0; i < PRESET_PCS; ++i) {
            const premade_t& p = premades[i];
            pcs[i].from_bld(p.bld, p.name, p.img, p.face);
            v.push_back(&pcs[i]);
        }
        return v;
    }();
    return ptrs;
}

bool save_preset_pcs() {
    bool ok = true;
    const std::vector<unit_t*>& pcs = get_preset_pcs();
    for (int i = 0; i < PRESET_PCS; ++i) ok = save_unit_file(pc_file_path(i + 1).buf, *pcs[i]) && ok;
    return ok;
}
