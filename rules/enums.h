#pragma once
// The small closed sets the rules name by index (abilities, defences, attack
// kinds, action costs, gear kinds, coins, schools, sizes, encounters, terms),
// each a table whose row 0 is empty and whose texts come from strs at start-up.
#include <span>
#include <vector>

#include "app/text_info.h"
#include "rules/enum_ids.h"
#include "rules/ex_info.h"

// Every getter answers row 0 (for abi a blank row) when i lies outside the
// table: indexes come from save files and must never reach past a table.
ex_info_t* get_abi(int i);  // 0 "Str" .. 5 "Cha": no empty row
text_info_t* get_def(int i);
text_info_t* get_atk(int i);
text_info_t* get_act_cost(int i);
text_info_t* get_amr_type(int i);
text_info_t* get_shd_type(int i);
text_info_t* get_wpn_cat(int i);
text_info_t* get_wpn_grp(int i);
text_info_t* get_wpn_flag(int i);
text_info_t* get_wpn_hands(int i);
text_info_t* get_wpn_rng_type(int i);
text_info_t* get_coin(int i);
text_info_t* get_term(int i);
text_info_t* get_spl_cat(int i);
ex_info_t* get_enc_diff(int i);
text_info_t* get_enc_type(int i);
// Creature sizes 0..6 (3 = medium); texts from "strs:u_sizes" on first use.
text_info_t* get_u_size(int i);

constexpr int U_SIZES = 7;

// Addresses of rows first..last of a table, as the text loaders take them.
template <class T>
std::vector<text_info_t*> row_ptrs(std::span<T> rows, int first, int last) {
    std::vector<text_info_t*> v;
    if (first < 0) first = 0;
    if (last >= int(rows.size())) last = int(rows.size()) - 1;
    if (last >= first) v.reserve(size_t(last - first + 1));
    for (int i = first; i <= last; ++i) v.push_back(&rows[size_t(i)]);
    return v;
}

// Hands the 19 rules enum tables to the named-table registry, once, in a fixed
// order; start-up calls it before the registered tables load their texts.
void reg_rules_tbls();
