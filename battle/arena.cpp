#include "battle/arena.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/btl_reward.h"
#include "rules/enum_ids.h"
#include "rules/pty.h"
#include "rules/shop.h"

namespace {
// A batch holds challenges 1, 2 and 3, plus 0 to 3 rolled ones (weights 5, 45, 45, 5).
constexpr int base_diffs[] = {DIFF_EASY, DIFF_NORMAL, DIFF_HARD};
const std::vector<int> extra_weights{5, 45, 45, 5};

uint32_t bit(int i) { return i >= 0 && i < 32 ? 1u << i : 0u; }
}  // namespace

std::vector<enc_t> gen_batch(const arena_rec_t& rec) {
    std::vector<enc_t> out;
    rnd_save();
    // A seed of 0 would seed from the clock: the batch, and with it the
    // stamps of the defeated mask, would change at every rebuild.
    rnd_seed_fixed(uint32_t(rec.seed));
    std::vector<int> diffs(std::begin(base_diffs), std::end(base_diffs));
    const int extra = rnd_pick_weighted(extra_weights);
    for (int i = 0; i < extra; ++i) diffs.push_back(roll_enc_diff());
    std::stable_sort(diffs.begin(), diffs.end());
    for (int d : diffs) out.push_back(gen_enc(rec.lv, rec.size, d, 0));
    rnd_restore();
    return out;
}

enc_t arena_master_enc(int lv, int size) { return gen_enc(lv, size, DIFF_HARD, ENCT_DEN); }

int arena_take_fee() {
    const int fee = calc_btl_gold();
    g_pty.gold -= double(fee);
    return fee;
}

void arena_count_fight(arena_rec_t& a, int btl_state) {
    if (btl_state == BTL_WON) ++a.wins;
    if (btl_state == BTL_LOST) ++a.losses;
}

bool arena_is_beaten(const arena_rec_t& a, int i) { return uint32_t(a.beaten) & bit(i); }

bool arena_batch_beaten(const arena_rec_t& a, int n) { return std::popcount(uint32_t(a.beaten)) >= n; }

void arena_beat_challenge(arena_rec_t& a, int i) {
    if (!arena_is_beaten(a, i)) {
        shop_restock_check(a);
        ++a.n_beaten;
    }
    a.beaten = int32_t(uint32_t(a.beaten) | bit(i));
}

void arena_next_floor(arena_rec_t& a, int lv, int size) {
    a.new_batch(lv, size);
    ++a.floor;
    ++a.n_beaten;
}
