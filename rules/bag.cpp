#include "rules/bag.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "rules/itm.h"

namespace {

// An occupied slot whose cnt is 0 or less holds one item; making that explicit
// before counting on cnt lets two such slots stack into two items.
void settle_count(itm_slot_t& s) {
    if (!s.empty() && s.cnt < 1) s.cnt = 1;
}

}  // namespace

int itm_slot_stack_onto(itm_slot_t& src, itm_slot_t& dst, int n, int limit) {
    if (&dst == &src || src.empty() || !dst.same_kind(src) || n <= 0) return 0;
    settle_count(src);
    settle_count(dst);
    // A dst already above the limit (a damaged save) takes nothing and gives nothing back.
    const int64_t room = int64_t(limit) - dst.cnt;
    const int moved = int(std::clamp<int64_t>(std::min<int64_t>(n, src.cnt), 0, std::max<int64_t>(room, 0)));
    if (moved == 0) return 0;
    dst.add_count(moved);
    src.add_count(-moved);
    return moved;
}

int itm_slot_fill_empty(itm_slot_t& src, itm_slot_t& dst, int n, int limit) {
    if (&dst == &src || !dst.empty() || src.empty() || limit < 1) return 0;
    const int moved = std::min({n > 0 ? n : src.get_count(), src.get_count(), limit});
    if (moved <= 0) return 0;
    dst.assign(src, moved);
    src.add_count(-moved);
    return moved;
}

int slots_add_by(itm_slot_t& src, itm_slot_t* slots, int nslots, int n, int limit, const itm_move_fn& move) {
    if (nslots < 1) return 0;
    int left = n, total = 0;
    for (int i = 0; i < nslots && left > 0; ++i) {
        const int moved = move(src, slots[i], left, limit);
        left -= moved;
        total += moved;
    }
    return total;
}

bool slots_add_itm(itm_slot_t& src, itm_slot_t* slots, int nslots, int n) {
    // Never more than src holds: a larger n would create items.
    const int have = src.get_count();
    n = (n == -1 || n > have) ? have : n;
    if (n <= 0) return false;
    if (slots_add_by(src, slots, nslots, n, UNLIMITED, itm_slot_stack_onto) > 0) return true;
    return slots_add_by(src, slots, nslots, n, UNLIMITED, itm_slot_fill_empty) > 0;
}

bool bag_add_itm(itm_slot_t* bag, itm_slot_t& src, int n) { return slots_add_itm(src, bag, BAG_SLOTS, n); }

bool bag_page_add_itm(itm_slot_t* bag, itm_slot_t& src, int page, int n) {
    if (page < 0 || page >= BAG_PAGES) return false;
    return slots_add_itm(src, bag + page * BAG_PAGE_SLOTS, BAG_PAGE_SLOTS, n);
}

std::vector<itm_slot_t> bag_add_all(itm_slot_t* bag, const std::vector<itm_slot_t>& items,
                                    std::vector<itm_slot_t>* placed) {
    std::vector<itm_slot_t> left;
    for (const itm_slot_t& item : items) {
        if (item.empty()) continue;
        itm_slot_t it = item;
        bag_add_itm(bag, it, -1);
        if (!it.empty())
            left.push_back(it);
        else if (placed)
            placed->push_back(item);
    }
    return left;
}

int bag_free_slots(const itm_slot_t* bag) {
    return int(std::count_if(bag, bag + BAG_SLOTS, [](const itm_slot_t& s) { return s.empty(); }));
}

namespace {

void put_with_limit(itm_slot_t& src, itm_slot_t& dst, int limit) {
    if (&src == &dst) return;
    const int n = src.get_count();
    if (itm_slot_stack_onto(src, dst, n, limit) > 0) return;
    if (itm_slot_fill_empty(src, dst, n, limit) > 0) return;
    std::swap(src, dst);
}

}  // namespace

void itm_slot_put_quick(itm_slot_t& src, itm_slot_t& dst) { put_with_limit(src, dst, src.max_stack(CNT_QUICK)); }

void itm_slot_put_bag(itm_slot_t& src, itm_slot_t& dst) { put_with_limit(src, dst, UNLIMITED); }

bool itm_slot_merge(itm_slot_t& src, itm_slot_t& dst, int container) {
    const int limit = src.max_stack(container);
    const int n = src.get_count();
    return itm_slot_stack_onto(src, dst, n, limit) > 0 || itm_slot_fill_empty(src, dst, n, limit) > 0;
}

bool itm_slot_merge_any(itm_slot_t& src, itm_slot_t& dst) { return itm_slot_merge(src, dst, CNT_BAG); }
