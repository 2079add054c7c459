#pragma once
// The map view's arithmetic: which cells of a map a screen rectangle shows,
// where a cell lands on the screen, and how far the view may scroll. Cells are
// 64 x 64 pixels everywhere; the origin is the map pixel at the view's top-left
// corner and may lie off the map by up to half a view, so that every map edge
// can be scrolled to the middle of the screen.
#include <vector>

#include "app/types.h"

constexpr int MAP_CELL = 64;  // pixels a side

namespace zs {

// A rectangle of w x h pixels cut into cells; a cell size of 0 gives 0 columns or rows.
class grid_sys {
public:
    int w = 0, h = 0;
    int cols = 0, rows = 0;
    int cell_w = 0, cell_h = 0;

    grid_sys() = default;
    grid_sys(int w, int h, int cell_w, int cell_h) { set(w, h, cell_w, cell_h); }
    virtual ~grid_sys() = default;

    void set(int w, int h, int cell_w, int cell_h);
};

// The grid of the view itself (its size in pixels and in whole cells), plus
// where it looks on the map and where it sits on the screen.
class view_grid : public grid_sys {
public:
    pt_t org_px;   // map pixel at the view's top-left corner
    pt_t org_cell; // org_px / 64
    // Limits of the origin, in pixels and in cells.
    int min_px_x = 0, max_px_x = 0, min_px_y = 0, max_px_y = 0;
    int min_cell_x = 0, max_cell_x = 0, min_cell_y = 0, max_cell_y = 0;
    rect scrn;     // where the view is drawn
    size map_sz;   // in cells

    view_grid() : grid_sys(0, 0, MAP_CELL, MAP_CELL) {}

    // The cells the view shows: {origin cell, view size in cells}.
    rect cell_rect() const { return {org_cell.x, org_cell.y, cols, rows}; }
    const rect& scrn_rect() const { return scrn; }
    int cell_to_scrn_x(int cx) const { return scrn.x - org_px.x + cx * MAP_CELL; }
    int cell_to_scrn_y(int cy) const { return scrn.y - org_px.y + cy * MAP_CELL; }
    // The cell's 64 x 64 square on the screen.
    rect cell_scrn_rect(const pt_t& c) const { return {cell_to_scrn_x(c.x), cell_to_scrn_y(c.y), MAP_CELL, MAP_CELL}; }
    static int cells_to_px(int n) { return n * MAP_CELL; }
    // The map cell under a screen point; (-1, -1) outside the view or the map.
    pt_t scrn_to_cell(const pt_t& p) const;
    // The cell in the middle of the view.
    pt_t centre_cell() const { return {org_cell.x + cols / 2, org_cell.y + rows / 2}; }

    void set_map_size(int mw, int mh);
    // Pixels; the view shows whole cells only where the size is a multiple of 64.
    void set_view_size(int vw, int vh);
    void set_scrn_pos(int x, int y) { scrn.x = x, scrn.y = y; }
    // Clamped to the limits.
    void set_org_x(int px);
    void set_org_y(int py);
    const pt_t& org() const { return org_px; }
    void center_on(const pt_t& cell);
    // True when every cell of the map is inside the view.
    bool shows_whole_map() const;

private:
    void update_limits();
};

}  // namespace zs

// The view of a screen: everything left of the 256-pixel right panel and above
// the 36-pixel bottom bar, each side rounded down to whole cells (never below 0).
size map_view_size(const size& scrn);

// The root window's size: the screen the interface is laid out for.
size root_size();

// One step of a smooth scroll: each axis -1, 0 or 1.
struct scroll_dir_t {
    int dx = 0, dy = 0;
    friend constexpr bool operator==(const scroll_dir_t&, const scroll_dir_t&) = default;
};
// The steps that carry the view's centre by (dx, dy) cells: max(|dx|, |dy|)
// steps, both axes moving together until the shorter one is done.
std::vector<scroll_dir_t> scroll_steps(int dx, int dy);
// Pixels the origin moves per axis in one of the four moves of a step.
constexpr int SCROLL_MOVE_PX = 16;
constexpr int SCROLL_MOVES_PER_STEP = 4;
constexpr int SCROLL_MOVE_WAIT_MS = 5;
