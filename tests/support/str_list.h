#pragma once
// Wide texts of the file and text tests: a path from UTF-8, a list shown as
// one text so a mismatch prints whole, and texts that failures print as text.
#include <ostream>
#include <string>
#include <vector>

#include "app/str.h"

inline Str W(const std::string& utf8) { return utf8_to_str(utf8.c_str()); }

inline void PrintTo(const Str& s, std::ostream* os) { *os << '"' << to_utf8_string(s.buf) << '"'; }

// Each part followed by "|".
inline std::wstring joined(const std::vector<Str>& v) {
    std::wstring s;
    for (const Str& p : v) s += std::wstring(p.c_str()) + L"|";
    return s;
}
