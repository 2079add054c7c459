#pragma once
// One cached image cut into a grid of equal frames. The map's tile sets are
// 4 x 8 sheets of quarter tiles; draw_autotile joins neighbouring cells of one
// terrain by picking each quarter from the cell's neighbour mask.
#include <array>
#include <vector>

#include "app/str.h"
#include "app/types.h"

namespace zg {
class tex_t;
}

struct img_frame_t {
    Str name;
    zg::tex_t* tex = nullptr;  // the image cache owns it
    rect src;

    void draw(const rect* dst, const clr_t* mod) const;
};

// Neighbour bits of the mask passed to draw_autotile. A bit is set when that
// neighbour holds the same kind of tile or lies outside the map.
enum : int {
    NB_N = 1,
    NB_S = 2,
    NB_W = 4,
    NB_E = 8,
    NB_NW = 16,
    NB_SW = 32,
    NB_NE = 64,
    NB_SE = 128,
};

// The grid of an autotile sheet, and the rows draw_autotile reads from it.
constexpr int autotile_cols = 4;
constexpr int autotile_rows = 8;
constexpr int autotile_used_rows = 6;

// The frame (x = column, y = row) of each quarter of a cell with the given
// neighbour mask, in the order top-left, top-right, bottom-left, bottom-right.
std::array<pt_t, 4> autotile_quarters(int mask);

class img_sheet_t {
public:
    int cols = 0;  // the grid of the last split
    int rows = 0;
    std::vector<img_frame_t> frames;  // row by row

    img_sheet_t() = default;
    explicit img_sheet_t(const wchar_t* name);

    // Splits the image into autotile_cols x autotile_rows frames. False, with
    // the sheet unchanged, when the image is too small for that grid.
    bool load(const wchar_t* name);
    // Appends the image's frames after those already held. False, with the
    // sheet unchanged, for a frame size below 1 or one larger than the image.
    bool split_by_size(const wchar_t* name, int fw, int fh);

    const img_frame_t* frame(int col, int row) const;
    // Draws nothing on a sheet without the autotile grid.
    void draw_autotile(const rect* cell, int mask, const clr_t* mod) const;
};
