#pragma once
// Helpers for the rules tables written as rows of data in code.
#include <cstddef>
#include <span>
#include <vector>

#include "app/db.h"
#include "app/text_info.h"
#include "rules/enums.h"
#include "rules/ids_in_order.h"

// Number of ids before the first 0 of a fixed, zero-padded power list.
template <std::size_t N>
constexpr int list_len(const int (&ids)[N]) {
    int n = 0;
    while (n < int(N) && ids[n] != 0) ++n;
    return n;
}

// Lua key k of path fills rows[k], for k in 0..count-1.
template <class T>
void read_tbl_texts(const wchar_t* path, T* rows, int count) {
    std::vector<text_info_t*> recs = row_ptrs(std::span<T>(rows, size_t(count)), 0, count - 1);
    db_read_recs(path, recs, nullptr);
}
