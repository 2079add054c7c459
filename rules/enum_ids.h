#pragma once
// Names of the rows of the small enum tables of rules/enums.h that code refers
// to. tests/rules/ids_test.cpp holds every name against its row's key.

// Abilities, "Str" to "Cha": the one table without an empty row.
enum abi_id_e : int { ABI_STR = 0, ABI_DEX = 1, ABI_CON = 2, ABI_INT = 3, ABI_WIS = 4, ABI_CHA = 5 };
constexpr int ABIS = 6;  // the length of every per-ability array

// Defences: armour class, Fortitude, Reflex, Will, manoeuvre defence.
enum def_id_e : int { DEF_AC = 1, DEF_FT = 2, DEF_RF = 3, DEF_WL = 4, DEF_CM = 5 };

// Attack kinds: melee, ranged, spell, combat manoeuvre, turning.
enum atk_id_e : int { ATK_MELEE = 1, ATK_RANGE = 2, ATK_SPL = 3, ATK_CM = 4, ATK_TURN = 5 };

// Action costs: what part of a turn an action takes.
enum act_cost_id_e : int { COST_NO = 1, COST_AUX = 2, COST_STD = 3, COST_FULL = 4 };

enum amr_type_id_e : int { AMR_LIGHT = 1, AMR_MEDIUM = 2, AMR_HEAVY = 3 };
enum shd_type_id_e : int { SHD_LIGHT = 1, SHD_HEAVY = 2, SHD_TOWER = 3 };

// Weapon categories, which proficiency a weapon needs.
enum wpn_cat_id_e : int { WCAT_SIMPLE = 1, WCAT_MILITARY = 2, WCAT_EXOTIC = 3, WCAT_NATURAL = 4 };

// Weapon groups; ammunition and launchers share theirs. WG_AMR is armour used as a weapon (shield bash).
enum wpn_grp_id_e : int {
    WG_SWORD = 1,
    WG_AXE = 2,
    WG_HAMMER = 3,
    WG_FLAIL = 4,
    WG_SPEAR = 5,
    WG_BOW = 6,
    WG_XBOW = 7,
    WG_THROWN = 8,
    WG_UNARMED = 9,
    WG_SIMPLE = 10,
    WG_AMR = 11,
};

// Hands a weapon takes: one, two, or either.
enum wpn_hands_id_e : int { HANDS_ONE = 1, HANDS_TWO = 2, HANDS_EITHER = 3 };

// Creature sizes; 0 and the rows around medium give the size modifiers.
enum u_size_id_e : int {
    SIZE_TINY = 1,
    SIZE_SMALL = 2,
    SIZE_MEDIUM = 3,
    SIZE_LARGE = 4,
    SIZE_HUGE = 5,
    SIZE_GARGANTUAN = 6,
};

// Encounter difficulties.
enum enc_diff_id_e : int { DIFF_EASY = 1, DIFF_NORMAL = 2, DIFF_HARD = 3 };

// Encounter patterns.
enum enc_type_id_e : int {
    ENCT_CONTROL = 1,    // battlefield control
    ENCT_COMMANDER = 2,  // a commander and troops
    ENCT_DEN = 3,        // a dragon's den
    ENCT_LINES = 4,      // a double line
    ENCT_PACK = 5,       // a wolf pack
};

// Schools of spells (a power's `school`); 0 is no spell.
enum spl_cat_id_e : int { SCHOOL_CONJURATION = 1, SCHOOL_ELEMENTAL = 2, SCHOOL_CONTROL = 3, SCHOOL_NECROMANCY = 4 };
