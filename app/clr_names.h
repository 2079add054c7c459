#pragma once
// The named colours that parse_clr knows, each table in lookup order.
#include <cstdint>
#include <span>

struct clr_name_t {
    const wchar_t* name;
    uint32_t argb;  // 0xAARRGGBB
};

std::span<const clr_name_t> clr_short_names();
std::span<const clr_name_t> clr_css_names();
