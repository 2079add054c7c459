#pragma once
// Lists made by a function from each element of a range, or from each index
// 0 .. n - 1 in turn: what the tests compare whole.
#include <ranges>
#include <type_traits>
#include <vector>

template <std::ranges::range R, class F>
auto mapped(R&& r, F f) {
    std::vector<std::decay_t<decltype(f(*std::ranges::begin(r)))>> v;
    for (auto&& x : r) v.push_back(f(x));
    return v;
}

template <class F>
auto mapped(int n, F f) { return mapped(std::views::iota(0, n), f); }
