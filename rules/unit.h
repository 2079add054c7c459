#pragma once
// The one record of every creature: identity and base scores (saved), the
// derived statistics (recomputed, never saved), hit points, battle state,
// breakdown texts, names and its four parts.
#include <cstdint>
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "rules/eqpts.h"
#include "rules/u_actbar.h"
#include "rules/u_btl_state.h"
#include "rules/u_conds.h"
#include "rules/u_pwrs.h"

constexpr int U_BASE_WORDS = 35;
constexpr int U_DRV_WORDS = 98;
constexpr int U_TEXTS = 23;

// Values of u_base_t::kind.
constexpr int UK_MON = 1;  // made from a monster template
constexpr int UK_PC = 2;   // made from a build or levelled by the player
// The highest level a unit file may hold: far past what play reaches, and low
// enough that the recalculation's values (a player's experience value grows
// with the level to the fourth) stay within an int.
constexpr int UNIT_LV_MAX = 200;

// Derived trait values (u_drv_t::trait, unit_t::has_trait); trait 0 is unused.
constexpr int TRAITS = 7;
constexpr int TRAIT_IMM_SPELL = 1;   // spells' effects do not take hold ("imm_m")
constexpr int TRAIT_SOLO = 2;        // no instant kill
constexpr int TRAIT_IMM_CRIT = 3;
constexpr int TRAIT_LIFELESS = 4;    // undead, constructs, elementals: no blood, nothing to drain
constexpr int TRAIT_IMM_WEB = 5;
constexpr int TRAIT_IMM_HARD = 6;    // hard ground costs what plain ground does

// Race groups (unit_t::race_grp), which energies heal or harm a unit.
constexpr int RG_LIVING = 1;
constexpr int RG_UNDEAD = 2;
constexpr int RG_CONSTRUCT = 3;
constexpr int RG_ELEMENTAL = 4;

// Saved and loaded verbatim, word by word.
struct u_base_t {
    int kind = 0;
    int rank = 0;  // urank_t id; 1 standard
    int bld = 0;   // build id
    int race = 0;
    int cls = 0;
    int lv = 0;
    int abi[6] = {};      // Str, Dex, Con, Int, Wis, Cha
    int abi_ups[6] = {};  // +1 increases from levelling, per ability
    int ext[17] = {};     // words 18..34: written by builders and levelling, kept unchanged
};
static_assert(sizeof(u_base_t) == U_BASE_WORDS * 4, "the base block is 35 words on disk");

// The derived block, refilled by every recalculation: 98 four-byte words in a
// fixed order, word n at offset 4n.
struct u_drv_t {
    int size = 0;           // u_size row
    int spd = 0;            // cells
    int vision = 0;         // the race's value, unchanged
    int abi[6] = {};        // effective scores
    int no_abi[6] = {};     // 1: the creature has no such ability
    int abi_mod[6] = {};
    int init = 0;
    int atk = 0;            // added to every attack
    int dmg = 0;
    // Gear values, added unchanged from the gear-bonus entries of the same index.
    int ctr_atk = 0;        // percent chance to strike back at a melee attacker that missed
    int bounce_p = 0;       // piercing damage dealt back to a melee attacker that hit, packed dice
    int bounce_f = 0;       // fire damage dealt back likewise, packed dice
    int elm_dmg = 0;        // added to each fire, cold, lightning and acid part of a power's damage
    int pe_dmg = 0;         // added to each positive-energy part
    int ne_dmg = 0;         // added to each negative-energy part
    int to_heal = 0;        // healing given: added to each positive-energy part too
    int asf = 0;            // arcane spell failure, percent
    int companion_lv = 0;   // the elemental companion the best gear gives; 0 none
    int companion_ie = 0;   // and the enchantment that gives it
    int def[6] = {};        // by the def enum; 0 unused
    int dr = 0;
    int er = 0;             // points taken off each energy damage, a gear value
    int res[13] = {};       // percent per damage type
    int imm[25] = {};       // per condition id; above 0 = immune
    int trait[TRAITS] = {};
    int ac_rng = 0;         // defence against ranged weapon attacks, a gear value
    int sr = 0;
    int unsr = 0;
    int tr = 0;
    int hp_max = 0;
    int hr = 0;             // regeneration per turn
    int be_heal = 0;        // healing received, a gear value
    int auto_heal1 = 0;     // healed once a battle, after a hit it survives; a gear value
    int auto_heal2 = 0;     // healed once a battle, after a hit leaves half hit points or less
    int xp_val = 0;
    int aoo = 0;            // attacks of opportunity per round
};
static_assert(sizeof(u_drv_t) == U_DRV_WORDS * 4, "the derived block is 98 words");

