#include "battle/regions.h"

#include <vector>

int fill_region(grid_t<int>& g, int x, int y, int from, int to) {
    if (from == to || !g.in(x, y) || g.at(x, y) != from) return 0;
    // Neighbours are taken up, down, left, right; pushed in reverse so the cells
    // are visited in the order a recursive fill would visit them.
    static constexpr pt_t nbs[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    std::vector<pt_t> stack{{x, y}};
    g.at(x, y) = to;
    int count = 0;
    while (!stack.empty()) {
        const pt_t p = stack.back();
        stack.pop_back();
        ++count;
        for (int k = 3; k >= 0; --k) {
            const pt_t n{p.x + nbs[k].x, p.y + nbs[k].y};
            if (!g.in(n.x, n.y) || g.at(n.x, n.y) != from) continue;
            g.at(n.x, n.y) = to;
            stack.push_back(n);
        }
    }
    return count;
}

int label_regions(grid_t<int>& g) {
    int next = 2, best = 0, best_n = 0;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            if (g.at(x, y) != 1) continue;
            const int n = fill_region(g, x, y, 1, next);
            if (n > best_n) best = next, best_n = n;
            ++next;
        }
    return best;
}
