#pragma once
// Powers: everything a unit can do or have in battle. Basic actions, feats,
// spells and monster powers are records of Pwr (passive) or act_t (used as an
// action), held in one registry of 292 slots built at start-up.
#include <cstdint>
#include <vector>

#include "app/sentinels.h"
#include "app/text_info.h"
#include "rules/dmg.h"
#include "rules/enum_ids.h"

class Str;
class unit_t;

constexpr int PWR_SLOTS = 292;  // slot 0 stays empty; ids 1..291
constexpr int PWR_LAST = 291;   // "last_rsvd_" closes the registry

// Flag bits of Pwr::flags.
constexpr uint32_t PF_NO_AOO = 0x1;         // never provokes an attack of opportunity
constexpr uint32_t PF_KIND2 = 0x2;          // a kind-2 action; no built power sets it
constexpr uint32_t PF_FEAT = 0x8;
constexpr uint32_t PF_CELL = 0x40;          // works on the cell; units there are no targets
constexpr uint32_t PF_NO_ROLL = 0x80;       // succeeds on any target without a roll
constexpr uint32_t PF_NO_ROLL_ALLY = 0x100; // succeeds without a roll on the user's side
constexpr uint32_t PF_MISSILE = 0x200;      // a projectile, ranged whatever its attack kind
constexpr uint32_t PF_FIRE_BALL = 0x400;
constexpr uint32_t PF_LIMITED = 0x800;      // once per battle (P_TURN twice with P_TURN_EXTRA)
constexpr uint32_t PF_ATK_PEN = 0x20000;    // carries an attack penalty

// A zone's rounds (act_t::zone_dur, zone_t::rounds): it lasts until removed.
constexpr int ZONE_LASTING = UNLIMITED;

// Ability minimums in the order of the abi table.
struct abi_min_t {
    int32_t str = 0, dex = 0, con = 0, int_ = 0, wis = 0, cha = 0;
};

// What a power is to its holder: an action, a passive power or feat, or an
// action switched on and off (PF_KIND2).
enum pwr_kind_e : int { PK_ACT = 0, PK_PASSIVE = 1, PK_TOGGLE = 2, PK_COUNT = 3 };
// Where a power comes from: a basic action or monster power, a feat, a spell.
enum pwr_group_e : int { PG_BASIC = 0, PG_FEAT = 1, PG_SPELL = 2 };
// Spells come in levels 1 to this.
constexpr int SPELL_LVS = 9;

class Pwr : public text_info_t {
public:
    int32_t id = 0;      // registry slot, written by init_pwrs
    uint32_t flags = 0;
    int32_t cat = 1;     // row of the power category table, 1..9
    uint32_t cls_mask = 0;  // bit c: class c may learn it; 0: every class
    int32_t lv = 0;      // least character level of a feat; a spell's level
    int32_t abi_min[ABIS] = {};
    std::vector<int32_t> prereqs;  // the first is the parent in the feat tree

    // A pwr_kind_e.
    virtual int get_kind() const;
    // A pwr_group_e.
    virtual int get_group() const;
    // Tooltip and description mark-up: the builders of pwr_texts_t when the
    // screens installed them, else the name and the description.
    virtual Str& get_tip_text(Str& out) const;
    virtual Str& get_desc_text(Str& out) const;

    // 0 without prerequisites, else 1 + the tier of the first one.
    int get_tier() const;
    void reset();
    void set_feat(const char* key, int cat, uint32_t cls_mask, int lv, const std::vector<int32_t>& prereqs,
                  const abi_min_t& abi);
};

// Ranges of act_t: the user's own cell, the cells next to it; then those that
// are not a number of cells.
constexpr int RNG_SELF = 0;
constexpr int RNG_TOUCH = 1;
constexpr int RNG_SPD = -12;   // as far as the user moves
constexpr int RNG_REACH = -1;  // the reach of the weapon in use
constexpr int AREA_BURST = -1;
constexpr int AREA_CONE = -2;
constexpr int AREA_LINE = -3;
constexpr int AREA_MAP = -4;   // the whole battle map
constexpr int AREA_ADJ2 = -5;  // two adjacent cells
constexpr int AREA_ADJ3 = -6;  // three, for a user with P_ATK_M_TGT2_2

