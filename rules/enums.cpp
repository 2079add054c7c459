#include "rules/enums.h"

#include "app/db.h"
#include "app/sentinels.h"
#include "rules/dmg.h"
#include "rules/load_type.h"
#include "rules/tbl_texts.h"
#include "rules/tbl_texts.h"
#include "rules/urank.h"

// Each table is a function-local static, so a table is whole whenever it is
// first asked for, whatever the order of static initialisation.
namespace {
template <class T>
T* pick(std::span<T> rows, int i) {
    return &rows[i >= 0 && size_t(i) < rows.size() ? size_t(i) : 0];
}

// One table of plain keyed rows, row 0 empty.
#define PLAIN_TABLE(fn, ...)                                \
    std::span<text_info_t> fn() {                           \
        static text_info_t rows[] = {{}, __VA_ARGS__};      \
        return rows;                                        \
    }

PLAIN_TABLE(def_rows, {L"ac"}, {L"ft"}, {L"rf"}, {L"wl"}, {L"cm"})
PLAIN_TABLE(atk_rows, {L"melee"}, {L"range"}, {L"spl"}, {L"cm"}, {L"turn"})
PLAIN_TABLE(act_cost_rows, {L"No"}, {L"Aux"}, {L"Std"}, {L"Full"})
PLAIN_TABLE(amr_type_rows, {L"LightArmor"}, {L"MediumArmor"}, {L"HeavyArmor"})
PLAIN_TABLE(shd_type_rows, {L"LightShield"}, {L"HeavyShield"}, {L"TowerShield"})
PLAIN_TABLE(wpn_cat_rows, {L"Simple"}, {L"Military"}, {L"Exotic"}, {L"Natural"})
PLAIN_TABLE(wpn_grp_rows, {L"Sword"}, {L"Axe"}, {L"Hammer"}, {L"Flail"}, {L"Spear"}, {L"Bow"}, {L"Crossbow"},
            {L"Thrown"}, {L"Unarmed"}, {L"Simple"}, {L"amr"})
PLAIN_TABLE(wpn_flag_rows, {L"rng"}, {L"long"}, {L"light"}, {L"dex"}, {L"brace"}, {L"can_trip"}, {L"throw_s"},
            {L"throw_b"}, {L"load_s"}, {L"load_b"})
PLAIN_TABLE(wpn_hands_rows, {L"OneHanded"}, {L"TwoHanded"}, {L"OneTwoHanded"})
PLAIN_TABLE(wpn_rng_type_rows, {L"Melee"}, {L"Ranged"})
PLAIN_TABLE(coin_rows, {L"CP"}, {L"SP"}, {L"GP"})
PLAIN_TABLE(term_rows, {L"Race"}, {L"Cls"}, {L"Rank"}, {L"Lv"}, {L"HP"}, {L"Spd"})
PLAIN_TABLE(spl_cat_rows, {L"conjuration"}, {L"elemental"}, {L"control"}, {L"necromancy"})
PLAIN_TABLE(enc_type_rows, {L"BattlefieldControl"}, {L"CommanderAndTroops"}, {L"DragonsDen"}, {L"DoubleLine"},
            {L"WolfPack"})
PLAIN_TABLE(u_size_rows, {L"tiny"}, {L"small"}, {L"medium"}, {L"large"}, {L"huge"}, {L"gargantuan"})
#undef PLAIN_TABLE

std::span<ex_info_t> abi_rows() {
    static ex_info_t rows[ABIS] = {
        {L"Str", 0xFFEECC88}, {L"Dex", 0xFFEECC88}, {L"Con", 0xFFEECC88},
        {L"Int", 0xFF6666FF}, {L"Wis", 0xFF6666FF}, {L"Cha", 0xFF6666FF},
    };
    return rows;
}

std::span<ex_info_t> enc_diff_rows() {
    static ex_info_t rows[] = {{nullptr, 0}, {L"Easy", 0xFF00FF00}, {L"Normal", 0xFFFFFF00}, {L"Hard", 0xFFFF0000}};
    return rows;
}

std::span<load_type_t> load_type_rows() {
    static load_type_t rows[LOAD_TYPES] = {
        {nullptr, {.max_dex = UNLIMITED}, 0xFFFFFFFF},
        {L"LightLoad", {.max_dex = UNLIMITED}, 0xFF808080},
        {L"MediumLoad", {.max_dex = 3, .amr_pen = -2, .spd_pen = -1}, 0xFFFFFF00},
        {L"HeavyLoad", {.max_dex = 1, .amr_pen = -4, .spd_pen = -2}, 0xFFFF7700},
        {L"Overload", {.max_dex = 0, .amr_pen = -10, .spd_pen = NO_MOVE}, 0xFFFF0000},
    };
    return rows;
}

template <class T>
std::vector<text_info_t*> all_rows(std::span<T> rows) {
    return row_ptrs(rows, 0, int(rows.size()) - 1);
}
}  // namespace

