#pragma once
// The check every rules data table makes: ids strictly ascending, so the row
// order is the id order that save files and other rules rely on.
#include <cstddef>

template <class Row, std::size_t N>
constexpr bool ids_in_order(const Row (&rows)[N]) {
    for (std::size_t i = 1; i < N; ++i)
        if (rows[i].id <= rows[i - 1].id) return false;
    return true;
}
