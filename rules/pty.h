#pragma once
// The player's party: its characters, name, gold, the shared bag and the arena
// record; how a new game makes it, and its file "my.pty" (everything but the
// characters, which are unit files of their own).
#include <cstdint>
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "rules/bag.h"
#include "rules/unit_grp.h"

namespace io {
class io_t;
}

constexpr int PRESET_PCS = 10;
constexpr int PTY_MAX_UNITS = 6;
// A party holds one to PTY_MAX_UNITS members.
constexpr bool pty_size_ok(int n) { return n >= 1 && n <= PTY_MAX_UNITS; }

// The arena campaign, 11 words stored raw in the party file.
struct arena_rec_t {
    int32_t lv = 0;        // party level the current batch of challenges was made for
    int32_t size = 0;      // party size it was made for
    int32_t seed = 0;      // the challenges are regenerated from it
    int32_t beaten = 0;    // bit i: challenge i of the batch is beaten
    int32_t sold = 0;      // bits of the shop's stock already sold
    int32_t floor = 0;     // from 0; shown as floor + 1
    int32_t n_beaten = 0;
    int32_t wins = 0;
    int32_t losses = 0;
    int32_t kills = 0;
    int32_t deaths = 0;

    void new_batch(int lv, int size);
};

class pty_t : public unit_grp_t {
public:
    Str name;
    double gold = 0.0;
    itm_slot_t bag[BAG_SLOTS];
    pt_t world_pt{-1, -1};
    pt_t local_pt{-1, -1};
    int32_t local_lv = -1;
    arena_rec_t arena;

    pty_t();
    ~pty_t() override = default;

    void reset();
    // Takes ownership of units (at least one).
    void init(const wchar_t* name, const std::vector<unit_t*>& units);
    // Everything but the units, from another party.
    void assign_data(const pty_t& o);
    // The party's level for the arena and the shop: its first member's; 1 without members.
    int lv() const;

    // The party file; false on a write error.
    bool save(io::io_t& f) const;
    // False on a short or damaged file (tags, lengths, item ids); the party is
    // then unchanged. Arena values out of range are clamped into it. The units
    // are never touched.
    bool load(io::io_t& f);
};

// The one party of the game.
extern pty_t g_pty;

// Premades 1, 3, 4, 5 and 8, made anew; the caller owns them.
std::vector<unit_t*> mk_default_pty_units();
// The name of a new game's party.
inline constexpr const wchar_t* NEW_PTY_NAME = L"异乡人";
// A new game's party, named NEW_PTY_NAME.
void reset_pty();
// The ten premade characters, built on first use.
const std::vector<unit_t*>& get_preset_pcs();
// Writes premade i to the character file of id i; false when any could not be written.
bool save_preset_pcs();
