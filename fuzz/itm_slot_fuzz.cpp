// Arbitrary bytes as item slots, as a damaged party or unit file would hand
// them over, and as an enchantment's value text from a translator: the item
// rules must neither crash nor overflow, and moves must keep every item.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/str.h"
#include "rules/bag.h"
#include "rules/ie.h"
#include "rules/itm_price.h"
#include "rules/loot.h"

namespace {

long long total(const itm_slot_t* s, int n) {
    long long t = 0;
    for (int i = 0; i < n; ++i) t += s[i].get_count();
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr int N = 8;
    itm_slot_t slots[N];
    const size_t raw = std::min(size, sizeof slots);
    std::memcpy(slots, data, raw);
    for (const itm_slot_t& s : slots) {
        Str name, tip;
        (void)s.get_price();
        s.get_name(name);
        itm_enchs_tip(s, tip);
        itm_wpn_flags_tip(s, tip);
        (void)itm_rare_lbl(s);
        (void)ie_list_for_itm(s);
    }
    const long long before = total(slots, N);
    for (size_t i = raw; i + 1 < size; i += 2) {
        itm_slot_t& a = slots[data[i] % N];
        itm_slot_t& b = slots[data[i + 1] % N];
        switch (data[i] / N % 3) {
        case 0: itm_slot_put_quick(a, b); break;
        case 1: itm_slot_put_bag(a, b); break;
        default: itm_slot_merge(a, b, data[i + 1] / N % 3); break;
        }
    }
    if (total(slots, N) != before) std::abort();

    std::vector<wchar_t> text(size / 2 + 1);
    for (size_t i = 0; i + 1 < size; i += 2) text[i / 2] = wchar_t(data[i] | data[i + 1] << 8);
    (void)ie_fill_val(text.data(), 7, nullptr);
    (void)ie_fill_val(text.data(), 0, L"1-6");
    return 0;
}