class act_t : public Pwr {
public:
    int32_t cost = 0;      // act_cost row: 1 No, 2 Aux, 3 Std, 4 Full
    int32_t cd = 0;        // cooldown in rounds; below 2: none
    int32_t rng = 0;       // -12 the user's speed, -1 the weapon's reach, 0 self, n cells
    int32_t area = 0;      // 0 single, n radius, -1 burst, -2 cone, -3 line, -4 map, -5/-6 adjacent cells
    int32_t atk = 0;       // atk row, 0 none
    int32_t def = 0;       // def row, 0 none: no roll
    dmg_list_t dmg;
    int32_t lv_scale = 0;  // spells: level x 1 or 2, or level / 2 or 5 (-2, -5) added to each part
    int32_t cond = 0;      // n > 0 applies condition n, n < 0 removes -n
    int32_t zone_dur = 0;  // rounds a zone lasts, or ZONE_LASTING
    int32_t school = 0;    // spl_cat row, 0 not a spell

    int get_kind() const override;
    int get_group() const override;
    Str& get_tip_text(Str& out) const override;
    Str& get_desc_text(Str& out) const override;

    // Area -5 (two adjacent cells) becomes -6 when the user holds 61 "atk_m_tgt2_2".
    // The reach of rng -1 comes from the user's weapons: `act_range` of the battle.
    int get_area(const unit_t* u) const;

    bool is_ranged() const;
    bool is_burst_area() const;
    bool is_insta_kill() const;
    bool skips_own_cell() const;
    bool can_affect_units() const;
    bool deals_dmg() const;
    int lv_bonus(const unit_t* u) const;
    bool is_harmless_to(const unit_t* actor, const unit_t* tgt) const;
    // The lowest set type bit of the first damage part; 0 without parts, -1 for an empty mask.
    int first_dmg_type() const;
    // No damage parts, and a condition it inflicts.
    bool is_cond_only() const;

    // Replaces the whole flags word and sets school to 0. False (and an empty
    // damage list) when the damage text is malformed; a null text is no damage.
    bool set_act(const char* key, uint32_t flags, int cost, int rng, int area, int atk, int def, const char* dmg,
                 int lv_scale, int cd, int cond, int zone_dur);
};

// The builders behind the tooltip and description slots. The screens install
// theirs at start-up; rules and battle code that runs without them (tools,
// tests) gets the plain fallback. A null member keeps the fallback.
struct pwr_texts_t {
    Str& (*pwr_tip)(const Pwr& p, Str& out) = nullptr;
    Str& (*pwr_desc)(const Pwr& p, Str& out) = nullptr;
    Str& (*act_tip)(const act_t& a, Str& out) = nullptr;
    Str& (*act_desc)(const act_t& a, Str& out) = nullptr;
};
void set_pwr_texts(const pwr_texts_t& t);
const pwr_texts_t& get_pwr_texts();

// Null for an id outside 1..291 or an empty slot: ids come from save files.
Pwr* get_pwr(int id);
// Its name, else its key, else empty: never null, for logs and labels.
const wchar_t* pwr_name(int id);
bool is_pwr_id(int id);
// The power is used as an action (PK_ACT).
bool is_act(int id);
// Power a lists among b's prerequisites.
bool is_prereq_of(int a, int b);
// Rows 0 to 9 of the power category table, row 0 empty.
constexpr int PWR_CATS = 10;
// Row i of the category table "cmn" .. "spl" (row 0 for i outside it); texts on first use.
text_info_t* get_pwr_cat(int i);
// The proficiency power an item kind needs; 0 for none.
int get_prof_pwr(int itm_id);

// Builds the registry and gives it the texts of strs.pwrs; free_pwrs deletes it.
void init_pwrs();
void free_pwrs();
// The two halves of init_pwrs: tools that need no texts build only.
void build_pwrs();
void load_pwr_texts();

// Stores a record in its slot (used by the builders); the slot must be free.
void put_pwr(int id, Pwr* p);
