#pragma once
// Small value types shared by every subsystem. Kept free of SDL so that the
// rules and the battle engine can use them headless.
#include <cstdint>
#include <vector>

class Str;

struct pt_t {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const pt_t&, const pt_t&) = default;
    // x first, then y, so points can key a map.
    friend constexpr bool operator<(const pt_t& a, const pt_t& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }
};

// Contains a point when x <= px <= x + w - 1, and likewise in y.
struct rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    constexpr bool contains(int px, int py) const { return px >= x && px <= x + w - 1 && py >= y && py <= y + h - 1; }
    constexpr bool contains(const pt_t& p) const { return contains(p.x, p.y); }
    friend constexpr bool operator==(const rect&, const rect&) = default;
};

struct size {
    int w = 0;
    int h = 0;
    friend constexpr bool operator==(const size&, const size&) = default;
};

// 0xAARRGGBB: in memory byte 0 is blue, 1 green, 2 red, 3 alpha.
struct clr_t {
    uint32_t v = 0;
    constexpr clr_t() = default;
    constexpr clr_t(uint32_t argb) : v(argb) {}
    constexpr operator uint32_t() const { return v; }
    constexpr uint8_t b() const { return uint8_t(v); }
    constexpr uint8_t g() const { return uint8_t(v >> 8); }
    constexpr uint8_t r() const { return uint8_t(v >> 16); }
    constexpr uint8_t a() const { return uint8_t(v >> 24); }
    Str to_str(int flags) const;
    void scale_rgb(double f);
};

// Height rows of width cells each, addressed as rows[y][x].
template <class T>
struct grid_t {
    int width = 0;
    int height = 0;
    std::vector<std::vector<T>> rows;

    void resize(int w, int h, const T& fill = T{}) {
        rows.resize(h > 0 ? h : 0);
        for (auto& row : rows) row.resize(w > 0 ? w : 0, fill);
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
    }
    void fill(const T& v) {
        for (auto& row : rows)
            for (auto& c : row) c = v;
    }
    bool in(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    T& at(int x, int y) { return rows[y][x]; }
    const T& at(int x, int y) const { return rows[y][x]; }
};
