#pragma once
// An item instance: the kind's id plus what makes this copy particular, and how
// many lie in the slot. The 32 bytes are written raw into the party file and
// the unit file, so the layout is a file format.
#include <cstdint>
#include <vector>

class Str;
struct itm_amr_t;

// Stack limits by container kind (itm_slot_t::max_stack).
constexpr int CNT_BAG = 0;    // the party bag and loot lists: no limit
constexpr int CNT_EQPT = 1;   // an equipment slot: one
constexpr int CNT_QUICK = 2;  // quick and ammunition slots: by kind

// Bit of itm_slot_t::ex: the equipped weapon is not ready and cannot attack.
constexpr int32_t SLOT_EX_UNREADY = 1;

struct itm_slot_t {
    int32_t id = 0;     // item kind; 0 = empty
    int32_t bonus = 0;  // enhancement bonus
    int32_t ies[4] = {};  // enchantments of this copy, on top of the kind's own
    int32_t ex = 0;     // instance word: SLOT_EX_ bits
    int32_t cnt = 0;    // items in the slot; 0 or less counts as one

    itm_slot_t() = default;
    itm_slot_t(int id, int count) { set(id, count); }

    void set(int id, int count);
    void clear() { *this = itm_slot_t(); }
    // A slot whose id lies outside the item table (a damaged save) is empty.
    bool empty() const;
    // 0 when empty, else cnt but at least 1.
    int32_t get_count() const;
    void add_count(int delta);
    // Trims to at most n items; returns how many were taken off.
    int32_t keep_at_most(int n);
    bool same_kind(const itm_slot_t& o) const;
    // Copies src; a count above 0 replaces the copied one.
    void assign(const itm_slot_t& src, int count);
    int32_t max_stack(int container) const;
    // The kind's enchantments, then the instance's, zeros skipped.
    std::vector<int> get_ies() const;
    // A weapon with a thrown flag.
    bool is_thrown() const;
    // The kind's armour part with this copy's bonus added to its defence.
    itm_amr_t get_amr() const;
    void set_bonus(int b);
    void set_bonus_by_lv(int lv);

    // Price of one item, in gold.
    double get_price() const;
    // The display name in the colour of the rarity level.
    Str& get_name(Str& out) const;
};
static_assert(sizeof(itm_slot_t) == 32, "itm_slot_t is a file record of 32 bytes");

void mk_itm_slot(itm_slot_t& out, int id, int count);
void mk_itm_slot_bonus(itm_slot_t& out, int id, int count, int bonus);
void mk_itm_slot_enchs(itm_slot_t& out, int id, int count, int bonus, int e1, int e2, int e3, int e4);
