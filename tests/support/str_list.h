#pragma once
// Wide texts of the file and text tests: a path from UTF-8, and a list shown
// as one text so a mismatch prints whole.
#include <string>
#include <vector>

#include "app/str.h"

inline Str W(const std::string& utf8) { return utf8_to_str(utf8.c_str()); }

// Each part followed by "|".
inline std::wstring joined(const std::vector<Str>& v) {
    std::wstring s;
    for (const Str& p : v) s += std::wstring(p.c_str()) + L"|";
    return s;
}