struct brdn_t;

class unit_t {
public:
    u_base_t base;
    u_drv_t drv;
    int hp = 0;
    int xp = 0;
    u_btl_state_t btl;
    Str texts[U_TEXTS];         // breakdown texts of the derived values
    Str* text_ptrs[U_TEXTS];    // always this unit's own texts
    Str name;
    Str img;   // battlefield sprite path
    Str face;  // portrait path; empty shows the sprite
    eqpts_t eqpts;
    u_pwrs_t pwrs;
    u_conds_t conds;
    u_actbar_t actbar;
    int hp_ready = 0;  // 0: the recalculation fills hp to the maximum
    pt_t pos;
    // Battle only: what the unit sees (1 where it sees, sized to the battle map),
    // the 8-direction index of its last straight run (-1 none) and the unit that
    // summoned or raised it (null for an ordinary unit).
    grid_t<int> sight;
    int run_dir = -1;
    unit_t* creator = nullptr;
    // Summoned units: the creator's spell attack value when summoned (what a
    // dispel must beat), the summoning power and the rounds left (UNLIMITED).
    int sum_atk = 0;
    int sum_pwr = 0;
    int sum_dur = 0;
    // Presentation values of the battle scene; not copied.
    pt_t px_off;
    int ani_word = 0;
    double ani_t = 0.0;
    clr_t tint = 0xFFFFFFFF;
    double flash_t = 0.0;  // seconds
    // The hit-point bar's recent change: what the last hits and heals added up
    // to, shown as a fading stretch of the bar, and seconds since the last one.
    int hp_pend = 0;
    double hp_pend_t = 0.0;

    unit_t();
    unit_t(const unit_t& o);
    unit_t& operator=(const unit_t& o);
    ~unit_t();

    void fix_parts();

    // Builders: a level-1 character of build bld; a monster of template mon at level lv.
    unit_t& from_bld(int bld, const wchar_t* name, const wchar_t* img, const wchar_t* face);
    unit_t& from_mon(int mon, int lv);
    // Controller and side by kind, statistics, action bar: ready for play.
    void reset_for_play();

    // The record of unit files: headerless, little-endian. False on a write error.
    bool save(io::io_t& f) const;
    // False on a short or damaged record (a bad length, id or path); the unit is then unchanged.
    bool load(io::io_t& f);

    void set_hp(int v);
    int add_hp(int delta);
    void heal_full();

    void turn_reset();
    bool spend_act(int cost, bool once);

    int get_def(int n) const;
    bool imm_cond(int id) const;
    bool has_trait(int n) const;
    bool has_pwr(int id) const { return pwrs.has(id); }
    int race_grp() const;
    bool is_living() const;
    bool is_undead() const;
    int cast_abi() const;
    int dflt_atk_pwr() const;
    int get_wpn_reach() const;
    int get_threat_rad() const;
    bool is_proficient(const itm_slot_t& s) const;
    bool is_known() const;
    Str& get_disp_name(Str& out) const;
    clr_t* side_slot() const;
    std::vector<pt_t> cells() const { return {pos}; }

    // The derived block and its breakdown texts from everything the unit is and holds.
    void recalc();
    // Lowers or adds the limits of worn armour, shields and the load into out.
    void get_burden(brdn_t& out) const;
    // The attack value for an atk kind (1 melee .. 5 turning); 0 for any other.
    int get_atk(int kind) const;
    // The casting ability's modifier for kind 3, else 0.
    int spl_abi_val(int kind) const;
    // Holds "phalanx2" or "crowd_ac": recalculated after every move.
    bool has_formation_pwr() const;
};

// The size modifier of a u_size row (0, -2, -1, 0, +1, +2, +4); 0 outside 0..6.
int size_mod(int size);

// Destroys and frees every unit, then empties the vector.
void unit_vec_clear(std::vector<unit_t*>& v);
