#include "screens/map/view_grid.h"

#include <algorithm>
#include <cstdlib>

#include "app/geom.h"
#include "app/input.h"
#include "ui/wnd.h"

namespace {
constexpr int right_panel_w = 256;
constexpr int bottom_bar_h = 36;

// Floor division: an origin left of or above the map lies in a negative cell.
int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int sign(int v) { return (v > 0) - (v < 0); }
}  // namespace

namespace zs {

void grid_sys::set(int w_, int h_, int cw, int ch) {
    w = w_, h = h_, cell_w = cw, cell_h = ch;
    cols = cw > 0 ? w / cw : 0;
    rows = ch > 0 ? h / ch : 0;
}

pt_t view_grid::scrn_to_cell(const pt_t& p) const {
    if (!scrn.contains(p)) return {-1, -1};
    const int px = org_px.x + p.x - scrn.x;
    const int py = org_px.y + p.y - scrn.y;
    if (px < 0 || py < 0 || px > map_sz.w * MAP_CELL - 1 || py > map_sz.h * MAP_CELL - 1) return {-1, -1};
    return {px / MAP_CELL, py / MAP_CELL};
}

void view_grid::set_map_size(int mw, int mh) {
    map_sz = {std::max(mw, 0), std::max(mh, 0)};
    update_limits();
}

void view_grid::set_view_size(int vw, int vh) {
    set(std::max(vw, 0), std::max(vh, 0), MAP_CELL, MAP_CELL);
    scrn.w = w, scrn.h = h;
    update_limits();
}

void view_grid::update_limits() {
    min_cell_x = -(cols / 2), max_cell_x = map_sz.w - cols / 2;
    min_cell_y = -(rows / 2), max_cell_y = map_sz.h - rows / 2;
    min_px_x = min_cell_x * MAP_CELL, max_px_x = max_cell_x * MAP_CELL;
    min_px_y = min_cell_y * MAP_CELL, max_px_y = max_cell_y * MAP_CELL;
    set_org_x(org_px.x);
    set_org_y(org_px.y);
}

void view_grid::set_org_x(int px) {
    org_px.x = std::clamp(px, min_px_x, max_px_x);
    org_cell.x = floor_div(org_px.x, MAP_CELL);
}

void view_grid::set_org_y(int py) {
    org_px.y = std::clamp(py, min_px_y, max_px_y);
    org_cell.y = floor_div(org_px.y, MAP_CELL);
}

void view_grid::center_on(const pt_t& cell) {
    set_org_x((cell.x - cols / 2) * MAP_CELL);
    set_org_y((cell.y - rows / 2) * MAP_CELL);
}

bool view_grid::shows_whole_map() const {
    const int x0 = org_px.x, y0 = org_px.y;
    return x0 <= 0 && y0 <= 0 && x0 + w >= map_sz.w * MAP_CELL && y0 + h >= map_sz.h * MAP_CELL;
}

}  // namespace zs

size map_view_size(const size& scrn) {
    const auto whole_cells = [](int px) { return std::max(px, 0) / MAP_CELL * MAP_CELL; };
    return {whole_cells(scrn.w - right_panel_w), whole_cells(scrn.h - bottom_bar_h)};
}

size root_size() {
    const wnd_t* root = get_root_wnd();
    return {root->rc.w, root->rc.h};
}

std::vector<scroll_dir_t> scroll_steps(int dx, int dy) {
    std::vector<scroll_dir_t> out;
    const int n = cheb_dist({0, 0}, {dx, dy});
    for (int i = 0; i < n; ++i)
        out.push_back({i < std::abs(dx) ? sign(dx) : 0, i < std::abs(dy) ? sign(dy) : 0});
    return out;
}
