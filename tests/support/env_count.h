#pragma once
// How many seeds, battles or trials a long test runs: the number the variable
// `name` gives (at least 1) where set, else `optimised` in an optimised build
// and `sanitized` in the sanitized debug build, where the same work is slower.
#include <algorithm>
#include <cstdlib>

inline int env_count(const char* name, int optimised, int sanitized) {
    if (const char* s = std::getenv(name)) return std::max(1, std::atoi(s));
#ifdef NDEBUG
    (void)sanitized;
    return optimised;
#else
    (void)optimised;
    return sanitized;
#endif
}
