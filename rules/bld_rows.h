#pragma once
// The preset builds as data; bld.cpp turns them into u_bld_t.
#include <span>

#include "rules/enum_ids.h"

struct bld_row_t {
    int id = 0;
    const wchar_t* key = nullptr;
    int race = 0;
    int cls = 0;
    int abi[ABIS] = {};
    int key_abi = 0;
    std::span<const int> plan;
};

std::span<const bld_row_t> bld_rows();
