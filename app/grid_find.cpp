#include "app/grid_find.h"

#include <algorithm>
#include <cstdint>

std::vector<pt_t> grid_find_cells(const grid_t<int>& g, const rect& r, int value) {
    std::vector<pt_t> out;
    // Clipped to the rows that exist, so a rectangle reaching past the map edge
    // cannot read outside them.
    const int64_t x_end = std::min<int64_t>(int64_t(r.x) + r.w, g.width);
    const int64_t y_end = std::min<int64_t>({int64_t(r.y) + r.h, int64_t(g.height), int64_t(g.rows.size())});
    for (int64_t y = std::max(r.y, 0); y < y_end; ++y) {
        const std::vector<int>& row = g.rows[size_t(y)];
        const int64_t xe = std::min<int64_t>(x_end, int64_t(row.size()));
        for (int64_t x = std::max(r.x, 0); x < xe; ++x)
            if (row[size_t(x)] == value) out.push_back({int(x), int(y)});
    }
    return out;
}
