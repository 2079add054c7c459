#pragma once
#include <memory>
#include <vector>

// Keeps copies of texts alive for the pool's lifetime.
class str_pool_t {
public:
    str_pool_t() = default;
    str_pool_t(const str_pool_t&) = delete;
    str_pool_t& operator=(const str_pool_t&) = delete;

    // Null or empty gives null.
    const wchar_t* add(const wchar_t* s);

private:
    std::vector<std::unique_ptr<wchar_t[]>> items_;
};
