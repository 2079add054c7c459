#pragma once
// Copies of texts kept alive for the pool's lifetime, at addresses that never move.
#include <memory>
#include <vector>

class str_pool_t {
public:
    // Null or empty gives null.
    const wchar_t* add(const wchar_t* s);

    str_pool_t() = default;
    str_pool_t(const str_pool_t&) = delete;
    str_pool_t& operator=(const str_pool_t&) = delete;

private:
    std::vector<std::unique_ptr<wchar_t[]>> items_;
};
