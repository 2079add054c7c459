#include "app/rnd.h"

#include <ctime>

namespace {

uint32_t g_state = 1;
uint32_t g_saved = 0;
bool g_has_saved = false;

uint32_t clock_seed() { return uint32_t(std::time(nullptr)) + uint32_t(rnd_rand()); }

}  // namespace

int rnd_rand() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFF);
}

void rnd_srand(uint32_t seed) { g_state = seed; }
uint32_t rnd_get_state() { return g_state; }
void rnd_set_state(uint32_t state) { g_state = state; }

uint32_t rnd_seed(uint32_t seed) {
    if (seed == 0) seed = clock_seed();
    rnd_srand(seed);
    return seed;
}

void rnd_seed_fixed(uint32_t seed) { rnd_srand(seed ? seed : 0x5EED5EEDu); }

void rnd_save() {
    g_saved = uint32_t(rnd_rand());
    g_has_saved = true;
}

void rnd_restore() {
    // A saved draw of 0 is a valid seed: only "nothing saved" falls back to the
    // clock, or a save/restore pair would lose its repeatability 1 time in 32768.
    rnd_srand(g_has_saved ? g_saved : clock_seed());
}

uint32_t rnd_below(uint32_t n) {
    if (n <= 1) return 0;
    uint64_t r = 0;
    uint64_t range = 1;
    while (range < n) {
        r = (r << 15) | uint64_t(rnd_rand());
        range <<= 15;
    }
    return uint32_t(r % n);
}

int rnd_pick_weighted(const std::vector<int>& weights) {
    int64_t total = 0;
    for (int w : weights) total += w;
    const int64_t r = total > 1 ? rnd_rand() % total : 0;
    int64_t sum = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        sum += weights[i];
        if (sum > r) return int(i);
    }
    return 0;
}

int rnd_pick_weighted_fwd(const std::vector<int>& weights) { return rnd_pick_weighted(weights); }

int rnd_tri(int n) {
    if (n < 2) return 0;
    // Two statements: the draws must come in a fixed order for seeds to repeat.
    const int a = rnd_rand() % (n - n / 2 + 1);
    const int b = rnd_rand() % (n / 2);
    return a + b;
}

void shuffled_range(std::vector<int>* v, int first, int last) {
    for (int64_t i = first; i <= last; ++i) v->push_back(int(i));
    rnd_shuffle(*v);
}
