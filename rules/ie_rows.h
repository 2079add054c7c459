#pragma once
// The rows of the enchantment table as data; ie.cpp turns them into ie_t.
#include <cstdint>
#include <span>

#include "rules/ie.h"
#include "rules/ids_in_order.h"

struct ie_row_t {
    int id;
    const wchar_t* key;
    int lv = 0;
    int val = 0;
    int cost = 0;
    int grp = 0;
    int flags = 0;
    int param = 0;
};

// pack_dice as a constant, for the rows.
constexpr int dice(int count, int sides) { return 100000000 + count * 10000 + sides; }

std::span<const ie_row_t> ie_table_rows();
