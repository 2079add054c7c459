#include "app/str_pool.h"

#include <cwchar>

const wchar_t* str_pool_t::add(const wchar_t* s) {
    if (!s || !*s) return nullptr;
    const size_t n = std::wcslen(s) + 1;
    auto copy = std::make_unique<wchar_t[]>(n);
    std::wmemcpy(copy.get(), s, n);
    items_.push_back(std::move(copy));
    return items_.back().get();
}