ex_info_t* get_abi(int i) {
    static ex_info_t blank;  // the ability table has no empty row of its own
    return i >= 0 && i < ABIS ? &abi_rows()[size_t(i)] : &blank;
}
text_info_t* get_def(int i) { return pick(def_rows(), i); }
text_info_t* get_atk(int i) { return pick(atk_rows(), i); }
text_info_t* get_act_cost(int i) { return pick(act_cost_rows(), i); }
text_info_t* get_amr_type(int i) { return pick(amr_type_rows(), i); }
text_info_t* get_shd_type(int i) { return pick(shd_type_rows(), i); }
text_info_t* get_wpn_cat(int i) { return pick(wpn_cat_rows(), i); }
text_info_t* get_wpn_grp(int i) { return pick(wpn_grp_rows(), i); }
text_info_t* get_wpn_flag(int i) { return pick(wpn_flag_rows(), i); }
text_info_t* get_wpn_hands(int i) { return pick(wpn_hands_rows(), i); }
text_info_t* get_wpn_rng_type(int i) { return pick(wpn_rng_type_rows(), i); }
text_info_t* get_coin(int i) { return pick(coin_rows(), i); }
text_info_t* get_term(int i) { return pick(term_rows(), i); }
text_info_t* get_spl_cat(int i) { return pick(spl_cat_rows(), i); }
ex_info_t* get_enc_diff(int i) { return pick(enc_diff_rows(), i); }
text_info_t* get_enc_type(int i) { return pick(enc_type_rows(), i); }
load_type_t* get_load_type(int i) { return pick(load_type_rows(), i); }

text_info_t* get_u_size(int i) {
    static tbl_texts_t texts;
    std::span<text_info_t> rows = u_size_rows();
    if (texts.due()) {
        std::vector<text_info_t*> recs = all_rows(rows);
        db_read_recs(L"strs:u_sizes", recs, nullptr);
    }
    return pick(rows, i);
}

void reg_rules_tbls() {
    static bool done = false;
    if (done) return;
    done = true;
    // The order of the named-table registry; abi alone has key base 0.
    const txt_tbl_reg_t regs[] = {
        {L"spl_cat", all_rows(spl_cat_rows()), 1},
        {L"urank", urank_rows(0, URANKS - 1), 1},
        {L"dmg_type", dmg_type_rows(), 1},
        {L"enc_diff", all_rows(enc_diff_rows()), 1},
        {L"enc_type", all_rows(enc_type_rows()), 1},
        {L"abi", all_rows(abi_rows()), 0},
        {L"act_cost", all_rows(act_cost_rows()), 1},
        {L"amr_type", all_rows(amr_type_rows()), 1},
        {L"atk", all_rows(atk_rows()), 1},
        {L"coin", all_rows(coin_rows()), 1},
        {L"def", all_rows(def_rows()), 1},
        {L"load_type", all_rows(load_type_rows()), 1},
        {L"shd_type", all_rows(shd_type_rows()), 1},
        {L"term", all_rows(term_rows()), 1},
        {L"wpn_cat", all_rows(wpn_cat_rows()), 1},
        {L"wpn_flag", all_rows(wpn_flag_rows()), 1},
        {L"wpn_grp", all_rows(wpn_grp_rows()), 1},
        {L"wpn_hands", all_rows(wpn_hands_rows()), 1},
        {L"wpn_rng_type", all_rows(wpn_rng_type_rows()), 1},
    };
    (void)regs;
}
