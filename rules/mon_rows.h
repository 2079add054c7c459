#pragma once
// The monster templates as data; mon.cpp turns them into mon_t.
#include <initializer_list>
#include <span>

#include "rules/enum_ids.h"

struct mon_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int rank = 0;
    int race = 0;
    int role = 0;
    int cls_tier = 0;
    int bld = 0;
    int gear = 0;
    int abis[ABIS] = {};
    int pwrs[9] = {};  // power changes, zero-padded
    int itms[3] = {};  // item ids, zero-padded
    int family = 0;
    int joins = 0;
    int min_lv = 0;
};

// The bit mask of the listed families.
constexpr int fams(std::initializer_list<int> fs) {
    int m = 0;
    for (int f : fs) m |= 1 << f;
    return m;
}

std::span<const mon_row_t> mon_rows();
