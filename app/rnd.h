#pragma once
// The one random generator of the game. Everything random goes through rnd_rand()
// so that a seed reproduces the same battle and the same loot on every machine.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

constexpr int RND_MAX = 0x7FFF;

// 0 to RND_MAX; state = state * 214013 + 2531011 (mod 2^32), output bits 16-30.
int rnd_rand();
void rnd_srand(uint32_t seed);
uint32_t rnd_get_state();
void rnd_set_state(uint32_t state);

// A seed of 0 stands for the clock plus one draw; returns the seed used.
uint32_t rnd_seed(uint32_t seed);
// rnd_save, rnd_seed(fixed), deterministic work, rnd_restore: a repeatable
// result that leaves the rest of the game's randomness unpredictable.
void rnd_save();
void rnd_restore();
// For those seeded sections: seeds with seed, and a seed of 0 with a fixed
// non-zero value, so a rolled 0 replays like any other seed.
void rnd_seed_fixed(uint32_t seed);

// 0 to n - 1, evenly; n above RND_MAX + 1 draws 15 bits at a time.
uint32_t rnd_below(uint32_t n);

// First index whose running sum exceeds a draw below the total; 0 when none.
int rnd_pick_weighted(const std::vector<int>& weights);
int rnd_pick_weighted_fwd(const std::vector<int>& weights);
// 0 to n - 1 favouring the middle; 0 when n < 2.
int rnd_tri(int n);

template <class T>
void rnd_shuffle(std::vector<T>& v) {
    for (std::size_t i = 1; i < v.size(); ++i) {
        const std::size_t j = rnd_below(uint32_t(i + 1));
        if (j != i) std::swap(v[i], v[j]);
    }
}

// Appends first..last (nothing when first > last), then shuffles the whole vector.
void shuffled_range(std::vector<int>* v, int first, int last);
