// Arbitrary bytes as the arena record of a party file: a record the load
// accepts holds values play can produce, and the encounter generator, the hub's
// counters and a new batch take them without overflow.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/mem_io.h"
#include "app/rnd.h"
#include "battle/enc.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {

constexpr size_t ARENA_BYTES = 44;

// A party file up to its arena words.
std::string head() {
    pty_t p;
    p.name = L"p";
    mem_io_t m;
    p.save(m);
    return m.data.substr(0, m.data.size() - ARENA_BYTES);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool built = (build_pwrs(), true);
    static const std::string before = head();
    (void)built;
    if (size < ARENA_BYTES) return 0;
    pty_t p;
    mem_io_t in(before + std::string(reinterpret_cast<const char*>(data), ARENA_BYTES));
    if (!p.load(in)) std::abort();  // any words load, brought into range
    const arena_rec_t& a = p.arena;
    if (a.lv < 0 || a.lv > UNIT_LV_MAX || a.size < 0 || a.size > PTY_MAX_UNITS) std::abort();
    for (int32_t w : {a.floor, a.n_beaten, a.wins, a.losses, a.kills, a.deaths})
        if (w < 0) std::abort();
    // What the hub shows and adds up.
    volatile int shown = a.floor + 1, fights = a.wins + a.losses, fallen = a.kills + a.deaths;
    (void)shown, (void)fights, (void)fallen;
    enc_bands_t bands;
    enc_bands(a.lv, a.size, &bands);
    rnd_seed_fixed(uint32_t(a.seed));
    const int diff = size > ARENA_BYTES ? data[ARENA_BYTES] % 3 + 1 : 1;
    (void)gen_enc(std::max(1, a.lv), std::max(1, a.size), diff, 0);
    p.arena.new_batch(a.lv, a.size);
    return 0;
}
